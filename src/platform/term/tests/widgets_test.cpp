#include <gtest/gtest.h>

#include "platform/term/check_box.h"
#include "platform/term/push_button.h"
#include "platform/term/static_text.h"
#include "term_fixture.h"

namespace zur::term {
namespace {

class WidgetsTest : public TermTest {
 protected:
  int activated = 0;
  PushButton* Button(int col, std::string caption, bool border = true, int width = 10) {
    auto* b = screen.Add<PushButton>(Rect{5, col, 1, width}, std::move(caption), border);
    b->on_activate = [this] { ++activated; };
    return b;
  }
};

TEST_F(WidgetsTest, EnterSpaceAndClickActivateThroughTheQueue) {
  PushButton* ok = Button(10, "OK");
  screen.SetFocus(ok);
  backend.Press(KeyId::kEnter);
  backend.Type(" ");
  backend.Click(5 + kMenuBarRows, 12);
  Pump();
  EXPECT_EQ(activated, 3);
}

TEST_F(WidgetsTest, AKeyHandlerThatTakesEnterStopsTheActivation) {
  PushButton* browse = Button(10, "Browse");
  PushButton* process = Button(30, "Process");
  // Enter on Browse activates Process instead.
  browse->on_key = [&](int code) {
    if (code != event::kEnter) return false;
    screen.Post(event::kActivate, process);
    return true;
  };
  int processed = 0;
  process->on_activate = [&] { ++processed; };
  screen.SetFocus(browse);
  backend.Press(KeyId::kEnter);
  Pump();
  EXPECT_EQ(activated, 0);
  EXPECT_EQ(processed, 1);
}

TEST_F(WidgetsTest, DisabledButtonIsGreyAndNeverActivatedOrFocused) {
  PushButton* a = Button(10, "Process");
  PushButton* pdf = Button(25, "Print to PDF");
  PushButton* cancel = Button(45, "Cancel");
  pdf->SetEnabled(false);
  EXPECT_EQ(screen.NextTabStop(a), cancel);
  EXPECT_EQ(screen.NextTabStop(cancel), a);
  EXPECT_EQ(screen.NextTabStop(a, true), cancel);
  screen.SetFocus(pdf);
  EXPECT_EQ(screen.focus(), nullptr);
  backend.Click(5 + kMenuBarRows, 30);
  Pump();
  screen.Post(event::kActivate, pdf);
  screen.Dispatch(screen.NextEvent());
  EXPECT_EQ(activated, 0);
  GridRow(5);
  EXPECT_EQ(backend.picture().at(5 + kMenuBarRows, 26).attr, screen.theme().disabled);
}

TEST_F(WidgetsTest, ButtonsWithAndWithoutBorder) {
  Button(0, "OK");
  Button(12, "1. SYSTEM SETUP", false, 35);
  Button(50, "Print to PDF");       // too narrow for its brackets: the caption alone, cut
  Button(70, "0. EXIT", false, 5);  // a borderless button shows what fits
  EXPECT_EQ(GridRow(5),
            "[   OK   ]            1. SYSTEM SETUP             Print to P          0. EX");
}

TEST_F(WidgetsTest, NotATabStopIsSkipped) {
  PushButton* a = Button(0, "A");
  PushButton* b = Button(20, "B");
  PushButton* c = Button(40, "C");
  b->SetTabStop(false);
  EXPECT_EQ(screen.NextTabStop(a), c);
}

TEST_F(WidgetsTest, CheckBoxTogglesAndReportsItsState) {
  auto* box = screen.Add<CheckBox>(7, 2, "Set as default");
  std::vector<bool> states;
  box->on_selected = [&](bool on) { states.push_back(on); };
  screen.SetFocus(box);
  backend.Type(" ");
  backend.Click(7 + kMenuBarRows, 3);
  Pump();
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
  EXPECT_EQ(GridRow(7), "  [ ] Set as default");
}

TEST_F(WidgetsTest, StaticTextInItsColours) {
  screen.Add<StaticText>(3, 4, "HK Market", LabelAttr("NIL", "GRA_CLR_RED"));
  screen.Add<StaticText>(4, 4, "\xa4\xa4\xb0\xea");
  EXPECT_EQ(GridRow(3), "    HK Market");
  EXPECT_EQ(backend.picture().at(3 + kMenuBarRows, 4).attr.fg, Colour::kBrightRed);
  EXPECT_EQ(GridRow(4), "    \xe4\xb8\xad\xe5\x9c\x8b");
}

}  // namespace
}  // namespace zur::term

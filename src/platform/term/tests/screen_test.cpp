#include <gtest/gtest.h>

#include "platform/term/inkey_codes.h"
#include "platform/term/push_button.h"
#include "platform/term/static_text.h"
#include "term_fixture.h"

namespace zur::term {
namespace {

class ScreenTest : public TermTest {};

TEST_F(ScreenTest, PostedEventsFirstThenTheKeyboardBufferThenTheTerminal) {
  auto* button = screen.Add<PushButton>(Rect{3, 3, 1, 8}, "OK");
  screen.SetFocus(button);
  backend.Type("t");
  screen.keyboard().Fill("b");
  screen.Post(event::kUser, nullptr, 1);
  screen.Post(event::kUser + 1, button, 2, 3);
  std::vector<int> codes;
  for (int i = 0; i < 4; ++i) codes.push_back(screen.NextEvent().code);
  EXPECT_EQ(codes, (std::vector<int>{event::kUser, event::kUser + 1, 'b', 't'}));
  // Key events are aimed at the focused widget.
  backend.Type("u");
  EXPECT_EQ(screen.NextEvent().target, button);
}

TEST_F(ScreenTest, AFilledKeyboardBufferTypesItsKeys) {
  // What a menu entry's press text becomes: "1", Enter and a comma.
  screen.keyboard().Fill("1\r,");
  std::vector<int> codes;
  for (int i = 0; i < 3; ++i) codes.push_back(screen.NextEvent().code);
  EXPECT_EQ(codes, (std::vector<int>{'1', event::kEnter, ','}));
  screen.keyboard().Fill("\x18");  // the Down key of a file dialog's result
  EXPECT_EQ(screen.NextEvent().code, event::kDown);
  EXPECT_EQ(screen.last_key(), inkey::kDown);
}

TEST_F(ScreenTest, HotKeysRunTheirRoutineWhereverKeysAreRead) {
  std::vector<int> inside;
  screen.hot_keys().Set(inkey::kF1, [&] { inside.push_back(screen.console().WaitKey()); });
  backend.Press(KeyId::kF1);
  backend.Press(KeyId::kF1);  // read by the routine itself: no second run
  backend.Type("a");
  EXPECT_EQ(screen.NextEvent().code, 'a');
  EXPECT_EQ(inside, (std::vector<int>{inkey::kF1}));
  backend.Press(KeyId::kF1);
  backend.Type("x");
  backend.Type("b");
  EXPECT_EQ(screen.console().WaitKey(), 'b');
  screen.hot_keys().Remove(inkey::kF1);
  backend.Press(KeyId::kF1);
  EXPECT_EQ(screen.console().WaitKey(), inkey::kF1);
}

TEST_F(ScreenTest, ThePostedEscCountsAsTheLastKey) {
  backend.Type("a");
  screen.NextEvent();
  screen.Post(event::kEsc);
  screen.NextEvent();
  EXPECT_EQ(screen.last_key(), inkey::kEsc);
  screen.Post(event::kActivate);
  screen.NextEvent();
  EXPECT_EQ(screen.last_key(), inkey::kEsc);
}

TEST_F(ScreenTest, ADestroyedWidgetGetsNoMoreEvents) {
  int activated = 0;
  auto* button = screen.Add<PushButton>(Rect{3, 3, 1, 8}, "OK");
  button->on_activate = [&] { ++activated; };
  screen.SetFocus(button);
  button->Activate(screen);
  screen.Destroy(button);
  EXPECT_EQ(screen.focus(), nullptr);
  const Event e = screen.NextEvent();
  EXPECT_EQ(e.target, nullptr);
  screen.Dispatch(e);
  EXPECT_EQ(activated, 0);
}

TEST_F(ScreenTest, TypeAheadIsTakenAsText) {
  screen.keyboard().Fill("12");
  backend.Type("3\xa4\xa4");
  EXPECT_EQ(screen.TakeTypeAhead(), "123\xa4\xa4");
  EXPECT_EQ(backend.pending(), 0u);
}

TEST_F(ScreenTest, ATooSmallTerminalSaysSoAndWaitsForAResize) {
  screen.Add<StaticText>(0, 0, "the program");
  backend.ResizeTo(Size{80, 24});
  backend.Type("a");  // swallowed while too small
  backend.ResizeTo(Size{kNeededColumns, kNeededRows});
  backend.Type("b");
  std::string while_small;
  backend.before_read = [&](const CellGrid&) {
    if (screen.too_small() && while_small.empty()) while_small = backend.Text();
  };
  EXPECT_EQ(screen.NextEvent().code, 'b');
  EXPECT_NE(while_small.find("This terminal is 80 columns by 24 rows."), std::string::npos)
      << while_small;
  EXPECT_NE(while_small.find("88 columns by 26 rows"), std::string::npos);
  EXPECT_NE(while_small.find("Esc to quit"), std::string::npos);
  EXPECT_EQ(while_small.find("the program"), std::string::npos);
  EXPECT_EQ(GridRow(0), "the program");
}

TEST_F(ScreenTest, EscInATooSmallTerminalQuits) {
  backend.ResizeTo(Size{40, 10});
  backend.Press(KeyId::kEsc);
  EXPECT_THROW(screen.NextEvent(), QuitRequested);
}

TEST_F(ScreenTest, ResumeDrawsEverythingAgain) {
  screen.console().Say(2, 0, "before the shell");
  screen.Refresh();
  const int presents = backend.presents();
  screen.Refresh();
  EXPECT_EQ(backend.presents(), presents);  // nothing changed: nothing drawn
  screen.Suspend();
  EXPECT_TRUE(backend.suspended());
  screen.Resume();
  EXPECT_FALSE(backend.suspended());
  EXPECT_EQ(backend.presents(), presents + 1);
  EXPECT_EQ(backend.Row(2 + kMenuBarRows), "before the shell");
}

}  // namespace
}  // namespace zur::term

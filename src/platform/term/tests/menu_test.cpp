#include <gtest/gtest.h>

#include "platform/term/menu_bar.h"
#include "term_fixture.h"

namespace zur::term {
namespace {

class MenuTest : public TermTest {
 protected:
  Menu* file = nullptr;
  Menu* level1 = nullptr;
  Menu* level2 = nullptr;
  std::vector<std::string> chosen;

  void SetUp() override {
    file = screen.menu_bar().AddMenu("File");
    file->AddItem("Open");                   // 1
    file->AddSeparator();                    // 2
    file->AddItem("Print", false);           // 3
    level1 = file->AddSubmenu("Printers");   // 4
    file->AddItem("Quit");                   // 5
    level1->AddItem("Select Printer");       // 1
    level2 = level1->AddSubmenu("Windows");  // 2
    level2->AddItem("PDF");                  // 1
    Menu* help = screen.menu_bar().AddMenu("Help");
    help->AddItem("About");
    for (Menu* m : {file, level1, level2, help})
      m->on_select = [this](int n, Menu& menu) {
        chosen.push_back(menu.title() + " " + std::to_string(n));
      };
  }
};

TEST_F(MenuTest, KeysSkipSeparatorsAndDisabledEntries) {
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kDown);   // over the separator and Print to Printers
  backend.Press(KeyId::kRight);  // open it
  backend.Press(KeyId::kDown);
  backend.Press(KeyId::kEnter);  // open Windows
  backend.Press(KeyId::kEnter);  // PDF
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kUp);  // wraps to Quit
  backend.Press(KeyId::kEnter);
  Pump();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Windows 1", "File 5"}));
}

TEST_F(MenuTest, ChosenEntryArrivesAsAnEventForItsMenu) {
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kEnter);
  const Event e = screen.NextEvent();
  EXPECT_EQ(e.code, event::kMenuSelected);
  EXPECT_EQ(e.mp1, 1);
  EXPECT_EQ(e.target, file);
}

TEST_F(MenuTest, LettersLeftRightAndEsc) {
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kRight);  // Help
  backend.Type("a");             // About
  backend.Press(KeyId::kF10);
  backend.Type("p");  // Print is disabled: the letter goes to Printers, which opens
  backend.Press(KeyId::kEsc);
  backend.Press(KeyId::kEsc);
  backend.Type("x");  // after the menus closed, an ordinary key
  Pump();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Help 1"}));
  EXPECT_EQ(screen.last_key(), 'x');
}

TEST_F(MenuTest, DrawnWithDisabledEntriesAndSubmenuMarks) {
  std::string shown;
  Attr print_attr;
  backend.before_read = [&](const CellGrid& picture) {
    if (shown.empty() && picture.at(2, 2).byte == 'O') {
      for (int r = 0; r < 9; ++r) shown += backend.Row(r) + "\n";
      print_attr = picture.at(4, 2).attr;
    }
  };
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kEsc);
  Pump();
  EXPECT_NE(shown.find("Open"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Printers >"), std::string::npos) << shown;
  EXPECT_EQ(print_attr, screen.theme().menu_disabled);
}

TEST_F(MenuTest, Clicks) {
  backend.Click(0, screen.menu_bar().TitleColumn(1));      // Help
  backend.Click(2, screen.menu_bar().TitleColumn(1) + 2);  // About
  backend.Click(0, screen.menu_bar().TitleColumn(0));
  backend.Click(4, 3);  // Print: disabled, nothing
  backend.Click(2, 3);  // Open
  Pump();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Help 1", "File 1"}));
}

TEST_F(MenuTest, DisabledBarLetsF10Through) {
  screen.menu_bar().SetEnabled(false);
  backend.Press(KeyId::kF10);
  backend.Click(0, 2);
  backend.Type("z");
  const Event e = screen.NextEvent();
  EXPECT_EQ(e.code, event::FromKey(Key::Named(KeyId::kF10)));
  EXPECT_EQ(screen.NextEvent().code, 'z');
  EXPECT_TRUE(chosen.empty());
}

}  // namespace
}  // namespace zur::term

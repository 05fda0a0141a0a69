#include <gtest/gtest.h>

#include <fstream>

#include "app/menu/button_menu.h"
#include "app/menu/help_topic.h"
#include "app/menu/menu_press.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::menu {
namespace {

TEST(MenuPress, CommaIsEnterPeriodIsEscBracesKeepThem) {
  struct Case {
    const char* press;
    std::string keys;
  } cases[] = {
      {"2", "2"}, {"1,{,}", "1\r,"}, {"1,.", "1\r\x1b"}, {"{.}3", ".3"}, {"{x}", "{x}"}, {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PressKeys(c.press), c.keys) << c.press;
}

TEST(ButtonMenu, MainMenuButtonsCarryTheirPlaceDownwards) {
  const ButtonMenu m = ParseButtonMenu(MainMenuDefinition(), 881, 545);
  EXPECT_EQ(m.name, "** MAIN  MENU **");
  EXPECT_TRUE(m.allow_esc);
  EXPECT_EQ(m.step, 45);
  EXPECT_EQ(m.picture, "CoBg.gif");
  ASSERT_EQ(m.buttons.size(), 5u);
  struct Where {
    const char* key;
    int x, y, width, height;
  } expected[] = {{"0", 290, 320, 180, 27},
                  {"1", 230, 260, 330, 27},
                  {"2", 230, 215, 330, 27},
                  {"3", 230, 170, 330, 27},
                  {"S", 230, 125, 330, 27}};
  for (size_t i = 0; i < 5; ++i) {
    const MenuButton& b = m.buttons[i];
    EXPECT_EQ(b.key, expected[i].key);
    EXPECT_EQ((std::tuple{b.x, b.y, b.width, b.height}),
              (std::tuple{expected[i].x, expected[i].y, expected[i].width, expected[i].height}))
        << b.caption;
  }
  EXPECT_EQ(m.buttons[0].caption, "0. EXIT ");
}

TEST(ButtonMenu, DefaultsWithoutFeaturesAndTheEndAtAnEmptyLine) {
  const ButtonMenu m =
      ParseButtonMenu({"MENU", "", "", "", "A. ONE,A", "B. TWO,B", "", "C,C"}, 881, 545);
  EXPECT_TRUE(m.allow_esc);
  ASSERT_EQ(m.buttons.size(), 2u);
  EXPECT_EQ(m.buttons[0].x, (881 - 350) / 2);
  EXPECT_EQ(m.buttons[0].y, 545 - 130 - 50);
  EXPECT_EQ(m.buttons[1].y, 545 - 130 - 100);
  EXPECT_FALSE(ParseButtonMenu({"MENU", "0"}, 881, 545).allow_esc);
}

TEST(ButtonMenu, KeysFoldToUpperCaseAndMustBelongToAButton) {
  const ButtonMenu m = ParseButtonMenu(MainMenuDefinition(), 881, 545);
  EXPECT_EQ(ChoiceOfKey(m, 's'), "S");
  EXPECT_EQ(ChoiceOfKey(m, '2'), "2");
  EXPECT_EQ(ChoiceOfKey(m, 'x'), "");
  EXPECT_EQ(ChoiceOfKey(m, 65648), "");  // F1 is no choice
}

TEST(HelpTopic, MainMenuChoiceOrNothing) {
  EXPECT_EQ(HelpTopic("** MAIN  MENU **", "2"), "0");
  EXPECT_EQ(HelpTopic("(2) START CHECKING", "2"), "2");
  EXPECT_EQ(HelpTopic("(2) START CHECKING", " 2 "), "2");
  EXPECT_FALSE(HelpTopic("(1) SYSTEM SETUP", "2"));
  EXPECT_FALSE(HelpTopic("(2) START CHECKING", ""));
}

TEST(HelpTopic, PageFoundByShorteningTheTopic) {
  dbf::testing::TempDir dir;
  auto page = [&](const char* name) { std::ofstream(dir / name) << "<html/>"; };
  EXPECT_FALSE(FindHelpPage(dir.path(), "21"));
  page("0.HTML");
  EXPECT_EQ(FindHelpPage(dir.path(), "21")->filename(), "0.HTML");
  page("2.htm");
  EXPECT_EQ(FindHelpPage(dir.path(), "21")->filename(), "2.htm");
  page("21.HTML");
  EXPECT_EQ(FindHelpPage(dir.path(), "21")->filename(), "21.HTML");
}

}  // namespace
}  // namespace zur::menu

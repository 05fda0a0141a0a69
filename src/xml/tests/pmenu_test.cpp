#include "xml/pmenu.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/vars/tests/temp_dir.h"
#include "xml/menu_file.h"

namespace zur::xml {
namespace {

using zur::testing::ReadBytes;
using zur::testing::TempDir;
using zur::testing::WriteBytes;

std::string Fixture(const std::string& name) {
  const char* root = std::getenv("ZUR_TEST_DATA");
  return ReadBytes(std::string(root != nullptr ? root : "tests/data") + "/xml/" + name);
}

// "caption|press|program|flag|submenu" and its entries in braces.
std::string Describe(const MenuEntry& e) {
  std::string out = e.caption + "|" + e.press + "|" + e.program + "|" + e.flag + "|" + e.submenu;
  if (e.items.empty()) return out;
  out += " {";
  for (size_t i = 0; i < e.items.size(); ++i) out += (i ? "; " : "") + Describe(e.items[i]);
  return out + "}";
}

std::vector<std::string> Describe(const std::vector<MenuFeature>& features) {
  std::vector<std::string> out;
  for (const MenuFeature& f : features) {
    out.push_back("# " + f.title);
    for (const MenuEntry& e : f.items) out.push_back(Describe(e));
  }
  return out;
}

const Date kGrant = *Date::FromYmd(2026, 12, 8);

TEST(MenuFile, TheDefaultMenusByteForByteAndAsRead) {
  const std::string text = DefaultMenuFile(kGrant);
  EXPECT_EQ(text, Fixture("default-pmenu.dat"));
  PMenu menu;
  ASSERT_TRUE(menu.LoadXml(text));
  EXPECT_EQ(Describe(menu.menu_features()), (std::vector<std::string>{
                                                "# 1. Setup",
                                                "1. SYSTEM SETUP|1|||",
                                                "SEPARATOR||||",
                                                "2. Exit||AppQuit||",
                                                "# 2. Checking",
                                                "1. START CHECKING|2|||",
                                                "# 3. Segregated A/C",
                                                "1. SETUP SEGREGATED A/C|3|||",
                                                "# S. Select Printer",
                                                "1. Select Printer|S|||",
                                                "2. Select Windows Printer||SeleWinPrinter||",
                                                "3. Select PDF Printer||SeleWinPrinter PDF||",
                                            }));
  EXPECT_TRUE(menu.menu_features()[0].items[1].IsSeparator());
  EXPECT_EQ(menu.GetMenuFeat(), &menu.menu_features()[0]);
}

TEST(PMenu, SubmenusOfTwoLevels) {
  PMenu menu;
  ASSERT_TRUE(menu.LoadXml(
      "<pmenu><menuFeatures><menuFeature><menuTitle>T</menuTitle><menuItems>"
      "<menuItem><menuItemTitle>Reports</menuItemTitle><menuSubmenu>Y</menuSubmenu>"
      "<submenuItem><menuItemTitle>Daily</menuItemTitle><menuPress>2</menuPress></submenuItem>"
      "<submenuItem><menuItemTitle>More</menuItemTitle><menuSubmenu>Y</menuSubmenu>"
      "<submenuItem><menuItemTitle>Deep</menuItemTitle><menuPgm>AppQuit</menuPgm>"
      "<menuFlag>.F.</menuFlag><menuSubmenu>Y</menuSubmenu></submenuItem>"
      "</submenuItem></menuItem>"
      "<menuItem><menuItemTitle>Plain</menuItemTitle></menuItem>"
      "</menuItems></menuFeature></menuFeatures></pmenu>"));
  ASSERT_EQ(menu.menu_features().size(), 1u);
  const std::vector<MenuEntry>& items = menu.menu_features()[0].items;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0].IsSubmenu());
  // The second level has no submenu flag of its own; the plain entry gets no leftovers.
  EXPECT_EQ(Describe(items[0]), "Reports||||Y {Daily|2|||; More||||Y {Deep||AppQuit|.F.|}}");
  EXPECT_EQ(Describe(items[1]), "Plain||||");
}

TEST(PMenu, AMenuWithoutTitleTakesThePreviousTitle) {
  PMenu menu;
  menu.LoadXml(
      "<PMENU><MENUFEATURES>"
      "<menuFeature><menuTitle>A</menuTitle><menuItems><menuItem>"
      "<menuItemTitle>x</menuItemTitle></menuItem></menuItems></menuFeature>"
      "<menuFeature><menuItems><menuItem><menuItemTitle>y</menuItemTitle></menuItem>"
      "</menuItems></menuFeature></MENUFEATURES></PMENU>");
  EXPECT_EQ(Describe(menu.menu_features()),
            (std::vector<std::string>{"# A", "x||||", "# A", "y||||"}));
  menu.LoadXml("");
  EXPECT_TRUE(menu.menu_features().empty());
  EXPECT_EQ(menu.GetMenuFeat(), nullptr);
}

TEST(MenuEntry, RoutineNamesAndConditions) {
  struct Case {
    std::string program;
    std::string name;
    std::optional<std::string> argument;
  };
  const Case cases[] = {
      {"AppQuit", "AppQuit", std::nullopt},
      {"SeleWinPrinter PDF", "SeleWinPrinter", "PDF"},
      {"\r\n\t\tAppQuit \r\n", "AppQuit", std::nullopt},
      {"  ", "", std::nullopt},
  };
  for (const Case& c : cases) {
    const RoutineCall call = RoutineOf(c.program);
    EXPECT_EQ(call.name, c.name) << c.program;
    EXPECT_EQ(call.argument, c.argument) << c.program;
  }
  MenuEntry e;
  e.flag = " \r\n";
  EXPECT_FALSE(e.HasCondition());
  e.flag = "ISFLAGSET('WIN_GUI')";
  EXPECT_TRUE(e.HasCondition());
}

TEST(MenuFile, AMissingFileIsWrittenThenRead) {
  TempDir dir;
  const std::string file = dir.File("pmenu.dat");
  const MenuFile first = ReadMenuFile(file, kGrant);
  EXPECT_TRUE(first.created);
  EXPECT_EQ(first.warning, "");
  EXPECT_EQ(ReadBytes(file), Fixture("default-pmenu.dat"));
  EXPECT_EQ(first.features.size(), 4u);

  WriteBytes(file,
             "<pmenu><menuFeatures><menuFeature><menuTitle>Own</menuTitle>"
             "</menuFeature></menuFeatures></pmenu>");
  const MenuFile own = ReadMenuFile(file, *Date::FromYmd(2027, 1, 2));
  EXPECT_FALSE(own.created);
  EXPECT_EQ(Describe(own.features), std::vector<std::string>{"# Own"});
  EXPECT_EQ(std::filesystem::directory_iterator(dir.path())->path().filename(), "pmenu.dat");
}

TEST(MenuFile, DamagedOrUnwritableFilesAreNamed) {
  TempDir dir;
  const std::string file = dir.File("pmenu.dat");
  const std::string whole = DefaultMenuFile(kGrant);
  WriteBytes(file, whole.substr(0, whole.find("<menuTitle>3.")));  // cut in the third menu
  const MenuFile cut = ReadMenuFile(file, kGrant);
  EXPECT_NE(cut.warning.find(file), std::string::npos);
  EXPECT_EQ(cut.features.size(), 2u);

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  const MenuFile folder = ReadMenuFile(file, kGrant);
  EXPECT_NE(folder.warning.find(file), std::string::npos);
  EXPECT_TRUE(folder.features.empty());

  WriteBytes(dir.File("plain"), "");  // not a folder: nothing can be written in it
  const MenuFile unwritable = ReadMenuFile(dir.File("plain") + "/pmenu.dat", kGrant);
  EXPECT_FALSE(unwritable.created);
  EXPECT_NE(unwritable.warning.find("plain/pmenu.dat"), std::string::npos);
  EXPECT_EQ(unwritable.features.size(), 4u);  // the default menus all the same
}

}  // namespace
}  // namespace zur::xml

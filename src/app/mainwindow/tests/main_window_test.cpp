#include "app/mainwindow/main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "app/mainwindow/program_end.h"
#include "lib/compat/compat_functions.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/term/tests/term_fixture.h"
#include "platform/vars/memory_file.h"
#include "xml/ati_config.h"
#include "xml/menu_file.h"

namespace zur::mainwindow {
namespace {

using term::KeyId;

class MainWindowTest : public term::TermTest {
 protected:
  MainWindowTest() {
    vars.Set("TRAN_DATE", Value(*Date::FromYmd(2026, 12, 8)));
    vars.Set("exeModiDate", Value("24 Feb 2025"));
    vars.Set("PART_ID", Value("B01234"));
    vars.Set("SYSTEM_KEY", Value("HK  "));
  }

  // The main loop with screens that record what was opened; "2" confirms at the second
  // visit. The calls made, and whether the operator quit.
  std::string RunLoop() {
    MainWindowScreens screens;
    screens.system_setup = [this] { return calls += "1", false; };
    screens.start_checking = [this] { return calls += "2", calls.ends_with("22"); };
    screens.printer_selection = [this] { calls += "S"; };
    screens.printer_name = [this] { calls += "N"; };
    MainWindow window(screen, vars, areas, functions, dir.path(), screens);
    window.InstallHotKeys();
    try {
      window.Run();
      calls += "+run";
    } catch (const ProgramEnd&) {
      calls += "+quit";
    } catch (const term::InputExhausted&) {
      calls += "+waiting";
    }
    return calls;
  }

  void WriteMenu(const std::string& xml) { std::ofstream(dir / "pmenu.dat") << xml; }

  VarStore vars;
  dbf::WorkAreas areas;
  expr::FunctionTable functions;
  dbf::testing::TempDir dir;
  std::string calls;
};

TEST_F(MainWindowTest, KeysChooseButtonsAndEscQuits) {
  backend.Type("s");             // folded to S: the printer selection
  backend.Type("x");             // no button carries it
  backend.Type("2");             // start checking, cancelled
  backend.Press(KeyId::kEnter);  // the focused button: 2. START CHECKING
  EXPECT_EQ(RunLoop(), "S22+run");
  EXPECT_TRUE(std::filesystem::exists(dir / "pmenu.dat"));  // written with the default menus

  calls.clear();
  backend.Press(KeyId::kEsc);
  EXPECT_EQ(RunLoop(), "+quit");
}

TEST_F(MainWindowTest, TheMainMenuScreen) {
  backend.on_idle = [](term::HeadlessBackend&) { throw term::InputExhausted(); };
  RunLoop();
  const std::string shown = backend.Text();
  EXPECT_NE(shown.find("** MAIN  MENU **"), std::string::npos) << shown;
  EXPECT_NE(shown.find("2. START CHECKING"), std::string::npos) << shown;
  EXPECT_NE(shown.find("CCASS Participant ID: B01234"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Last Modified on 24 Feb 2025, and is able to match with CCASS/3."),
            std::string::npos)
      << shown;
  EXPECT_NE(backend.Row(0).find("1. Setup"), std::string::npos) << backend.Row(0);
  if (std::getenv("ZUR_SHOW_SCREENS")) std::cout << shown << "\n";
}

// A menu-bar entry types its press text: "2" there is the button "2"; "AppQuit" ends the
// program; an entry whose flag is false cannot be chosen; an unknown routine is refused.
TEST_F(MainWindowTest, MenuBarEntriesTypeKeysAndCallRoutines) {
  WriteMenu(
      "<pmenu><menuFeatures><menuFeature><menuTitle>Go</menuTitle><menuItems>"
      "<menuItem><menuItemTitle>Off</menuItemTitle><menuPress>1</menuPress>"
      "<menuFlag>.F.</menuFlag></menuItem>"
      "<menuItem><menuItemTitle>Check</menuItemTitle><menuPress>2</menuPress></menuItem>"
      "<menuItem><menuItemTitle>Nothing</menuItemTitle><menuPgm>NoSuch x</menuPgm></menuItem>"
      "<menuItem><menuItemTitle>Exit</menuItemTitle><menuPgm>AppQuit</menuPgm></menuItem>"
      "</menuItems></menuFeature></menuFeatures></pmenu>");
  // F10 opens the bar on "Go"; the disabled first entry is passed over: Enter takes "Check".
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kEnter);
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kDown);
  backend.Press(KeyId::kEnter);  // Nothing: a message box
  backend.Press(KeyId::kEnter);  // closes it
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kDown);
  backend.Press(KeyId::kDown);
  backend.Press(KeyId::kEnter);  // Exit
  EXPECT_EQ(RunLoop(), "2+quit");
}

// A damaged menu file is named in a box and what could be read of it is the bar.
TEST_F(MainWindowTest, DamagedMenuFileIsSaidAndWhatWasReadIsUsed) {
  WriteMenu(
      "<pmenu><menuFeatures><menuFeature><menuTitle>Kept</menuTitle><menuItems>"
      "<menuItem><menuItemTitle>Check</menuItemTitle><menuPress>2</menuPress></menuItem>"
      "</menuItems></menuFeature><menuFeature><menuTitle>Cut \x01\xff<<");
  backend.Press(KeyId::kEnter);  // the box that names the file
  backend.Press(KeyId::kF10);
  backend.Press(KeyId::kEnter);  // "Check" of the menu that was read
  EXPECT_EQ(RunLoop(), "2+waiting");
  EXPECT_NE(backend.Row(0).find("Kept"), std::string::npos) << backend.Row(0);
}

TEST_F(MainWindowTest, HelpAndPrinterSelectionAreHotKeys) {
  backend.Press(term::Key::Char('p', term::kAlt));
  backend.Press(KeyId::kEsc);
  EXPECT_EQ(RunLoop(), "S+quit");
}

// The program's routines by name: its own (SETPRINTW), and those of its expressions with the
// argument as a text.
TEST_F(MainWindowTest, MenuEntriesReachTheProgramsRoutinesByName) {
  compat::RegisterCompatFunctions(functions, vars);
  WriteMenu(
      "<pmenu><menuFeatures><menuFeature><menuTitle>Go</menuTitle><menuItems>"
      "<menuItem><menuItemTitle>PDF</menuItemTitle><menuPgm>SetFlag PRINT_PDF</menuPgm></menuItem>"
      "<menuItem><menuItemTitle>Name</menuItemTitle><menuPgm>SETPRINTW</menuPgm></menuItem>"
      "<menuItem><menuItemTitle>Exit</menuItemTitle><menuPgm>AppQuit</menuPgm></menuItem>"
      "</menuItems></menuFeature></menuFeatures></pmenu>");
  for (int entry = 0; entry < 3; ++entry) {
    backend.Press(KeyId::kF10);
    for (int down = 0; down < entry; ++down) backend.Press(KeyId::kDown);
    backend.Press(KeyId::kEnter);
  }
  EXPECT_EQ(RunLoop(), "N+quit");
  EXPECT_TRUE(vars.Get("PRINT_PDF").IsTrue());
}

// After "3" the saved variables replace the back office's settings that the maintenance
// added, and the installation settings of "ATIConfig.dat", which ZUR.XBS cannot hold, stay.
TEST_F(MainWindowTest, SegregatedAccountsThenTheSavedVariablesAndTheConfigurationAgain) {
  vars.Set("PRINT_NAME", Value("LPT1"));
  ASSERT_TRUE(SaveMemoryFile((dir / "ZUR.XBS").string(), vars).ok());
  auto config = std::make_shared<xml::AtiConfig>();
  ASSERT_TRUE(
      config->LoadXml("<ATIConfig><Settings><Setting><Name>PORT_LPT1</Name>"
                      "<Value>/dev/usb/lp0</Value></Setting></Settings></ATIConfig>"));
  vars.Set(xml::kConfigVariable, Value(ObjectRef(config)));
  MainWindowScreens screens;
  screens.segregated_accounts = [this] {
    vars.Set("CO_NAME", Value("THE BACK OFFICE"));
    vars.Set("PRINT_NAME", Value("LPT9"));
  };
  MainWindow window(screen, vars, areas, functions, dir.path(), screens);
  backend.Type("3");
  backend.Press(KeyId::kEsc);
  EXPECT_THROW(window.Run(), ProgramEnd);
  EXPECT_FALSE(vars.Exists("CO_NAME"));
  EXPECT_EQ(vars.Get("PRINT_NAME"), Value("LPT1"));
  EXPECT_EQ(xml::ConfigOf(vars), config.get());
}

}  // namespace
}  // namespace zur::mainwindow

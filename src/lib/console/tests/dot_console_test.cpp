#include "lib/console/dot_console.h"

#include <gtest/gtest.h>

#include "platform/term/tests/term_fixture.h"

namespace zur::console {
namespace {

class DotConsoleTest : public term::TermTest {};

TEST_F(DotConsoleTest, CommandsOnTheScreenThenItIsGivenBack) {
  VarStore vars;
  vars.Set("PART_ID", "B01234");
  screen.console().Say(10, 5, "the screen underneath");
  std::string shown;
  backend.Type("? PART_ID\r");
  backend.Type("x = 'a' + 'b'\r");
  backend.Type("? X\r");
  backend.before_read = [&](const term::CellGrid&) { shown = backend.Text(); };
  backend.Type("EXIT\r");
  DeveloperConsole(screen, vars, {});
  EXPECT_NE(
      shown.find("To view / set memvar, SAVE TO xx.XBS, key in \"QUIT\" or \"EXIT\" to quit."),
      std::string::npos)
      << shown;
  EXPECT_NE(shown.find("Command: ? PART_ID\nB01234\nCommand: x = 'a' + 'b'\nCommand: ? X\nab\n"),
            std::string::npos)
      << shown;
  EXPECT_EQ(vars.Get("X").str(), "ab");
  EXPECT_EQ(GridRow(10), "     the screen underneath");
}

TEST_F(DotConsoleTest, QuitEndsTheProgramAndEscapeLeaves) {
  VarStore vars;
  int quits = 0;
  DotConsoleOptions options;
  options.quit = [&] { ++quits; };
  backend.Type("QUIT\r");
  DeveloperConsole(screen, vars, options);
  EXPECT_EQ(quits, 1);
  backend.Type("\x1b");
  DeveloperConsole(screen, vars, options);
  EXPECT_EQ(quits, 1);
}

}  // namespace
}  // namespace zur::console

// The demo program in a real terminal: tmux runs it on its own server, keys are typed with
// send-keys and the screen read with capture-pane; after SIGTERM the terminal must be as it was
// before the program started.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "platform/term/tests/tmux_server.h"

namespace {

namespace fs = std::filesystem;
using zur::term::testing::HaveTmux;
using zur::term::testing::ReadFile;
using zur::term::testing::TmuxServer;

TEST(TmuxTest, TheTerminalIsGivenBackAfterSigterm) {
  if (!HaveTmux())
    GTEST_SKIP() << "tmux is not installed here (scripts/setup installs it)";
  const fs::path dir = fs::temp_directory_path() / ("zur_tmux_test_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string d = dir.string();
  const std::string script = "stty -g > " + d + "/before; ZUR_TERM_DEMO_PIDFILE=" + d + "/pid " +
                             ZUR_TERM_DEMO + "; stty -g > " + d +
                             "/after; echo DEMO-ENDED; sleep 60";
  TmuxServer tmux;
  tmux.Tmux("new-session -d -x 100 -y 30 \"sh -c '" + script + "'\"");
  tmux.Tmux("set -g escape-time 0");
  ASSERT_TRUE(tmux.WaitFor("ZUR text grid demo")) << tmux.Screen();
  tmux.Tmux("send-keys abc Tab 125");
  ASSERT_TRUE(tmux.WaitFor("Name       :  ABC")) << tmux.Screen();
  ASSERT_TRUE(tmux.WaitFor("Density    :  125")) << tmux.Screen();
  EXPECT_EQ(tmux.Tmux("display -p '#{alternate_on} #{mouse_any_flag}'"), "1 1\n");

  const pid_t pid = std::stoi(ReadFile(dir / "pid"));
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  ASSERT_TRUE(tmux.WaitFor("DEMO-ENDED")) << tmux.Screen();
  // The modes of the terminal line, the normal screen, a visible cursor, no mouse reports.
  EXPECT_EQ(ReadFile(dir / "after"), ReadFile(dir / "before"));
  EXPECT_EQ(tmux.Tmux("display -p '#{alternate_on} #{cursor_flag} #{mouse_any_flag}'"), "0 1 0\n");
  fs::remove_all(dir);
}

}  // namespace

// The demo program in a real terminal: tmux runs it on its own server, keys are typed with
// send-keys and the screen read with capture-pane; after SIGTERM the terminal must be as it was
// before the program started.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return out;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
  pclose(pipe);
  return out;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class TmuxServer {
 public:
  TmuxServer() : socket_("zur-term-test-" + std::to_string(getpid())) {}
  ~TmuxServer() { Tmux("kill-server"); }
  std::string Tmux(const std::string& args) const {
    return Shell("tmux -L " + socket_ + " -f /dev/null " + args);
  }
  std::string Screen() const { return Tmux("capture-pane -p"); }
  // Waits until the screen shows `text`; false after ten seconds.
  bool WaitFor(const std::string& text) const {
    for (int i = 0; i < 200; ++i) {
      if (Screen().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  std::string socket_;
};

TEST(TmuxTest, TheTerminalIsGivenBackAfterSigterm) {
  if (Shell("command -v tmux").empty())
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

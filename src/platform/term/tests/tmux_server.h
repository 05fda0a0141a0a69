#pragma once
// A tmux server of a test's own: programs run in a real terminal, keys are typed with
// send-keys and the screen is read with capture-pane.

#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace zur::term::testing {

inline std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return out;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
  pclose(pipe);
  return out;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool HaveTmux() {
  return !Shell("command -v tmux").empty();
}

class TmuxServer {
 public:
  explicit TmuxServer(const std::string& name = "zur-term-test")
      : socket_(name + "-" + std::to_string(getpid())) {}
  ~TmuxServer() { Tmux("kill-server"); }
  std::string Tmux(const std::string& args) const {
    return Shell("tmux -L " + socket_ + " -f /dev/null " + args);
  }
  std::string Screen() const { return Tmux("capture-pane -p"); }
  // Waits until the screen shows `text`; false after `seconds`.
  bool WaitFor(const std::string& text, int seconds = 10) const {
    for (int i = 0; i < seconds * 20; ++i) {
      if (Screen().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

 private:
  std::string socket_;
};

}  // namespace zur::term::testing

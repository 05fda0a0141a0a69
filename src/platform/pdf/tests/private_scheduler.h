#pragma once
// Programs of the printing system started for a test on loopback: a daemon stopped when the
// test ends, and a print scheduler of the test's own whose destinations are the named
// destinations of the printing system while the test points the library at it
// (cupsSetServer).

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/pdf/tests/tool_runner.h"

extern char** environ;

namespace zur::pdf::testing {

inline int FreeLoopbackPort() {
  int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
    port = ntohs(a.sin_port);
  }
  ::close(s);
  return port;
}

inline bool Accepts(int port) {
  int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

// A program started for a test, listening on a loopback port; stopped when the test ends.
class Daemon {
 public:
  Daemon() = default;
  Daemon(const Daemon&) = delete;
  Daemon& operator=(const Daemon&) = delete;
  // Starts `args` with its errors in `log` and waits until `port` answers; on failure returns
  // why, from the program's own log.
  std::string Start(std::vector<std::string> args, const std::string& log, int port) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      pid_ = -1;
      return "cannot start " + args[0];
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      if (Accepts(port)) return {};
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return args[0] + " stopped: " + testing::ReadAll(log);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return args[0] + ": no answer on 127.0.0.1 within 10 s";
  }
  ~Daemon() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = -1;
};

// A print scheduler of the test's own on loopback, with its configuration, spool and logs in
// `root`: its destinations are the named destinations of the printing system. Needs root
// (the scheduler runs its backends as the user "lp").
class PrivateScheduler {
 public:
  std::string Start(const std::filesystem::path& root) {
    if (::geteuid() != 0) return "the scheduler needs root";
    if (::access(kSchedulerTool, X_OK) != 0 || ::access(kAdminTool, X_OK) != 0)
      return "cupsd or lpadmin not installed (cups-daemon, cups-client)";
    port_ = FreeLoopbackPort();
    if (port_ == 0) return "no free loopback port";
    namespace fs = std::filesystem;
    for (const char* d : {"spool", "cache", "state", "log", "tmp"})
      fs::create_directories(root / d);
    // The scheduler's user must reach its folders.
    for (fs::path p = root; p != p.parent_path() && p != fs::temp_directory_path();
         p = p.parent_path())
      fs::permissions(p, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const std::string r = root.string();
    WriteAll(root / "cupsd.conf",
             "Listen 127.0.0.1:" + std::to_string(port_) +
                 "\nLogLevel warn\nBrowsing Off\nDefaultAuthType None\nWebInterface No\n"
                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                 "</Policy>\n");
    WriteAll(root / "cups-files.conf",
             "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nCacheDir " + r +
                 "/cache\nStateDir " + r + "/state\nTempDir " + r + "/tmp\nErrorLog " + r +
                 "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r +
                 "/log/page_log\nUser lp\nGroup lp\nSystemGroup root\nSandboxing Relaxed\n");
    // PDF goes to the printer as it is: no filters needed.
    WriteAll(root / "zur.convs", "application/pdf\tapplication/vnd.cups-pdf\t0\t-\n");
    for (const char* d : {"spool", "cache", "state", "log", "tmp"})
      if (::chown((root / d).c_str(), LpUid(), static_cast<gid_t>(-1)) != 0)
        return "cannot hand the scheduler's folders to lp";
    return daemon_.Start(
        {kSchedulerTool, "-f", "-c", r + "/cupsd.conf", "-s", r + "/cups-files.conf"},
        r + "/cupsd.log", port_);
  }
  // Adds a destination `name` that prints on the printer at `uri` with the driver `model`
  // ("raw" asks nothing of the printer); `options` are further lpadmin options.
  std::string AddDestination(const std::string& name, const std::string& uri,
                             const std::string& model = "everywhere",
                             const std::string& options = "") const {
    return Admin("-p " + name + " -E -v " + uri + " -m " + model + " " + options);
  }
  // Makes `name` the default destination.
  std::string SetDefault(const std::string& name) const { return Admin("-d " + name); }
  std::string Server() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  std::string Admin(const std::string& args) const {
    const std::string cmd =
        std::string(kAdminTool) + " -h " + Server() + " " + args + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0 ? std::string() : "lpadmin refused " + args;
  }
  static uid_t LpUid() {
    const passwd* lp = ::getpwnam("lp");
    return lp ? lp->pw_uid : 0;
  }
  static constexpr const char* kSchedulerTool = "/usr/sbin/cupsd";
  static constexpr const char* kAdminTool = "/usr/sbin/lpadmin";
  Daemon daemon_;
  int port_ = 0;
};

}  // namespace zur::pdf::testing

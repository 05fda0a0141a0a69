#include "lib/compat/shell.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "lib/text/trim_pad.h"

extern char** environ;

namespace zur::compat {
namespace {

// The environment of the child: ours, with PS1 replaced when a prompt is given.
std::vector<std::string> ChildEnvironment(const std::optional<std::string>& prompt) {
  std::vector<std::string> env;
  for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
    if (prompt && std::strncmp(*e, "PS1=", 4) == 0) continue;
    env.emplace_back(*e);
  }
  if (prompt) env.push_back("PS1=" + *prompt);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (std::string& t : texts) out.push_back(t.data());
  out.push_back(nullptr);
  return out;
}

// Ignores SIGINT and SIGQUIT while the shell runs (as system(3) does), restoring them after.
class IgnoreInterrupts {
 public:
  IgnoreInterrupts() {
    struct sigaction ign {};
    ign.sa_handler = SIG_IGN;
    sigemptyset(&ign.sa_mask);
    ::sigaction(SIGINT, &ign, &old_int_);
    ::sigaction(SIGQUIT, &ign, &old_quit_);
  }
  ~IgnoreInterrupts() {
    ::sigaction(SIGINT, &old_int_, nullptr);
    ::sigaction(SIGQUIT, &old_quit_, nullptr);
  }
  IgnoreInterrupts(const IgnoreInterrupts&) = delete;
  IgnoreInterrupts& operator=(const IgnoreInterrupts&) = delete;
  const struct sigaction& old_int() const { return old_int_; }
  const struct sigaction& old_quit() const { return old_quit_; }

 private:
  struct sigaction old_int_ {};
  struct sigaction old_quit_ {};
};

}  // namespace

std::string UserShell() {
  const char* shell = std::getenv("SHELL");
  return shell != nullptr && *shell != '\0' ? std::string(shell) : "/bin/sh";
}

ShellResult RunShell(std::string_view command, const std::optional<std::string>& prompt) {
  ShellResult result;
  std::vector<std::string> args = {UserShell()};
  if (!text::IsBlank(command)) {
    args.emplace_back("-c");
    args.emplace_back(command);
  }
  std::vector<std::string> env = ChildEnvironment(prompt);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);

  // The child reports a failed exec through this pipe; a successful exec closes it.
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    result.error = std::string("cannot create pipe: ") + std::strerror(errno);
    return result;
  }
  IgnoreInterrupts quiet;
  pid_t pid = ::fork();
  if (pid < 0) {
    result.error = std::string("cannot start ") + args[0] + ": " + std::strerror(errno);
    ::close(report[0]);
    ::close(report[1]);
    return result;
  }
  if (pid == 0) {
    ::sigaction(SIGINT, &quiet.old_int(), nullptr);
    ::sigaction(SIGQUIT, &quiet.old_quit(), nullptr);
    ::close(report[0]);
    ::execvpe(argv[0], argv.data(), envp.data());
    int err = errno;
    ssize_t ignored = ::write(report[1], &err, sizeof err);
    (void)ignored;
    ::_exit(127);
  }
  ::close(report[1]);
  int child_errno = 0;
  ssize_t got;
  do {
    got = ::read(report[0], &child_errno, sizeof child_errno);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (got == static_cast<ssize_t>(sizeof child_errno)) {
    result.error = "cannot run " + args[0] + ": " + std::strerror(child_errno);
    return result;
  }
  result.started = true;
  if (WIFEXITED(status))
    result.exit_status = WEXITSTATUS(status);
  else if (WIFSIGNALED(status))
    result.exit_status = 128 + WTERMSIG(status);
  return result;
}

bool SwpRunCmd(const VarStore& vars, std::string_view command) {
  std::optional<std::string> prompt;
  const Value* p = vars.Find("PROMPT");
  if (p != nullptr && p->IsChar()) prompt = p->str();
  return RunShell(command, prompt).started;
}

}  // namespace zur::compat

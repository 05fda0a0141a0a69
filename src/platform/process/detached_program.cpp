#include "platform/process/detached_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace zur::process {

std::string StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return "no program named";
  std::vector<std::string> args = argv;
  std::vector<char*> raw;
  for (std::string& a : args) raw.push_back(a.data());
  raw.push_back(nullptr);
  // The program is started by a short-lived middle process, which this one waits for: the
  // program itself is then nobody's child here and leaves no zombie behind.
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return std::strerror(errno);
  const pid_t middle = ::fork();
  if (middle < 0) {
    const int err = errno;
    ::close(pipe_fds[0]);
    ::close(pipe_fds[1]);
    return std::strerror(err);
  }
  if (middle == 0) {
    ::close(pipe_fds[0]);
    pid_t pid = 0;
    int rc = ::posix_spawnp(&pid, raw[0], nullptr, nullptr, raw.data(), environ);
    (void)!::write(pipe_fds[1], &rc, sizeof rc);
    ::_exit(0);
  }
  ::close(pipe_fds[1]);
  int rc = 0;
  const ssize_t got = ::read(pipe_fds[0], &rc, sizeof rc);
  ::close(pipe_fds[0]);
  int status = 0;
  while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  if (got != static_cast<ssize_t>(sizeof rc)) return "the program could not be started";
  if (rc != 0) return argv[0] + ": " + std::strerror(rc);
  return {};
}

}  // namespace zur::process

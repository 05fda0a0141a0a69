#include "platform/term/terminal_restore.h"

#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <exception>

namespace zur::term {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV,
                            SIGBUS, SIGFPE,  SIGILL, SIGABRT};
constexpr size_t kSignalCount = sizeof kSignals / sizeof kSignals[0];

// Everything the handler touches is plain static data.
volatile sig_atomic_t installed = 0;
volatile sig_atomic_t lent = 0;
int terminal_fd = -1;
termios saved_modes;
char reset_text[512];
size_t reset_length = 0;
struct sigaction previous[kSignalCount];
std::terminate_handler previous_terminate = nullptr;

void Restore() {
  if (!installed) return;
  size_t done = 0;
  while (done < reset_length) {
    const ssize_t n = write(terminal_fd, reset_text + done, reset_length - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  tcsetattr(terminal_fd, TCSANOW, &saved_modes);
}

extern "C" void OnSignal(int signal) {
  if (lent && (signal == SIGINT || signal == SIGQUIT)) return;
  Restore();
  installed = 0;
  for (size_t i = 0; i < kSignalCount; ++i)
    if (kSignals[i] == signal) sigaction(signal, &previous[i], nullptr);
  raise(signal);
}

void OnTerminate() {
  Restore();
  installed = 0;
  if (previous_terminate != nullptr) previous_terminate();
  std::abort();
}

}  // namespace

void InstallTerminalRestore(int fd, const termios& saved, const std::string& reset) {
  terminal_fd = fd;
  saved_modes = saved;
  reset_length = std::min(reset.size(), sizeof reset_text);
  std::memcpy(reset_text, reset.data(), reset_length);
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &action, &previous[i]);
  previous_terminate = std::set_terminate(OnTerminate);
  lent = 0;
  installed = 1;
}

void RemoveTerminalRestore() {
  if (!installed) return;
  installed = 0;
  for (size_t i = 0; i < kSignalCount; ++i) sigaction(kSignals[i], &previous[i], nullptr);
  std::set_terminate(previous_terminate);
}

void RestoreTerminalNow() {
  Restore();
}

void SetTerminalLent(bool on) {
  lent = on ? 1 : 0;
}

}  // namespace zur::term

#include "app/upgrade/upgrade_console.h"

namespace zur::upgrade {

StreamConsole::StreamConsole(std::ostream& out, std::ostream& err, std::function<void()> wait_key)
    : out_(out), err_(err), wait_key_(std::move(wait_key)) {}

void StreamConsole::Line(std::string_view text) {
  out_ << text << '\n' << std::flush;
}

void StreamConsole::Error(std::string_view text) {
  err_ << text << '\n' << std::flush;
}

void StreamConsole::Bell() {
  out_ << '\a' << std::flush;
}

void StreamConsole::WaitKey(std::string_view prompt) {
  err_ << prompt << '\n' << std::flush;
  if (wait_key_) wait_key_();
}

}  // namespace zur::upgrade

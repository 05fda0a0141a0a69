#pragma once
// How the structure upgrade talks to the person at the console: message lines, the bell and
// the "press any key" wait before the program ends.

#include <functional>
#include <ostream>
#include <string_view>

namespace zur::upgrade {

class UpgradeConsole {
 public:
  virtual ~UpgradeConsole() = default;
  virtual void Line(std::string_view text) = 0;   // an ordinary console line
  virtual void Error(std::string_view text) = 0;  // an "ERROR: ..." line
  virtual void Bell() = 0;
  virtual void WaitKey(std::string_view prompt) = 0;
};

// Lines to `out`, errors and the prompt to `err`; `wait_key` waits for the key (may be empty:
// then the prompt is shown and nothing waits).
class StreamConsole : public UpgradeConsole {
 public:
  StreamConsole(std::ostream& out, std::ostream& err, std::function<void()> wait_key = {});
  void Line(std::string_view text) override;
  void Error(std::string_view text) override;
  void Bell() override;
  void WaitKey(std::string_view prompt) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::function<void()> wait_key_;
};

}  // namespace zur::upgrade

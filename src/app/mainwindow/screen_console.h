#pragma once
// The start-up's console lines (table conversions, errors, "Press any key to continue...") on
// the text grid.

#include "app/upgrade/upgrade_console.h"
#include "platform/term/screen.h"

namespace zur::mainwindow {

class ScreenConsole : public upgrade::UpgradeConsole {
 public:
  explicit ScreenConsole(term::Screen& screen) : screen_(screen) {}
  void Line(std::string_view text) override;
  void Error(std::string_view text) override;
  void Bell() override;
  void WaitKey(std::string_view prompt) override;

 private:
  term::Screen& screen_;
};

}  // namespace zur::mainwindow

#pragma once
// An upgrade console that records what the upgrade said.

#include <string>
#include <string_view>
#include <vector>

#include "app/upgrade/upgrade_console.h"

namespace zur::upgrade::testing {

struct RecordingConsole : UpgradeConsole {
  std::vector<std::string> lines;  // lines and errors, in order
  std::vector<std::string> prompts;
  int bells = 0;
  void Line(std::string_view text) override { lines.emplace_back(text); }
  void Error(std::string_view text) override { lines.emplace_back(text); }
  void Bell() override { ++bells; }
  void WaitKey(std::string_view prompt) override { prompts.emplace_back(prompt); }
};

}  // namespace zur::upgrade::testing

#include <cstdio>

#include <fmt/core.h>

#include "run/operator/operator.h"

namespace zur::run {

void BatchOperator::ProgressLine(std::string_view text) {
  if (show_progress_) fmt::print(stderr, "{}\n", text);
  last_percent_ = -1;
}

void BatchOperator::Percent(int percent) {
  // Only every tenth step, so that a log file does not fill with percentages.
  if (!show_progress_ || percent / 10 == last_percent_ / 10) return;
  last_percent_ = percent;
  fmt::print(stderr, "{:3d}%\n", percent);
}

void BatchOperator::PercentDone() {
  if (show_progress_ && last_percent_ != 100) fmt::print(stderr, "100% \n");
  last_percent_ = 100;
}

void BatchOperator::BlinkingWarning(std::string_view text) {
  fmt::print(stderr, "{}\n", text);
}

void BatchOperator::MessageBox(std::string_view title, std::string_view text) {
  fmt::print(stderr, "{}: {}\n", title, text);
}

bool BatchOperator::YesNo(std::string_view title, std::string_view text) {
  fmt::print(stderr, "{}: {} -> {}\n", title, text, yes_answer_ ? "Yes" : "No");
  return yes_answer_;
}

void BatchOperator::MessageLineAndWait(std::string_view text) {
  fmt::print(stderr, "{}\n", text);
}

void BatchOperator::Announce(std::string_view text) {
  fmt::print("{}\n", text);
  std::fflush(stdout);
}

}  // namespace zur::run

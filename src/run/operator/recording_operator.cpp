#include <fmt/core.h>

#include "run/operator/operator.h"

namespace zur::run {

void RecordingOperator::ProgressLine(std::string_view text) {
  events.push_back(fmt::format("progress: {}", text));
}
void RecordingOperator::Percent(int percent) {
  events.push_back(fmt::format("percent: {}", percent));
}
void RecordingOperator::PercentDone() {
  events.push_back("percent: done");
}
void RecordingOperator::BlinkingWarning(std::string_view text) {
  events.push_back(fmt::format("warn: {}", text));
}
void RecordingOperator::MessageBox(std::string_view title, std::string_view text) {
  events.push_back(fmt::format("box {}: {}", title, text));
}
bool RecordingOperator::YesNo(std::string_view title, std::string_view text) {
  const bool answer = next_answer_ < answers.size() ? answers[next_answer_++] : default_answer;
  events.push_back(fmt::format("ask {}: {} -> {}", title, text, answer ? "yes" : "no"));
  return answer;
}
void RecordingOperator::MessageLineAndWait(std::string_view text) {
  events.push_back(fmt::format("line22: {}", text));
}
void RecordingOperator::Announce(std::string_view text) {
  events.push_back(fmt::format("announce: {}", text));
}

std::vector<std::string> RecordingOperator::Matching(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const auto& e : events)
    if (std::string_view(e).substr(0, prefix.size()) == prefix) out.push_back(e);
  return out;
}

}  // namespace zur::run

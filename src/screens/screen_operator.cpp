#include "screens/screen_operator.h"

#include <fmt/format.h>

#include <algorithm>

#include "platform/term/message_box.h"

namespace zur::screens {

void ScreenOperator::Show() {
  screen_.Refresh();
  last_shown_ = Clock::now();
}

void ScreenOperator::ShowSoon() {
  if (Clock::now() - last_shown_ >= std::chrono::milliseconds(kRedrawMs)) Show();
}

// A text longer than the grid is wide goes on as many rows as it needs, so that a warning
// keeps the name of the file it is about.
void ScreenOperator::Line(std::string_view text, const term::Attr& attr) {
  term::Console& console = screen_.console();
  const std::vector<std::string> rows = term::WrapLines(text, term::kGridColumns);
  for (const std::string& row : rows.empty() ? std::vector<std::string>{""} : rows) {
    console.NextLine("");
    console.Say(console.row(), 0, row, attr);
  }
  percent_at_.reset();
  shown_percent_ = -1;
}

term::Cursor ScreenOperator::PercentPlace() {
  if (!percent_at_) {
    const term::Console& console = screen_.console();
    percent_at_ = term::Cursor{console.row(), console.col(), false};
  }
  return *percent_at_;
}

void ScreenOperator::ProgressLine(std::string_view text) {
  announcing_ = false;
  Line(text, screen_.console().colours().standard);
  Show();
}

void ScreenOperator::Percent(int percent) {
  if (percent == shown_percent_) return;
  shown_percent_ = percent;
  const term::Cursor at = PercentPlace();
  screen_.console().Say(at.row, at.col, fmt::format("{:3d}%", std::clamp(percent, 0, 100)));
  ShowSoon();
}

void ScreenOperator::PercentDone() {
  const term::Cursor at = PercentPlace();
  screen_.console().Say(at.row, at.col, "100% ");
  percent_at_->col += 5;
  shown_percent_ = -1;
  Show();
}

void ScreenOperator::BlinkingWarning(std::string_view text) {
  term::Attr attr = screen_.console().colours().standard;
  attr.blink = true;
  Line(text, attr);
  ShowSoon();
}

void ScreenOperator::MessageBox(std::string_view title, std::string_view text) {
  term::MessageBox(screen_, text, title);
}

bool ScreenOperator::YesNo(std::string_view title, std::string_view text) {
  return term::ConfirmBox(screen_, text, title, true);
}

void ScreenOperator::MessageLineAndWait(std::string_view text) {
  term::Console& console = screen_.console();
  console.ClearRows(22, 23);
  console.Say(22, 0, text);
  console.Bell();
  console.Say(23, 0, "*** Hit any key to Continue ");
  console.WaitKey();
  percent_at_.reset();
  shown_percent_ = -1;
}

void ScreenOperator::Announce(std::string_view text) {
  if (!announcing_) screen_.Bell();
  announcing_ = true;
  Line(text, screen_.console().colours().standard);
  Show();
}

}  // namespace zur::screens

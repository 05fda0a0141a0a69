#pragma once
// The checking run on the text grid: progress lines on the next console row at column 0, the
// percentage of a pass after the line it belongs to, warnings blinking, message and yes/no
// boxes titled as the run asks, the message line at row 22 with the bell and a key wait, and
// the closing lines after the bell.
//
// Drawing stays cheap however often the run reports: a percentage is written only when its
// number changes; percentages and warnings (of which a run may give many) are shown at most
// every kRedrawMs, progress lines, finished passes and the closing lines at once, and
// whatever is pending is shown when the run waits for the operator.

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/term/screen.h"
#include "run/operator/operator.h"

namespace zur::screens {

class ScreenOperator : public run::Operator {
 public:
  static constexpr int kRedrawMs = 50;

  explicit ScreenOperator(term::Screen& screen) : screen_(screen) {}

  void ProgressLine(std::string_view text) override;
  void Percent(int percent) override;
  void PercentDone() override;
  void BlinkingWarning(std::string_view text) override;
  void MessageBox(std::string_view title, std::string_view text) override;
  bool YesNo(std::string_view title, std::string_view text) override;
  void MessageLineAndWait(std::string_view text) override;
  void Announce(std::string_view text) override;

 private:
  using Clock = std::chrono::steady_clock;

  // A line at column 0 of the next row; the percentage display starts again after it.
  void Line(std::string_view text, const term::Attr& attr);
  void Show();
  void ShowSoon();
  // Where the percentage stands: after the last line, or after the last "100% ".
  term::Cursor PercentPlace();

  term::Screen& screen_;
  std::optional<term::Cursor> percent_at_;
  int shown_percent_ = -1;
  bool announcing_ = false;
  Clock::time_point last_shown_{};
};

}  // namespace zur::screens

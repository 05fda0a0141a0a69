#pragma once
// Everything the checking run tells or asks the person at the screen goes through Operator:
// the terminal UI, batch mode and tests each implement it.

#include <string>
#include <string_view>
#include <vector>

namespace zur::run {

class Operator {
 public:
  virtual ~Operator() = default;

  // A progress line on the next screen row at column 0 ("Scanning Report Text File ...").
  virtual void ProgressLine(std::string_view text) = 0;
  // The percentage display of a pass over a table: 0..100 (drawn as "NNN%").
  virtual void Percent(int percent) = 0;
  // A pass has finished: "100% " is shown and the display moves past it.
  virtual void PercentDone() = 0;
  // A warning that does not stop the run, shown blinking ("WARNING: ...").
  virtual void BlinkingWarning(std::string_view text) = 0;
  // A modal message box with an OK button, titled "ZUR" or "OBX".
  virtual void MessageBox(std::string_view title, std::string_view text) = 0;
  // A yes/no warning box; true for "yes".
  virtual bool YesNo(std::string_view title, std::string_view text) = 0;
  // The message line at row 22 with the bell, then "*** Hit any key to Continue ".
  virtual void MessageLineAndWait(std::string_view text) = 0;
  // A line for the operator on stdout-like output ("CCASS ZUR Upload File ... is generated !").
  virtual void Announce(std::string_view text) = 0;
};

// Batch mode: messages go to stderr, announcements to stdout, and every yes/no question is
// answered with `yes_answer` (the run's alerts ask "continue?", so batch mode goes on).
class BatchOperator : public Operator {
 public:
  explicit BatchOperator(bool yes_answer = true, bool show_progress = true)
      : yes_answer_(yes_answer), show_progress_(show_progress) {}
  void ProgressLine(std::string_view text) override;
  void Percent(int percent) override;
  void PercentDone() override;
  void BlinkingWarning(std::string_view text) override;
  void MessageBox(std::string_view title, std::string_view text) override;
  bool YesNo(std::string_view title, std::string_view text) override;
  void MessageLineAndWait(std::string_view text) override;
  void Announce(std::string_view text) override;

 private:
  bool yes_answer_;
  bool show_progress_;
  int last_percent_ = -1;
};

// Says nothing and answers every question "yes": for benchmarks and tools that only want the
// run's files.
class QuietOperator : public Operator {
 public:
  void ProgressLine(std::string_view) override {}
  void Percent(int) override {}
  void PercentDone() override {}
  void BlinkingWarning(std::string_view) override {}
  void MessageBox(std::string_view, std::string_view) override {}
  bool YesNo(std::string_view, std::string_view) override { return true; }
  void MessageLineAndWait(std::string_view) override {}
  void Announce(std::string_view) override {}
};

// Tests: records every call as one line ("box ZUR: text", "warn: text" ...) and answers
// yes/no questions from a script (then `default_answer`).
class RecordingOperator : public Operator {
 public:
  std::vector<std::string> events;
  std::vector<bool> answers;
  bool default_answer = true;

  void ProgressLine(std::string_view text) override;
  void Percent(int percent) override;
  void PercentDone() override;
  void BlinkingWarning(std::string_view text) override;
  void MessageBox(std::string_view title, std::string_view text) override;
  bool YesNo(std::string_view title, std::string_view text) override;
  void MessageLineAndWait(std::string_view text) override;
  void Announce(std::string_view text) override;

  // The recorded lines that begin with `prefix`.
  std::vector<std::string> Matching(std::string_view prefix) const;

 private:
  size_t next_answer_ = 0;
};

}  // namespace zur::run

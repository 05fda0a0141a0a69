#pragma once
// `zur check`: the checking run without screens, in the database directory, with the start
// screen's fields from the command line, then the checking reports printed. A scheduled run
// must be able to tell from the status alone whether everything was done.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/vars/date.h"
#include "run/driver/checking_run.h"
#include "run/driver/start_screen.h"
#include "run/operator/operator.h"
#include "run/upload/upload_writer.h"

namespace zur::driver {

// Exit statuses of `zur check`.
inline constexpr int kCheckDone = 0;         // upload files generated and both reports printed
inline constexpr int kCheckStopped = 1;      // a message ended the run (it went to the operator)
inline constexpr int kCheckReportsKept = 3;  // upload files generated; a report was not printed
                                             // and is kept (the WARNING lines name it)
// Upload files generated, but a report could not even be written (a full disk): its message
// said so, and nothing of it is printed or kept.
inline constexpr int kCheckReportNotWritten = 4;

// The status a finished run ends the program with.
int ExitStatus(const RunOutcome& outcome);

struct CheckCommandOptions {
  StartScreenInputs screen;
  std::string exe_path;
  std::filesystem::path working_dir;   // empty: the current directory
  bool change_directory = true;        // the database directory becomes the current one
  std::optional<Date> today;           // empty: the computer's date
  bool pdf = false;                    // the reports go to the PDF printer (PRINT_PDF)
  std::filesystem::path keep_reports;  // a copy of each report text goes here ("SHORTAGE.TXT")
  // The time printed on the reports and in their PDFs; empty: the time of printing.
  std::optional<std::chrono::system_clock::time_point> print_time;
  upload::StepHook upload_steps;  // tests: called at each step of the upload writer
};

int CheckCommand(const CheckCommandOptions& options, run::Operator& op);

}  // namespace zur::driver

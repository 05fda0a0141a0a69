#pragma once
// `zur check`: the checking run without screens, in the database directory, with the start
// screen's fields from the command line, then the checking reports printed. Status 0 once the
// upload files are generated (a report that could not be printed is kept in the audit folder
// and warned about); any message that ends the program gives status 1 (the message went to the
// operator).

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/vars/date.h"
#include "run/driver/start_screen.h"
#include "run/operator/operator.h"

namespace zur::driver {

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
};

int CheckCommand(const CheckCommandOptions& options, run::Operator& op);

}  // namespace zur::driver

#pragma once
// `zur check`: the checking run without screens, in the database directory, with the start
// screen's fields from the command line. Status 0 once the upload files are generated; any
// message that ends the program gives status 1 (the message went to the operator).

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
  std::filesystem::path working_dir;  // empty: the current directory
  bool change_directory = true;       // the database directory becomes the current one
  std::optional<Date> today;          // empty: the computer's date
};

int CheckCommand(const CheckCommandOptions& options, run::Operator& op);

}  // namespace zur::driver

#pragma once
// `zur upgrade NAME`: brings the table NAME of the current directory to this version's
// structure, as start-up does.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace zur::commands {

// `args` are the words after "upgrade": the table name without ".DBF". Console lines go to
// `out`, errors and the "press any key" prompt to `err`; `wait_key` waits for the key.
// Returns 0 when the table is up to date or was converted; 1 when it is in use, damaged or
// the upgrade had to stop; 2 for a wrong call.
int UpgradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::function<void()>& wait_key = {});

}  // namespace zur::commands

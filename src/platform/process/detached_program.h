#pragma once
// Starting another program that runs on its own (a web browser for the help pages, a report
// viewer): no shell, no waiting, and no process left behind as a zombie.

#include <string>
#include <vector>

namespace zur::process {

// Starts `argv[0]` (looked up on PATH) with the arguments. Empty on success, else why the
// program could not be started.
std::string StartDetached(const std::vector<std::string>& argv);

}  // namespace zur::process

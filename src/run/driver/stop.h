#pragma once
// Ending the checking run from the driver: the message is shown, then run::RunStopped.

#include <functional>
#include <string>

#include "run/operator/operator.h"
#include "run/operator/run_stopped.h"

namespace zur::driver {

// Shows `message` in a box titled "ZUR" and stops the run.
[[noreturn]] void Stop(run::Operator& op, const std::string& message);

// Runs `step`; a table failure (dbf::Error, whose message names the file) is shown as
// "ERROR: ..." and stops the run.
void WithTableErrors(run::Operator& op, const std::function<void()>& step);

}  // namespace zur::driver

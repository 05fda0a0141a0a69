#include "run/driver/stop.h"

#include "platform/dbf/table.h"

namespace zur::driver {

void Stop(run::Operator& op, const std::string& message) {
  op.MessageBox("ZUR", message);
  throw run::RunStopped(message);
}

void WithTableErrors(run::Operator& op, const std::function<void()>& step) {
  try {
    step();
  } catch (const dbf::Error& e) {
    Stop(op, std::string("ERROR: ") + e.what());
  }
}

}  // namespace zur::driver

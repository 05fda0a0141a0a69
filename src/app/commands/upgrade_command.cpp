#include "app/commands/upgrade_command.h"

#include "app/upgrade/flconv.h"

namespace zur::commands {

int UpgradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::function<void()>& wait_key) {
  if (args.size() != 1 || args[0].empty()) {
    err << "usage: zur upgrade NAME\n";
    return 2;
  }
  upgrade::StreamConsole console(out, err, wait_key);
  const upgrade::UpgradeResult result = upgrade::Flconv(args[0], console);
  switch (result.status) {
    case upgrade::UpgradeStatus::kUpToDate:
    case upgrade::UpgradeStatus::kConverted:
      return 0;
    case upgrade::UpgradeStatus::kInUse:
      err << "zur upgrade: " << args[0] << ".DBF is in use by another program; not upgraded\n";
      return 1;
    case upgrade::UpgradeStatus::kQuit:
    case upgrade::UpgradeStatus::kFailed:
      return 1;
  }
  return 1;
}

}  // namespace zur::commands

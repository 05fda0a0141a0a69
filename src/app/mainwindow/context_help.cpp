#include "app/mainwindow/context_help.h"

#include "app/menu/help_topic.h"
#include "platform/process/detached_program.h"

namespace zur::mainwindow {

std::filesystem::path HelpPageFor(const VarStore& vars, const std::filesystem::path& dir) {
  const Value* msg = vars.Find("MSG");
  const Value* main = vars.Find("MAIN");
  const auto topic = menu::HelpTopic(msg != nullptr ? msg->StrOr() : std::string_view(),
                                     main != nullptr ? main->StrOr() : std::string_view());
  if (!topic) return {};
  return menu::FindHelpPage(dir / "ATIHELP", *topic).value_or(std::filesystem::path());
}

void ShowHelp(const VarStore& vars, const std::filesystem::path& dir, const std::string& opener) {
  const std::filesystem::path page = HelpPageFor(vars, dir);
  if (!page.empty()) process::StartDetached({opener, page.string()});
}

}  // namespace zur::mainwindow

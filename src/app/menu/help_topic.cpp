#include "app/menu/help_topic.h"

#include "app/upgrade/table_files.h"
#include "lib/text/trim_pad.h"

namespace zur::menu {
namespace {

// The page of exactly this topic, found in any letter case.
std::optional<std::filesystem::path> PageOf(const std::filesystem::path& dir,
                                            const std::string& topic) {
  for (const char* ext : {".HTML", ".HTM"}) {
    const std::filesystem::path page = upgrade::FindFile(dir / (topic + ext));
    if (upgrade::FileExists(page)) return page;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> HelpTopic(std::string_view screen_name, std::string_view main_choice) {
  if (screen_name.find("** MAIN  MENU **") != std::string_view::npos) return "0";
  const std::string topic(text::AllTrim(main_choice));
  if (topic.empty()) return std::nullopt;
  if (screen_name.find("(" + topic) == std::string_view::npos) return std::nullopt;
  return topic;
}

std::optional<std::filesystem::path> FindHelpPage(const std::filesystem::path& help_dir,
                                                  std::string topic) {
  for (;;) {
    if (auto page = PageOf(help_dir, topic)) return page;
    if (topic.size() <= 1) break;
    topic.pop_back();
  }
  if (topic != "0") return PageOf(help_dir, "0");
  return std::nullopt;
}

}  // namespace zur::menu

#pragma once
// Context help: the topic of the screen on show and the help page that serves it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zur::menu {

// "0" on the main menu (a screen name holding "** MAIN  MENU **"); otherwise the menu choice
// `main` trimmed, when the screen name holds "(" followed by it ("(2) START CHECKING" for
// "2"); nothing in every other case.
std::optional<std::string> HelpTopic(std::string_view screen_name, std::string_view main_choice);

// The page of `topic` in `help_dir`: TOPIC.HTML, else TOPIC.HTM; while neither exists the topic
// loses its last character (down to one), and topic "0" is the last resort. Nothing when no
// page is found at all.
std::optional<std::filesystem::path> FindHelpPage(const std::filesystem::path& help_dir,
                                                  std::string topic);

}  // namespace zur::menu

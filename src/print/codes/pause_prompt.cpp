#include "print/codes/pause_prompt.h"

#include <cctype>

namespace zur::print {

PauseAnswer Pause(PromptScreen& screen, const std::optional<std::string>& message) {
  PauseAnswer answer;
  if (!message) {
    screen.Say(screen.CursorRow(), 0, kPressAnyKey, false);
    screen.ReadKey();
    return answer;
  }
  int row = 22;
  if (screen.CursorRow() > 22) {
    screen.ScrollUp();
    row = 23;
  }
  screen.ClearRow(row);
  screen.Say(row, 0, message->empty() ? kPressAnyKeyToContinue : std::string_view(*message), true);
  const int key = screen.ReadKey();
  if (key == kEscapeKey) {
    answer.esc_exit = true;
    return answer;
  }
  answer.key = static_cast<char>(std::toupper(key & 0xff));
  answer.esc_exit = answer.key == 'E' || answer.key == 'Q' || answer.key == '0';
  return answer;
}

}  // namespace zur::print

#pragma once
// The one-key prompt the printing routines share: "press any key", or a message on the
// message row with a one-character answer.

#include <optional>
#include <string>
#include <string_view>

namespace zur::print {

// The screen the prompt works on.
class PromptScreen {
 public:
  virtual ~PromptScreen() = default;
  virtual int CursorRow() const = 0;
  virtual void ScrollUp() = 0;  // every row one up, the bottom row blank
  virtual void ClearRow(int row) = 0;
  virtual void Say(int row, int col, std::string_view text, bool intense) = 0;
  virtual int ReadKey() = 0;  // a character code; 27 is Escape
};

inline constexpr int kEscapeKey = 27;
inline constexpr std::string_view kPressAnyKey = "Press any key to continue...";
inline constexpr std::string_view kPressAnyKeyToContinue = "** Press any key to Continue : ";

struct PauseAnswer {
  char key = 0;           // the answer in upper case; 0 for Escape
  bool esc_exit = false;  // ESC_EXIT: Escape, or the answer "E", "Q" or "0"
};

// Without a message: "Press any key to continue..." on the cursor's row, and any key goes on.
// With one: the message row (22; 23 after scrolling when the cursor is below row 22) is
// cleared and the message, or "** Press any key to Continue : " when it is empty, is shown
// there highlighted, then one key is read.
PauseAnswer Pause(PromptScreen& screen, const std::optional<std::string>& message);

}  // namespace zur::print

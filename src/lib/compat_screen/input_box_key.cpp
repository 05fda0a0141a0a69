#include "lib/compat_screen/input_box_key.h"

#include <algorithm>

#include "lib/text/trim_pad.h"
#include "platform/term/edit_buffer.h"
#include "platform/term/get_read.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/input_box.h"

namespace zur::compat_screen {
namespace {

// The box's entry line: as wide as the entry, within a short and a long line.
constexpr int kMinColumns = 12;
constexpr int kMaxColumns = 60;

}  // namespace

void ShowInputBox(term::Screen& screen) {
  term::EditBuffer* entry = term::ActiveGetBuffer();
  if (entry == nullptr) return;
  const term::Cursor& at = screen.console().cursor();
  const int columns = std::clamp(static_cast<int>(entry->capacity()), kMinColumns, kMaxColumns);
  const std::optional<std::string> typed =
      term::InputBoxAt(screen, kInputBoxTitle, text::AllTrim(entry->text()), entry->capacity(),
                       at.row + term::kMenuBarRows + 1, at.col, columns);
  if (typed) entry->SetText(*typed);
}

bool NetworkReady(term::Screen& screen) {
  const auto box = [&screen] { ShowInputBox(screen); };
  screen.hot_keys().Set(term::inkey::kAltF4, box);
  screen.hot_keys().Set(term::inkey::kAltI, box);
  return true;
}

}  // namespace zur::compat_screen

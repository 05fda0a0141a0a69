#include "platform/term/light_bar_menu.h"

#include <cctype>

#include "platform/term/screen.h"

namespace zur::term {
namespace {

char FirstLetter(const std::string& text) {
  for (char c : text)
    if (c != ' ') return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return 0;
}

}  // namespace

int LightBarMenu(Screen& screen, const std::vector<Prompt>& prompts, int initial, int message_row) {
  if (prompts.empty()) return 0;
  Console& console = screen.console();
  const int n = static_cast<int>(prompts.size());
  int current = initial >= 1 && initial <= n ? initial - 1 : 0;
  const auto draw = [&]() {
    for (int i = 0; i < n; ++i) {
      const Prompt& p = prompts[static_cast<size_t>(i)];
      console.Say(p.row, p.col, p.text,
                  i == current ? console.colours().enhanced : console.colours().standard);
    }
    const Prompt& lit = prompts[static_cast<size_t>(current)];
    if (message_row >= 0) {
      console.ClearRows(message_row, message_row);
      console.Say(message_row, 0, lit.message);
    }
    console.SetCursor(lit.row, lit.col);
  };
  for (;;) {
    draw();
    const std::optional<Input> input = screen.ReadKeyOrClick(-1);
    if (!input) continue;
    if (input->kind == Input::kClick) {
      for (int i = 0; i < n; ++i) {
        const Prompt& p = prompts[static_cast<size_t>(i)];
        if (input->row == p.row && input->col >= p.col &&
            input->col < p.col + static_cast<int>(p.text.size())) {
          current = i;
          draw();
          return i + 1;
        }
      }
      continue;
    }
    const Key& key = input->key;
    if (key.IsText() && key.text.size() == 1) {
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key.text[0])));
      for (int i = 0; i < n; ++i) {
        if (FirstLetter(prompts[static_cast<size_t>(i)].text) == letter) {
          current = i;
          draw();
          return i + 1;
        }
      }
      continue;
    }
    if (key.mods != kNoMods) continue;
    switch (key.id) {
      case KeyId::kUp:
      case KeyId::kLeft:
        current = (current + n - 1) % n;
        break;
      case KeyId::kDown:
      case KeyId::kRight:
        current = (current + 1) % n;
        break;
      case KeyId::kHome:
        current = 0;
        break;
      case KeyId::kEnd:
        current = n - 1;
        break;
      case KeyId::kEnter:
      case KeyId::kPgUp:
      case KeyId::kPgDn:
        return current + 1;
      case KeyId::kEsc:
        return 0;
      default:
        break;
    }
  }
}

}  // namespace zur::term

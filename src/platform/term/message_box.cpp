#include "platform/term/message_box.h"

#include <algorithm>
#include <cctype>

#include "platform/big5/big5_text.h"
#include "platform/term/dialog_frame.h"
#include "platform/term/screen.h"

namespace zur::term {
namespace {

constexpr int kTextWidth = 66;

// Where a line of at most `width` bytes ends in `text`: at the last blank that fits, else at
// the last whole character that fits.
size_t BreakAt(std::string_view text, size_t width) {
  if (text.size() <= width) return text.size();
  const size_t blank = text.rfind(' ', width);
  if (blank != std::string_view::npos && blank > 0) return blank;
  size_t end = 0;
  while (end < text.size()) {
    const size_t n = big5::IsBig5Lead(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + n > width) break;
    end += n;
  }
  return std::max<size_t>(end, 1);
}

// A box with buttons; the index of the answer, `escape` for Esc.
int AnswerBox(Screen& screen, std::string_view text, std::string_view title,
              const std::vector<std::string>& captions, int focused, int escape) {
  const std::vector<std::string> lines = WrapLines(text, kTextWidth);
  int width = static_cast<int>(title.size()) + 6;
  for (const std::string& line : lines) width = std::max(width, static_cast<int>(line.size()) + 4);
  int buttons = 0;
  for (const std::string& c : captions) buttons += static_cast<int>(c.size()) + 7;
  width = std::max(width, buttons + 2);
  const Rect box =
      CentredBox(screen.backend().GetSize(), static_cast<int>(lines.size()) + 4, width);
  const std::vector<Rect> places = ButtonRow(box, box.bottom() - 1, captions);
  Screen::OverlayHandle overlay(screen, [&](CellGrid& picture, Cursor& cursor) {
    DrawDialog(picture, box, title, screen.theme());
    for (size_t i = 0; i < lines.size(); ++i)
      picture.Put(box.row + 1 + static_cast<int>(i), box.col + 2, lines[i], screen.theme().dialog);
    DrawButtons(picture, places, captions, focused, screen.theme());
    cursor.visible = false;
  });
  const int n = static_cast<int>(captions.size());
  for (;;) {
    const std::optional<Input> input = screen.ReadInput(-1);
    if (!input) continue;
    if (input->kind == Input::kClick) {
      const int at = PlaceAt(places, input->row, input->col);
      if (at >= 0) return at;
      continue;
    }
    const Key& key = input->key;
    if (key.Is(KeyId::kEsc)) return escape;
    if (key.Is(KeyId::kEnter) || key.IsChar(' ')) return focused;
    if (key.Is(KeyId::kRight) || key.Is(KeyId::kTab)) focused = (focused + 1) % n;
    if (key.Is(KeyId::kLeft) || key.Is(KeyId::kTab, kShift)) focused = (focused + n - 1) % n;
    if (key.IsText() && key.text.size() == 1) {
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key.text[0])));
      for (int i = 0; i < n; ++i)
        if (captions[static_cast<size_t>(i)][0] == letter) return i;
    }
  }
}

}  // namespace

std::vector<std::string> WrapLines(std::string_view text, int width) {
  const size_t w = static_cast<size_t>(std::max(width, 1));
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    do {
      const size_t cut = BreakAt(line, w);
      lines.emplace_back(line.substr(0, cut));
      line.remove_prefix(cut);
      if (!line.empty() && line[0] == ' ') line.remove_prefix(1);
    } while (!line.empty());
    if (end >= text.size()) break;
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

void MessageBox(Screen& screen, std::string_view text, std::string_view title) {
  AnswerBox(screen, text, title, {"OK"}, 0, 0);
}

bool ConfirmBox(Screen& screen, std::string_view text, std::string_view title, bool default_yes) {
  return AnswerBox(screen, text, title, {"Yes", "No"}, default_yes ? 0 : 1, 1) == 0;
}

}  // namespace zur::term

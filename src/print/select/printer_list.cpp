#include "print/select/printer_list.h"

#include <algorithm>
#include <cctype>

#include "platform/term/dialog_frame.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/key.h"

namespace zur::print {
namespace {

constexpr int kMaxRows = 12;
constexpr int kMinWidth = 40;
constexpr std::string_view kHint = "Enter: choose   Esc: cancel";

// The first `width` columns of a line, never half a Big5 character.
std::string_view Clipped(std::string_view line, int width) {
  size_t end = 0;
  for (std::string_view c : term::SplitCharacters(line)) {
    if (end + c.size() > static_cast<size_t>(width)) break;
    end += c.size();
  }
  return line.substr(0, end);
}

class ListView {
 public:
  ListView(term::Screen& screen, const ChoiceList& list) : screen_(screen), list_(list) {
    lit_ = list.initial < list.lines.size() ? list.initial : 0;
    rows_ = std::min(static_cast<int>(list.lines.size()), kMaxRows);
    size_t widest = kHint.size();
    for (const std::string& line : list.lines) widest = std::max(widest, line.size());
    const int width = std::clamp(static_cast<int>(widest) + 4, kMinWidth, term::kGridColumns);
    box_ = term::CentredBox(screen.backend().GetSize(), rows_ + 4, width);
  }

  std::optional<size_t> Run() {
    term::Screen::OverlayHandle overlay(
        screen_, [this](term::CellGrid& picture, term::Cursor& cursor) { Draw(picture, cursor); });
    for (;;) {
      const std::optional<term::Input> input = screen_.ReadInput(-1);
      if (!input) continue;
      if (input->kind == term::Input::kClick) {
        const int line = top_ + input->row - (box_.row + 1);
        if (input->row <= box_.row || input->row > box_.row + rows_ || line < 0) continue;
        if (static_cast<size_t>(line) == lit_) return lit_;
        if (static_cast<size_t>(line) < list_.lines.size()) lit_ = static_cast<size_t>(line);
        continue;
      }
      if (input->kind != term::Input::kKey) continue;
      const term::Key& key = input->key;
      if (key.Is(term::KeyId::kEsc)) return std::nullopt;
      if (key.Is(term::KeyId::kEnter)) return lit_;
      OnKey(key);
    }
  }

 private:
  void MoveBy(long delta) {
    const long last = static_cast<long>(list_.lines.size()) - 1;
    lit_ = static_cast<size_t>(std::clamp(static_cast<long>(lit_) + delta, 0L, last));
  }

  // The keys by their inkey codes, so that Ctrl+E, Ctrl+X ... move as in the console's lists.
  void OnKey(const term::Key& key) {
    namespace inkey = term::inkey;
    if (key.IsText() && key.text.size() == 1) return GoToLetter(key.text[0]);
    switch (inkey::FromKey(key)) {
      case inkey::kUp:
        return MoveBy(-1);
      case inkey::kDown:
        return MoveBy(1);
      case inkey::kPgUp:
        return MoveBy(-rows_);
      case inkey::kPgDn:
        return MoveBy(rows_);
      case inkey::kHome:
        lit_ = 0;
        return;
      case inkey::kEnd:
        lit_ = list_.lines.size() - 1;
        return;
      default:
        return;
    }
  }

  void GoToLetter(char c) {
    const auto fold = [](char x) { return std::toupper(static_cast<unsigned char>(x)); };
    for (size_t step = 1; step <= list_.lines.size(); ++step) {
      const size_t i = (lit_ + step) % list_.lines.size();
      const std::string& line = list_.lines[i];
      if (!line.empty() && fold(line[0]) == fold(c)) {
        lit_ = i;
        return;
      }
    }
  }

  void Draw(term::CellGrid& picture, term::Cursor& cursor) {
    const term::Theme& theme = screen_.theme();
    term::DrawDialog(picture, box_, list_.title, theme);
    if (lit_ < static_cast<size_t>(top_)) top_ = static_cast<int>(lit_);
    if (lit_ >= static_cast<size_t>(top_ + rows_)) top_ = static_cast<int>(lit_) - rows_ + 1;
    const int width = box_.cols - 4;
    for (int r = 0; r < rows_; ++r) {
      const size_t i = static_cast<size_t>(top_ + r);
      const term::Attr attr = i == lit_ ? theme.entry_focused : theme.dialog;
      picture.Fill(term::Rect{box_.row + 1 + r, box_.col + 2, 1, width}, attr);
      picture.Put(box_.row + 1 + r, box_.col + 2, Clipped(list_.lines[i], width), attr);
    }
    picture.Put(box_.bottom() - 1, box_.col + 2, kHint, theme.dialog);
    cursor.visible = false;
  }

  term::Screen& screen_;
  const ChoiceList& list_;
  size_t lit_ = 0;
  int rows_ = 0;
  int top_ = 0;
  term::Rect box_;
};

}  // namespace

std::optional<size_t> ChooseFromList(term::Screen& screen, const ChoiceList& list) {
  if (list.lines.empty()) return std::nullopt;
  return ListView(screen, list).Run();
}

}  // namespace zur::print

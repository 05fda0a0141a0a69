#include "platform/term/get_read.h"

#include <algorithm>

#include "platform/term/inkey_codes.h"
#include "platform/term/picture.h"
#include "platform/term/screen.h"

namespace zur::term {
namespace {

EditBuffer* active_buffer = nullptr;

// Makes a buffer the active one for as long as it lives.
class ActiveBuffer {
 public:
  explicit ActiveBuffer(EditBuffer* buffer) : previous_(active_buffer) { active_buffer = buffer; }
  ~ActiveBuffer() { active_buffer = previous_; }
  ActiveBuffer(const ActiveBuffer&) = delete;
  ActiveBuffer& operator=(const ActiveBuffer&) = delete;

 private:
  EditBuffer* previous_;
};

enum class Move { kStay, kNext, kPrevious, kExit, kAbandon };

int WindowOf(const Picture& picture, const std::string& value) {
  const int length = static_cast<int>(value.size());
  return picture.window > 0 ? std::min(picture.window, std::max(length, 1)) : std::max(length, 1);
}

void Show(Console& console, const GetEntry& entry, const EditBuffer& buffer, int width,
          const Attr& attr) {
  EditBuffer view = buffer;
  const size_t first = view.ScrollFor(width);
  console.cells().Fill(Rect{entry.row, entry.col, 1, width}, attr);
  console.cells().Put(entry.row, entry.col,
                      std::string_view(buffer.text()).substr(first, static_cast<size_t>(width)),
                      attr);
}

// Moves the caret off template positions that are not typed over, in the direction given.
void SkipLiterals(EditBuffer& buffer, const Picture& picture, bool forward) {
  const size_t limit = buffer.capacity();
  while (buffer.caret() < limit && picture.IsLiteral(buffer.caret())) {
    if (forward) {
      if (buffer.caret() + 1 >= limit) break;
      buffer.Right();
    } else {
      if (buffer.caret() == 0) break;
      buffer.Left();
    }
  }
}

class Reader {
 public:
  Reader(Screen& screen, std::vector<GetEntry>& entries) : screen_(screen), entries_(entries) {}

  ReadResult Run() {
    Console& console = screen_.console();
    for (const GetEntry& e : entries_)
      if (e.value)
        Show(console, e, Loaded(e), WindowOf(Picture::Parse(e.picture), *e.value), Inactive());
    size_t i = 0;
    while (i < entries_.size()) {
      if (entries_[i].value == nullptr) {
        ++i;
        continue;
      }
      const Move move = Edit(entries_[i]);
      if (move == Move::kAbandon || move == Move::kExit) break;
      if (move == Move::kNext) ++i;
      if (move == Move::kPrevious && i > 0) --i;
    }
    result_.exit_key = screen_.last_key();
    return result_;
  }

 private:
  Attr Inactive() const { return screen_.console().EntryAttr(false); }

  static EditBuffer Loaded(const GetEntry& e) {
    EditBuffer buffer(e.value->size(), true);
    buffer.SetText(*e.value);
    return buffer;
  }

  bool Commit(GetEntry& e, const EditBuffer& buffer) {
    if (e.valid && !e.valid(buffer.text())) {
      screen_.Bell();
      return false;
    }
    if (*e.value != buffer.text()) result_.updated = true;
    *e.value = buffer.text();
    return true;
  }

  Move Edit(GetEntry& e) {
    Console& console = screen_.console();
    const Picture picture = Picture::Parse(e.picture);
    const int width = WindowOf(picture, *e.value);
    EditBuffer buffer = Loaded(e);
    ActiveBuffer active(&buffer);
    SkipLiterals(buffer, picture, true);
    bool first_key = true;
    for (;;) {
      buffer.ScrollFor(width);
      Show(console, e, buffer, width, console.EntryAttr(true));
      EditBuffer view = buffer;
      console.SetCursor(e.row, e.col + static_cast<int>(buffer.caret() - view.ScrollFor(width)));
      console.ShowCursor(true);
      const Key key = screen_.ReadKey(-1);
      const Move move = OnKey(key, buffer, picture, first_key);
      first_key = false;
      if (move == Move::kStay) continue;
      if (move != Move::kAbandon && !Commit(e, buffer)) continue;
      Show(console, e, move == Move::kAbandon ? Loaded(e) : buffer, width, Inactive());
      return move;
    }
  }

  Move OnKey(const Key& key, EditBuffer& buffer, const Picture& picture, bool first_key) {
    if (key.IsText()) {
      Type(key, buffer, picture, first_key);
      return buffer.caret() >= buffer.capacity() ? Move::kNext : Move::kStay;
    }
    switch (inkey::FromKey(key)) {
      case inkey::kEnter:
      case inkey::kDown:
      case inkey::kTab:
        return Move::kNext;
      case inkey::kUp:
      case inkey::kShiftTab:
        return Move::kPrevious;
      case inkey::kPgDn:
      case inkey::kPgUp:
      case inkey::kCtrlEnd:  // also Ctrl+W
        return Move::kExit;
      case inkey::kEsc:
        return Move::kAbandon;
      default:
        break;
    }
    const bool right = key.Is(KeyId::kRight) || key.Is(KeyId::kEnd);
    if (ApplyEditingKey(buffer, key, true)) SkipLiterals(buffer, picture, right);
    return Move::kStay;
  }

  void Type(const Key& key, EditBuffer& buffer, const Picture& picture, bool first_key) {
    if (first_key && picture.clear_on_first_key && buffer.caret() == 0) buffer.Clear();
    std::string typed = key.text;
    if (typed.size() == 1) {
      const std::optional<char> accepted = picture.Accept(buffer.caret(), typed[0]);
      if (!accepted) {
        screen_.Bell();
        return;
      }
      typed[0] = *accepted;
    }
    if (!buffer.Type(typed)) {
      screen_.Bell();
      return;
    }
    if (buffer.caret() < buffer.capacity()) SkipLiterals(buffer, picture, true);
  }

  Screen& screen_;
  std::vector<GetEntry>& entries_;
  ReadResult result_;
};

}  // namespace

ReadResult ReadGets(Screen& screen, std::vector<GetEntry>& entries) {
  return Reader(screen, entries).Run();
}

EditBuffer* ActiveGetBuffer() {
  return active_buffer;
}

}  // namespace zur::term

#include "platform/term/edit_buffer.h"

#include <algorithm>

#include "platform/big5/big5_text.h"

namespace zur::term {

EditBuffer::EditBuffer(size_t capacity, bool fixed)
    : capacity_(capacity), fixed_(fixed), insert_(!fixed) {
  Pad();
}

size_t EditBuffer::CharStart(size_t at) const {
  at = std::min(at, text_.size());
  size_t i = 0;
  while (i < at) {
    const size_t next = i + CharSize(i);
    if (next > at) return i;
    i = next;
  }
  return at;
}

size_t EditBuffer::CharSize(size_t at) const {
  if (at >= text_.size()) return 0;
  return big5::IsBig5Lead(static_cast<unsigned char>(text_[at])) && at + 1 < text_.size() ? 2 : 1;
}

void EditBuffer::Pad() {
  if (fixed_) text_.resize(capacity_, ' ');
}

void EditBuffer::SetText(std::string_view text) {
  // Cut to the capacity; a Big5 character that would be cut in half is dropped whole.
  size_t end = 0;
  while (end < text.size()) {
    const size_t n =
        big5::IsBig5Lead(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + n > capacity_) break;
    end += n;
  }
  text_ = std::string(text.substr(0, end));
  Pad();
  caret_ = sel_begin_ = sel_end_ = scroll_ = 0;
}

void EditBuffer::SetCaret(size_t at) {
  MoveTo(at);
}

void EditBuffer::MoveTo(size_t at) {
  caret_ = CharStart(at);
  ClearSelection();
}

void EditBuffer::Select(size_t from, size_t to) {
  sel_begin_ = CharStart(std::min(from, to));
  sel_end_ = CharStart(std::max(from, to));
  caret_ = sel_end_;
}

void EditBuffer::EraseRange(size_t from, size_t to) {
  text_.erase(from, to - from);
  Pad();
  caret_ = from;
  ClearSelection();
}

bool EditBuffer::Type(std::string_view character) {
  if (character.empty()) return false;
  if (HasSelection()) {
    const size_t from = sel_begin_;
    EraseRange(sel_begin_, sel_end_);
    caret_ = from;
  }
  const size_t n = character.size();
  if (fixed_ && !insert_) {
    if (caret_ + n > capacity_) return false;
    // Overwrite whole characters: those the new one covers go, a half covered is blanked.
    size_t end = caret_;
    while (end < caret_ + n && end < text_.size()) end += CharSize(end);
    text_.replace(caret_, end - caret_,
                  std::string(character) + std::string(end - caret_ - n, ' '));
    text_.resize(capacity_, ' ');
  } else {
    if (fixed_) {
      // Insert in a fixed buffer: the blanks at the end make room, text is never pushed out.
      const size_t used =
          text_.find_last_not_of(' ') == std::string::npos ? 0 : text_.find_last_not_of(' ') + 1;
      if (used + n > capacity_ || caret_ + n > capacity_) return false;
      text_.insert(caret_, character);
      text_.resize(capacity_);
    } else {
      if (text_.size() + n > capacity_) return false;
      text_.insert(caret_, character);
    }
  }
  caret_ += n;
  ClearSelection();
  return true;
}

void EditBuffer::Backspace() {
  if (HasSelection()) {
    EraseRange(sel_begin_, sel_end_);
    return;
  }
  if (caret_ == 0) return;
  const size_t from = CharStart(caret_ - 1);
  EraseRange(from, caret_);
}

void EditBuffer::Delete() {
  if (HasSelection()) {
    EraseRange(sel_begin_, sel_end_);
    return;
  }
  if (caret_ >= text_.size()) return;
  EraseRange(caret_, caret_ + CharSize(caret_));
}

void EditBuffer::Left() {
  if (HasSelection()) {
    MoveTo(sel_begin_);
    return;
  }
  if (caret_ > 0) MoveTo(caret_ - 1);
}

size_t EditBuffer::LastCaret() const {
  // A fixed buffer's caret stays on its last byte; a free one may stand after the text.
  return fixed_ ? (capacity_ > 0 ? capacity_ - 1 : 0) : text_.size();
}

void EditBuffer::Right() {
  if (HasSelection()) {
    MoveTo(sel_end_);
    return;
  }
  MoveTo(std::min(caret_ + CharSize(caret_), LastCaret()));
}

void EditBuffer::End() {
  if (fixed_) {
    const size_t last = text_.find_last_not_of(' ');
    MoveTo(last == std::string::npos ? 0 : std::min(last + 1, LastCaret()));
    return;
  }
  MoveTo(text_.size());
}

void EditBuffer::Clear() {
  text_.clear();
  Pad();
  caret_ = 0;
  ClearSelection();
  scroll_ = 0;
}

size_t EditBuffer::ScrollFor(int width) {
  const size_t w = static_cast<size_t>(std::max(width, 1));
  // The cells the text needs: a free buffer also needs the cell after its text for the caret,
  // unless the buffer is full.
  const size_t needed = fixed_ ? capacity_ : std::min(text_.size() + 1, capacity_);
  if (needed <= w) {
    scroll_ = 0;
    return scroll_;
  }
  if (caret_ < scroll_) scroll_ = caret_;
  if (caret_ >= scroll_ + w) scroll_ = caret_ - w + 1;
  scroll_ = CharStart(scroll_);
  if (caret_ >= scroll_ + w) scroll_ += CharSize(scroll_);
  return scroll_;
}

bool ApplyEditingKey(EditBuffer& buffer, const Key& key, bool changes) {
  if (key.mods != kNoMods) return false;
  switch (key.id) {
    case KeyId::kBackspace:
      if (changes) buffer.Backspace();
      return true;
    case KeyId::kDelete:
      if (changes) buffer.Delete();
      return true;
    case KeyId::kLeft:
      buffer.Left();
      return true;
    case KeyId::kRight:
      buffer.Right();
      return true;
    case KeyId::kHome:
      buffer.Home();
      return true;
    case KeyId::kEnd:
      buffer.End();
      return true;
    case KeyId::kInsert:
      buffer.SetInsertMode(!buffer.insert_mode());
      return true;
    default:
      return false;
  }
}

}  // namespace zur::term

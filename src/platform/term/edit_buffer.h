#pragma once
// The text of a single-line entry while it is edited: a buffer of at most `capacity` bytes
// with a caret, an optional selection and the first byte shown in a window of `width` columns.
// Big5 characters are never split: the caret, the selection and the window move over whole
// characters, and a character that does not fit is refused.
//
// A free buffer grows and shrinks with its text (the entry fields of the screens); a fixed one
// always holds `capacity` bytes, blank-padded, and typing overwrites unless insert mode is on
// (the GET entries of the console routines).

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/term/key.h"

namespace zur::term {

class EditBuffer {
 public:
  EditBuffer(size_t capacity, bool fixed);

  const std::string& text() const { return text_; }
  size_t capacity() const { return capacity_; }
  bool fixed() const { return fixed_; }
  // Replaces the text (cut to the capacity at a character boundary, padded when fixed); the
  // caret goes to the start and the selection is dropped.
  void SetText(std::string_view text);

  size_t caret() const { return caret_; }
  void SetCaret(size_t at);
  bool HasSelection() const { return sel_begin_ != sel_end_; }
  size_t selection_begin() const { return sel_begin_; }
  size_t selection_end() const { return sel_end_; }
  void Select(size_t from, size_t to);
  void SelectAll() { Select(0, text_.size()); }
  void ClearSelection() { sel_begin_ = sel_end_ = caret_; }

  bool insert_mode() const { return insert_; }
  void SetInsertMode(bool on) { insert_ = on; }

  // Types one character (one byte, or two for Big5): replaces the selection, or inserts or
  // overwrites at the caret. False when it did not fit.
  bool Type(std::string_view character);
  void Backspace();
  void Delete();
  void Left();
  void Right();
  void Home() { MoveTo(0); }
  void End();
  // Blanks the whole text (fixed) or empties it (free), caret at the start.
  void Clear();

  // The first byte shown in a window of `width` columns, moved so that the caret is visible.
  size_t ScrollFor(int width);
  size_t scroll() const { return scroll_; }

  // The start of the character that holds byte `at` (at most the text's size).
  size_t CharStart(size_t at) const;
  // The size in bytes of the character at `at` (0 at the end).
  size_t CharSize(size_t at) const;

 private:
  void MoveTo(size_t at);
  size_t LastCaret() const;
  void EraseRange(size_t from, size_t to);
  void Pad();

  std::string text_;
  size_t capacity_;
  bool fixed_;
  bool insert_;
  size_t caret_ = 0;
  size_t sel_begin_ = 0;
  size_t sel_end_ = 0;
  size_t scroll_ = 0;
};

// The editing keys without modifiers: Backspace and Delete (when `changes` are allowed), Left,
// Right, Home, End, and Insert (which switches insert mode). True when `key` is one of them.
bool ApplyEditingKey(EditBuffer& buffer, const Key& key, bool changes);

}  // namespace zur::term

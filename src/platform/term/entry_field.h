#pragma once
// A single-line entry field: a buffer of a given length shown in a window of `width` columns
// that scrolls with the caret, a placeholder shown while it is empty and unfocused, optional
// upper-case forcing, read-only, and the focus rule of the screens (on gaining the focus a
// blank field is emptied, any other has its whole text selected so that typing replaces it).
// Its validation callback is run by Validate(); the program decides when.

#include <functional>
#include <string>
#include <string_view>

#include "platform/term/edit_buffer.h"
#include "platform/term/widget.h"

namespace zur::term {

class EntryField : public Widget {
 public:
  EntryField(int row, int col, int width, size_t buffer_length);

  const std::string& text() const { return buffer_.text(); }
  void SetText(std::string_view text) { buffer_.SetText(text); }
  // Shows a number through a picture ("9", "999", "9999.99").
  void SetNumber(double value, std::string_view picture);
  EditBuffer& buffer() { return buffer_; }
  const EditBuffer& buffer() const { return buffer_; }
  int width() const { return area().cols; }

  const std::string& placeholder() const { return placeholder_; }
  void SetPlaceholder(std::string text) { placeholder_ = std::move(text); }
  bool upper_case() const { return upper_case_; }
  void SetUpperCase(bool on) { upper_case_ = on; }
  bool read_only() const { return read_only_; }
  void SetReadOnly(bool on) { read_only_ = on; }
  bool select_all_on_focus() const { return select_all_on_focus_; }
  void SetSelectAllOnFocus(bool on) { select_all_on_focus_ = on; }

  // The validation callback: given the field (and so its text), true when it is valid.
  std::function<bool(EntryField&)> on_validate;
  // Runs the validation callback; a field without one is valid.
  bool Validate();

  void Draw(CellGrid& canvas, bool focused, const Theme& theme) const override;
  std::optional<Cursor> FocusCursor() const override;
  void GainedFocus() override;

 protected:
  void OnKey(Screen& screen, const Key& key) override;
  void OnClick(Screen& screen, int row, int col) override;

 private:
  EditBuffer buffer_;
  std::string placeholder_;
  bool upper_case_ = false;
  bool read_only_ = false;
  bool select_all_on_focus_ = true;
};

// The typed character as the field takes it: upper-cased when `upper` (ASCII letters only).
std::string ForcedCase(std::string_view character, bool upper);

}  // namespace zur::term

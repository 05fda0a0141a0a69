#pragma once
// The back end of tests: keys, clicks and resizes come from a script the test fills, and the
// last picture shown can be read back as text with its attributes.

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/term/backend.h"

namespace zur::term {

// Thrown when the program waits for input and the script has none left.
class InputExhausted : public std::runtime_error {
 public:
  InputExhausted() : std::runtime_error("the headless terminal has no more input") {}
};

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(Size size = Size{kNeededColumns, kNeededRows});

  // The script.
  void Press(Key key) { inputs_.push_back(Input::OfKey(std::move(key))); }
  void Press(KeyId id, std::uint8_t mods = kNoMods) { Press(Key::Named(id, mods)); }
  // Each byte of `text` as a typed key (a Big5 character as one key).
  void Type(std::string_view text);
  // A click at a terminal position (row 0 is the menu bar).
  void Click(int row, int col) { inputs_.push_back(Input::Click(row, col)); }
  // The terminal takes a new size (at once, as a window manager would), and a resize is read.
  void ResizeTo(Size size);
  size_t pending() const { return inputs_.size(); }
  void ClearInput() { inputs_.clear(); }
  // Called when the program waits for input and the script is empty; it may add input.
  std::function<void(HeadlessBackend&)> on_idle;
  // Called before each input is handed out, with the picture shown at that moment.
  std::function<void(const CellGrid&)> before_read;

  // What was shown last.
  const CellGrid& picture() const { return picture_; }
  const Cursor& cursor() const { return cursor_; }
  // A terminal row as UTF-8 text, trailing blanks removed.
  std::string Row(int row) const;
  // All rows, one a line, trailing blanks removed.
  std::string Text() const;
  int bells() const { return bells_; }
  int presents() const { return presents_; }
  bool suspended() const { return suspended_; }

  Size GetSize() const override { return size_; }
  void Present(const CellGrid& picture, const Cursor& cursor) override;
  std::optional<Input> Read(int timeout_ms) override;
  void Bell() override { ++bells_; }
  void Suspend() override { suspended_ = true; }
  void Resume() override { suspended_ = false; }

 private:
  Size size_;
  std::deque<Input> inputs_;
  std::deque<Size> resizes_;
  CellGrid picture_;
  Cursor cursor_;
  int bells_ = 0;
  int presents_ = 0;
  bool suspended_ = false;
};

}  // namespace zur::term

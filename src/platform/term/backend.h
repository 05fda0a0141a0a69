#pragma once
// What the screen needs from a terminal: its size, showing a full picture of cells, reading
// the next key, click or resize, the bell, and handing the terminal over to a shell and back.
// Two back ends: curses (a real terminal) and headless (tests).

#include <optional>

#include "platform/term/cell_grid.h"
#include "platform/term/geometry.h"
#include "platform/term/key.h"

namespace zur::term {

struct Cursor {
  int row = 0;
  int col = 0;
  bool visible = false;
  bool operator==(const Cursor&) const = default;
};

struct Input {
  enum Kind { kKey, kClick, kResize };
  Kind kind = kKey;
  Key key;      // kKey
  int row = 0;  // kClick: terminal row and column
  int col = 0;

  static Input OfKey(Key k) { return Input{kKey, std::move(k), 0, 0}; }
  static Input Click(int row, int col) { return Input{kClick, {}, row, col}; }
  static Input Resize() { return Input{kResize, {}, 0, 0}; }
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual Size GetSize() const = 0;
  // Shows `picture` (as large as the terminal) with the cursor.
  virtual void Present(const CellGrid& picture, const Cursor& cursor) = 0;
  // The next input, waiting at most `timeout_ms` milliseconds (no limit when negative);
  // nothing when the time ran out.
  virtual std::optional<Input> Read(int timeout_ms) = 0;
  virtual void Bell() = 0;
  // Gives the terminal back as the program found it (for a shell), and takes it again; the
  // next picture is then drawn in full.
  virtual void Suspend() = 0;
  virtual void Resume() = 0;
};

}  // namespace zur::term

#pragma once
// GET entries and READ for the console routines: each entry edits a blank-padded text in
// place at its row and column, in the enhanced colour while it is active. Typing overwrites
// (Insert switches to inserting); filling the last position moves on to the next entry, so a
// one-letter answer needs no Enter. Enter, Down and Tab go to the next entry, Up and Shift+Tab
// to the previous; moving on from the last one ends the READ, and so do Page Down, Page Up,
// Ctrl+W and Ctrl+End. An entry whose check fails keeps the cursor. Esc ends the READ and
// drops what was typed in the active entry.

#include <functional>
#include <string>
#include <vector>

#include "platform/term/edit_buffer.h"

namespace zur::term {

class Screen;

struct GetEntry {
  int row = 0;
  int col = 0;
  std::string* value = nullptr;  // its length is the entry's length
  std::string picture;           // "@!", "@S40", "@K", "999", "!" ...
  // Given the typed text; false keeps the cursor in the entry.
  std::function<bool(const std::string& text)> valid;
};

struct ReadResult {
  int exit_key = 0;      // the inkey code of the key that ended the READ
  bool updated = false;  // some value was changed
};

ReadResult ReadGets(Screen& screen, std::vector<GetEntry>& entries);

// The buffer of the entry being edited by ReadGets (for a hot key that fills it in), or null.
EditBuffer* ActiveGetBuffer();

}  // namespace zur::term

#pragma once
// The back end on a real terminal, through ncursesw: the picture drawn in the terminal's
// colours (the alternate screen, restored on exit), keys decoded from curses and from the
// escape sequences it leaves alone, clicks of the first mouse button, resizes. The terminal
// is given back on destruction, and on signals and fatal errors (terminal_restore.h).

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/term/backend.h"

namespace zur::term {

class CursesBackend : public Backend {
 public:
  // Takes the terminal of standard input and output; throws std::runtime_error when they are
  // not a terminal curses can drive.
  CursesBackend();
  ~CursesBackend() override;
  CursesBackend(const CursesBackend&) = delete;
  CursesBackend& operator=(const CursesBackend&) = delete;

  Size GetSize() const override;
  void Present(const CellGrid& picture, const Cursor& cursor) override;
  std::optional<Input> Read(int timeout_ms) override;
  void Bell() override;
  void Suspend() override;
  void Resume() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zur::term

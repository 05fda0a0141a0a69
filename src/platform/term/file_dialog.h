#pragma once
// The file dialog: browses folders and picks one existing file that matches the current
// filter. Up, Down, Page Up, Page Down, Home and End move; Enter opens a folder or picks a
// file; Backspace goes to the parent folder; Tab changes to the next filter; a letter moves to
// the next entry beginning with it; Esc cancels. A click lights an entry, a click on the lit
// one opens or picks it.

#include <optional>
#include <string>
#include <vector>

namespace zur::term {

class Screen;

struct FileFilter {
  std::string name;     // "DBF"
  std::string pattern;  // "*.DBF"
};

struct FileDialogOptions {
  std::string title;
  std::string folder;  // where it starts; empty: the current directory
  std::vector<FileFilter> filters;
};

// The full path of the picked file, or nothing when cancelled. The current directory of the
// process is not changed.
std::optional<std::string> OpenFileDialog(Screen& screen, const FileDialogOptions& options);

}  // namespace zur::term

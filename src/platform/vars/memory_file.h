#pragma once
// Memory files: the program's named memory variables saved as text ("XBSMEM 1", one variable a
// line, array elements on the lines below their array). Reading is all or nothing: a file with
// one line that cannot be parsed changes no variable. Writing replaces the file atomically.
//
// What cannot be written as it is:
// - variables holding objects, code, nothing (Nil) or a number that is not finite (NaN, an
//   infinity: the format has none, and a reader refuses them) are left out of the file;
// - an array element holding one of those is written as an empty text, so that the array
//   keeps its length and every later element keeps its index;
// - an array that contains itself (directly or further down) is written as an empty array
//   where it recurs, as is an array nested deeper than kMaxArrayDepth;
// - a date outside the years 1-9999 is written as the blank date;
// - a variable whose name is not a valid memory-file name is left out.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/value.h"
#include "platform/vars/var_store.h"

namespace zur {

inline constexpr std::string_view kMemoryFileHeader = "XBSMEM 1";
inline constexpr size_t kMaxMemoryNameLength = 64;
// Array levels below a variable ("> " is level 1).
inline constexpr size_t kMaxArrayDepth = 64;
// A larger file is refused on reading, so the writer refuses to produce one.
inline constexpr size_t kMaxMemoryFileBytes = 256u << 20;

// Which variables a save takes: all, those whose names match a pattern ("SCREEN*"), or all
// except those matching one ("Dot*").
struct VarSelection {
  enum class Mode { kAll, kLike, kExcept };
  Mode mode = Mode::kAll;
  std::string pattern;

  static VarSelection All() { return {}; }
  static VarSelection Like(std::string_view p) { return {Mode::kLike, std::string(p)}; }
  static VarSelection Except(std::string_view p) { return {Mode::kExcept, std::string(p)}; }
  bool Selects(std::string_view name) const;
};

enum class RestoreMode {
  kReplace,   // the file's variables replace all current ones
  kAdditive,  // added to the current ones, overwriting those of the same name
};

// The outcome of a save or a restore. On failure `error` names the file (and the line, when
// one line is at fault) and nothing was changed.
struct MemoryFileResult {
  std::string error;
  size_t count = 0;  // variables written or restored
  bool ok() const { return error.empty(); }
};

// One variable as read from a memory file, in file order.
struct MemoryVariable {
  std::string name;
  Value value;
};

struct MemoryFileParse {
  std::vector<MemoryVariable> vars;
  std::string error;  // "<file>: line N: <what>"; empty when the whole text was accepted
  size_t line = 0;    // the line at fault (1-based), 0 when accepted
  bool ok() const { return error.empty(); }
};

// True when `name` may be written to a memory file.
bool IsMemoryFileName(std::string_view name);

// The text of a memory file holding the selected variables, sorted by name; `count` receives
// the number of variables written.
std::string FormatMemoryFile(const VarStore& vars, const VarSelection& selection,
                             size_t* count = nullptr);

// Parses memory-file text; `fileName` only names the file in the error.
MemoryFileParse ParseMemoryFile(std::string_view text, std::string_view fileName);

// Copies parsed variables into the store (a later variable of the same name wins).
void ApplyMemoryVariables(const std::vector<MemoryVariable>& parsed, VarStore& vars,
                          RestoreMode mode);

MemoryFileResult SaveMemoryFile(const std::string& path, const VarStore& vars,
                                const VarSelection& selection = VarSelection::All());
MemoryFileResult RestoreMemoryFile(const std::string& path, VarStore& vars, RestoreMode mode);

}  // namespace zur

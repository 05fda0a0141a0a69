// Reading memory-file text: every line is checked before any variable is handed out.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/vars/memory_file.h"

namespace zur {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The result of parsing one typed value: the value, or what is wrong with it. An array value
// comes back empty with the element count that the following lines must supply.
struct Parsed {
  Value value;
  size_t elements = 0;
  std::string error;
};

Parsed Fail(std::string what) {
  Parsed p;
  p.error = std::move(what);
  return p;
}

Parsed ParseText(std::string_view raw) {
  std::string s;
  s.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      s += raw[i];
      continue;
    }
    if (++i == raw.size()) return Fail("backslash at the end of the text");
    switch (raw[i]) {
      case '\\':
        s += '\\';
        break;
      case 'n':
        s += '\n';
        break;
      case 'r':
        s += '\r';
        break;
      case 't':
        s += '\t';
        break;
      case 'x': {
        const int hi = i + 1 < raw.size() ? HexDigit(raw[i + 1]) : -1;
        const int lo = i + 2 < raw.size() ? HexDigit(raw[i + 2]) : -1;
        if (hi < 0 || lo < 0) return Fail("bad \\x escape (two hex digits expected)");
        s += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        return Fail("unknown escape \\" + std::string(1, raw[i]));
    }
  }
  Parsed p;
  p.value = Value(std::move(s));
  return p;
}

Parsed ParseNumber(std::string_view s) {
  s = TrimBlanks(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double d = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), d);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
    return Fail("bad number \"" + std::string(s.substr(0, 40)) + "\"");
  // C-locale decimal notation has no NaN or infinity; from_chars reads "nan" and "inf".
  if (!std::isfinite(d))
    return Fail("bad number \"" + std::string(s.substr(0, 40)) + "\" (not a finite number)");
  Parsed p;
  p.value = Value(d);
  return p;
}

Parsed ParseDate(std::string_view s) {
  const std::optional<Date> d = Date::FromDtos(TrimBlanks(s));
  if (!d) return Fail("bad date (YYYYMMDD expected)");
  Parsed p;
  p.value = Value(*d);
  return p;
}

Parsed ParseLogical(std::string_view s) {
  s = TrimBlanks(s);
  if (s != "T" && s != "F") return Fail("bad logical (T or F expected)");
  Parsed p;
  p.value = Value(s == "T");
  return p;
}

Parsed ParseArray(std::string_view s) {
  s = TrimBlanks(s);
  size_t n = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
  if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
    return Fail("bad array element count");
  Parsed p;
  p.value = Value::NewArray();
  p.elements = n;
  return p;
}

// "TYPE" or "TYPE VALUE".
Parsed ParseTyped(std::string_view s) {
  if (s.empty()) return Fail("type letter missing");
  if (s.size() > 1 && s[1] != ' ') return Fail("blank expected after the type letter");
  const std::string_view value = s.size() > 1 ? s.substr(2) : std::string_view();
  switch (s[0]) {
    case 'C':
      return ParseText(value);
    case 'N':
      return ParseNumber(value);
    case 'D':
      return ParseDate(value);
    case 'L':
      return ParseLogical(value);
    case 'A':
      return ParseArray(value);
    default:
      return Fail("unknown type \"" + std::string(1, s[0]) + "\"");
  }
}

// An array still collecting its elements.
struct OpenArray {
  Array* elements;
  size_t remaining;
};

class Parser {
 public:
  Parser(std::string_view text, std::string_view fileName) : text_(text), file_(fileName) {}

  MemoryFileParse Run() {
    std::string_view line;
    if (!NextLine(line) || line != kMemoryFileHeader) {
      Error("not a memory file (first line must be \"XBSMEM 1\")");
      return std::move(result_);
    }
    while (NextLine(line)) {
      if (line.empty() || line.front() == '#') continue;
      if (!Line(line)) return std::move(result_);
    }
    if (!open_.empty()) {
      ++line_;  // the line where the missing elements should be
      Error("the file ends before the last array is complete");
    }
    return std::move(result_);
  }

 private:
  bool NextLine(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = std::min(text_.find('\n', pos_), text_.size());
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    ++line_;
    return true;
  }

  // Records what is wrong with the current line and drops everything read so far.
  bool Error(std::string what) {
    result_.vars.clear();
    result_.line = std::max<size_t>(line_, 1);
    result_.error = std::string(file_) + ": line " + std::to_string(result_.line) + ": " + what;
    return false;
  }

  bool Line(std::string_view line) {
    const size_t level = std::min(line.find_first_not_of('>'), line.size());
    if (level != open_.size()) {
      if (open_.empty()) return Error("array element without an array");
      return Error("element of array level " + std::to_string(open_.size()) + " expected");
    }
    std::string_view name;
    if (level == 0) {
      const size_t blank = line.find(' ');
      name = line.substr(0, blank);
      if (!IsMemoryFileName(name)) return Error("bad variable name");
      line.remove_prefix(blank == std::string_view::npos ? line.size() : blank);
    } else {
      line.remove_prefix(level);
    }
    if (line.empty() || line.front() != ' ') return Error("blank and type letter expected");
    Parsed p = ParseTyped(line.substr(1));
    if (!p.error.empty()) return Error(std::move(p.error));
    if (p.elements > 0 && level >= kMaxArrayDepth) return Error("arrays nested too deeply");
    Array* child = p.value.IsArray() ? p.value.array().get() : nullptr;
    if (level == 0) {
      result_.vars.push_back({std::string(name), std::move(p.value)});
    } else {
      open_.back().elements->push_back(std::move(p.value));
      --open_.back().remaining;
    }
    if (child && p.elements > 0) {
      // Only as many elements as lines remain can follow, whatever the count claims.
      child->reserve(std::min<size_t>(p.elements, 1024));
      open_.push_back({child, p.elements});
    }
    while (!open_.empty() && open_.back().remaining == 0) open_.pop_back();
    return true;
  }

  std::string_view text_;
  std::string_view file_;
  size_t pos_ = 0;
  size_t line_ = 0;
  std::vector<OpenArray> open_;
  MemoryFileParse result_;
};

}  // namespace

MemoryFileParse ParseMemoryFile(std::string_view text, std::string_view fileName) {
  return Parser(text, fileName).Run();
}

void ApplyMemoryVariables(const std::vector<MemoryVariable>& parsed, VarStore& vars,
                          RestoreMode mode) {
  if (mode == RestoreMode::kReplace) vars.ReleaseAll();
  for (const MemoryVariable& v : parsed) vars.Set(v.name, v.value);
}

}  // namespace zur

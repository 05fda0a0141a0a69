// Writing memory-file text.
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "platform/vars/memory_file.h"

namespace zur {
namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += ch;  // printable ASCII and Big5 bytes 0x80-0xFF as they are
        }
    }
  }
}

void AppendNumber(std::string& out, double d) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, d);  // shortest exact round trip
  out.append(buf, r.ptr);
}

bool IsSavable(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNum:
      return std::isfinite(v.num());  // a file holds finite numbers only
    case Value::Kind::kChar:
    case Value::Kind::kDate:
    case Value::Kind::kLogical:
    case Value::Kind::kArray:
      return true;
    default:
      return false;
  }
}

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}

  // One line "<prefix> TYPE VALUE"; arrays continue with their elements at depth + 1.
  void Write(std::string_view prefix, const Value& v, size_t depth) {
    out_ += prefix;
    switch (v.kind()) {
      case Value::Kind::kChar:
        out_ += " C ";
        AppendEscaped(out_, v.str());
        out_ += '\n';
        return;
      case Value::Kind::kNum:
        if (!std::isfinite(v.num())) break;  // an element without a written form, as below
        out_ += " N ";
        AppendNumber(out_, v.num());
        out_ += '\n';
        return;
      case Value::Kind::kDate: {
        const Date d = v.date();
        if (d.IsBlank() || d.Year() < 1 || d.Year() > 9999) {
          out_ += " D\n";
        } else {
          out_ += " D ";
          out_ += d.Dtos();
          out_ += '\n';
        }
        return;
      }
      case Value::Kind::kLogical:
        out_ += v.logical() ? " L T\n" : " L F\n";
        return;
      case Value::Kind::kArray:
        WriteArray(*v.array(), depth + 1);
        return;
      default:
        break;
    }
    // Only array elements get here: an empty text keeps the indexes.
    out_ += " C \n";
  }

 private:
  void WriteArray(const Array& a, size_t depth) {
    bool recurs = false;
    for (const Array* open : open_) recurs = recurs || open == &a;
    if (recurs || depth > kMaxArrayDepth) {
      out_ += " A 0\n";
      return;
    }
    out_ += " A ";
    out_ += std::to_string(a.size());
    out_ += '\n';
    open_.push_back(&a);
    const std::string prefix(depth, '>');
    for (const Value& e : a) Write(prefix, e, depth);
    open_.pop_back();
  }

  std::string& out_;
  std::vector<const Array*> open_;  // arrays being written, to stop at one that recurs
};

}  // namespace

bool VarSelection::Selects(std::string_view name) const {
  switch (mode) {
    case Mode::kAll:
      return true;
    case Mode::kLike:
      return NameMatches(name, pattern);
    case Mode::kExcept:
      return !NameMatches(name, pattern);
  }
  return false;
}

bool IsMemoryFileName(std::string_view name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (name.empty() || name.size() > kMaxMemoryNameLength || !letter(name[0])) return false;
  for (const char c : name)
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

std::string FormatMemoryFile(const VarStore& vars, const VarSelection& selection, size_t* count) {
  std::string out(kMemoryFileHeader);
  out += '\n';
  Writer writer(out);
  size_t n = 0;
  for (const std::string& name : vars.Names()) {
    const Value* v = vars.Find(name);
    if (!v || !IsSavable(*v) || !IsMemoryFileName(name) || !selection.Selects(name)) continue;
    writer.Write(name, *v, 0);
    ++n;
  }
  if (count) *count = n;
  return out;
}

}  // namespace zur

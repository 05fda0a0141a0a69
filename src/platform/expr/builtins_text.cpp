// Built-in functions on character values.

#include <algorithm>

#include "platform/expr/builtin_args.h"
#include "platform/expr/builtins.h"
#include "platform/expr/limits.h"
#include "platform/expr/text_case.h"

namespace zur::expr {
namespace {

using Args = std::span<Value>;

bool Upper(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  AppendUpper(s, ResetText(out));
  return true;
}

bool Lower(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  AppendLower(s, ResetText(out));
  return true;
}

std::string_view TrimRight(std::string_view s) {
  const size_t end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

std::string_view TrimLeft(std::string_view s) {
  const size_t start = s.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view() : s.substr(start);
}

template <std::string_view (*kTrim)(std::string_view)>
bool Trim(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  ResetText(out).assign(kTrim(s));
  return true;
}

std::string_view TrimBoth(std::string_view s) {
  return TrimLeft(TrimRight(s));
}

bool Substr(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  int64_t start = 0;
  if (!TextArg(args, 0, s, error) || !CountArg(args, 1, start, error)) return false;
  const int64_t size = static_cast<int64_t>(s.size());
  // A negative start counts from the end; 0 means the first character.
  int64_t from = start > 0 ? start - 1 : (start < 0 ? std::max<int64_t>(size + start, 0) : 0);
  int64_t count = size;
  if (args.size() > 2 && !CountArg(args, 2, count, error)) return false;
  std::string& r = ResetText(out);
  if (from >= size || count <= 0) return true;
  r.assign(s.substr(static_cast<size_t>(from), static_cast<size_t>(std::min(count, size))));
  return true;
}

bool Left(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  int64_t n = 0;
  if (!TextArg(args, 0, s, error) || !CountArg(args, 1, n, error)) return false;
  ResetText(out).assign(s.substr(0, static_cast<size_t>(std::max<int64_t>(n, 0))));
  return true;
}

bool Right(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  int64_t n = 0;
  if (!TextArg(args, 0, s, error) || !CountArg(args, 1, n, error)) return false;
  const size_t keep = static_cast<size_t>(std::clamp<int64_t>(n, 0, s.size()));
  ResetText(out).assign(s.substr(s.size() - keep));
  return true;
}

bool Len(Args args, Context&, Value& out, std::string& error) {
  if (args[0].IsChar()) {
    out = Value(static_cast<double>(args[0].str().size()));
  } else if (args[0].IsArray()) {
    out = Value(static_cast<double>(args[0].array()->size()));
  } else {
    error = "Type mismatch in argument 1";
    return false;
  }
  return true;
}

bool At(Args args, Context&, Value& out, std::string& error) {
  std::string_view needle, hay;
  if (!TextArg(args, 0, needle, error) || !TextArg(args, 1, hay, error)) return false;
  const size_t p = needle.empty() ? std::string_view::npos : hay.find(needle);
  out = Value(p == std::string_view::npos ? 0.0 : static_cast<double>(p + 1));
  return true;
}

bool Space(Args args, Context&, Value& out, std::string& error) {
  size_t n = 0;
  if (!SizeArg(args, 0, n, error)) return false;
  ResetText(out).assign(n, ' ');
  return true;
}

bool Replicate(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  size_t n = 0;
  if (!TextArg(args, 0, s, error) || !SizeArg(args, 1, n, error)) return false;
  if (!s.empty() && n > kMaxTextSize / s.size()) {
    error = "Result too long";
    return false;
  }
  std::string& r = ResetText(out);
  for (size_t i = 0; i < n; ++i) r.append(s);
  return true;
}

// PADL / PADR: the text cut or filled to `n` characters with blanks or the first character
// of the third argument.
template <bool kLeft>
bool Pad(Args args, Context&, Value& out, std::string& error) {
  std::string_view s, fill = " ";
  size_t n = 0;
  if (!TextArg(args, 0, s, error) || !SizeArg(args, 1, n, error)) return false;
  if (args.size() > 2 && !TextArg(args, 2, fill, error)) return false;
  const char f = fill.empty() ? ' ' : fill[0];
  std::string& r = ResetText(out);
  const std::string_view kept = s.substr(0, n);
  if (!kLeft) r.append(kept);
  r.append(n - kept.size(), f);
  if (kLeft) r.append(kept);
  return true;
}

bool Chr(Args args, Context&, Value& out, std::string& error) {
  int64_t n = 0;
  if (!CountArg(args, 0, n, error)) return false;
  ResetText(out).assign(1, static_cast<char>(((n % 256) + 256) % 256));
  return true;
}

bool Asc(Args args, Context&, Value& out, std::string& error) {
  std::string_view s;
  if (!TextArg(args, 0, s, error)) return false;
  out = Value(s.empty() ? 0.0 : static_cast<double>(static_cast<unsigned char>(s[0])));
  return true;
}

constexpr BuiltinInfo kTable[] = {
    {"UPPER", 1, 1, Upper},
    {"LOWER", 1, 1, Lower},
    {"TRIM", 1, 1, Trim<TrimRight>},
    {"RTRIM", 1, 1, Trim<TrimRight>},
    {"LTRIM", 1, 1, Trim<TrimLeft>},
    {"ALLTRIM", 1, 1, Trim<TrimBoth>},
    {"SUBSTR", 2, 3, Substr},
    {"LEFT", 2, 2, Left},
    {"RIGHT", 2, 2, Right},
    {"LEN", 1, 1, Len},
    {"AT", 2, 2, At},
    {"SPACE", 1, 1, Space},
    {"REPLICATE", 2, 2, Replicate},
    {"PADL", 2, 3, Pad<true>},
    {"PADR", 2, 3, Pad<false>},
    {"CHR", 1, 1, Chr},
    {"ASC", 1, 1, Asc},
};

}  // namespace

std::span<const BuiltinInfo> TextBuiltins() {
  return kTable;
}

}  // namespace zur::expr

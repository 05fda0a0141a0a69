#include "lib/compat/fixed_routines.h"

#include <algorithm>

#include "lib/compat/file_copy.h"
#include "lib/text/trim_pad.h"

namespace zur::compat {
namespace {

enum class Answer { kNothing, kFirstArg, kTrue, kFalse, kZero, kOne };

struct Fixed {
  std::string_view name;
  Answer answer;
};

constexpr Fixed kFixed[] = {
    {"N_SETKEY", Answer::kNothing},    {"NSETKEY", Answer::kNothing},
    {"NDECODE", Answer::kNothing},     {"N_ENCODEST", Answer::kFirstArg},
    {"N_DECODEST", Answer::kFirstArg}, {"N_CODELVL", Answer::kOne},
    {"SWPSETENV", Answer::kTrue},      {"SX_AUTOOPEN", Answer::kFalse},
    {"SX_TURBOAREA", Answer::kFalse},  {"REFILTER", Answer::kNothing},
    {"SX_MAKESEM", Answer::kOne},      {"SX_ISSEM", Answer::kFalse},
    {"SX_KILLSEM", Answer::kZero},     {"N_SETMULTI", Answer::kFalse},
    {"N_ISRLOCK", Answer::kFalse},     {"N_SLOCK", Answer::kTrue},
    {"N_SUNLOCK", Answer::kTrue},      {"N_ONTICK", Answer::kFirstArg},
    {"N_ONTICK1", Answer::kFirstArg},  {"N_ONNOKEY", Answer::kFirstArg},
    {"N_ONQUIT", Answer::kNothing},
};

}  // namespace

const std::vector<std::string_view>& FixedRoutineNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> n;
    for (const Fixed& f : kFixed) n.push_back(f.name);
    return n;
  }();
  return names;
}

bool FixedRoutine(std::string_view name, std::span<const Value> args, Value& out) {
  std::string upper = text::Upper(name);
  auto it = std::find_if(std::begin(kFixed), std::end(kFixed),
                         [&](const Fixed& f) { return f.name == upper; });
  if (it == std::end(kFixed)) return false;
  switch (it->answer) {
    case Answer::kNothing:
      out = Value();
      break;
    case Answer::kFirstArg:
      out = args.empty() ? Value() : args.front();
      break;
    case Answer::kTrue:
      out = Value(true);
      break;
    case Answer::kFalse:
      out = Value(false);
      break;
    case Answer::kZero:
      out = Value(0);
      break;
    case Answer::kOne:
      out = Value(1);
      break;
  }
  return true;
}

bool EncodeFile(const std::string& source, const std::string& target, std::string& error) {
  return CopyFileAtomic(std::string(text::RTrim(source)), std::string(text::RTrim(target)), error);
}

}  // namespace zur::compat

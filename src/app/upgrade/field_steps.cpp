#include "app/upgrade/field_steps.h"

#include <algorithm>
#include <cctype>

#include <fmt/format.h>

namespace zur::upgrade {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

StepResult ApplyRequiredField(Structure& structure, const RequiredField& want) {
  auto it = std::find_if(structure.begin(), structure.end(),
                         [&](const dbf::FieldSpec& f) { return SameName(f.name, want.name); });
  if (it == structure.end()) {
    const int length = want.type == 'D' ? 8 : want.length;
    const int decimals = want.type == 'N' ? want.decimals : 0;
    structure.push_back({Upper(want.name), want.type, length, decimals});
    return StepResult::kChanged;
  }
  if (std::toupper(static_cast<unsigned char>(it->type)) != want.type)
    return StepResult::kWrongType;
  switch (want.type) {
    case 'C':
      if (it->length == want.length) return StepResult::kSame;
      it->length = want.length;
      return StepResult::kChanged;
    case 'N':
      if (it->length >= want.length && it->decimals >= want.decimals) return StepResult::kSame;
      // Grow only: a wider or more precise field that exists keeps its size, so no stored
      // number loses digits.
      it->length = std::max(it->length, want.length);
      it->decimals = std::max(it->decimals, want.decimals);
      return StepResult::kChanged;
    default:
      return StepResult::kSame;
  }
}

StepResult CtLocate(Structure& structure, std::string_view name, int width) {
  return ApplyRequiredField(structure, {std::string(name), 'C', width, 0});
}

StepResult NtLocate(Structure& structure, std::string_view name, int width, int decimals) {
  return ApplyRequiredField(structure, {std::string(name), 'N', width, decimals});
}

StepResult DtLocate(Structure& structure, std::string_view name) {
  return ApplyRequiredField(structure, {std::string(name), 'D', 8, 0});
}

std::string WrongTypeMessage(std::string_view table, std::string_view field, char type) {
  return fmt::format("ERROR: file ({}) field ({}) - data type is not \"{}\" !", table, field, type);
}

}  // namespace zur::upgrade

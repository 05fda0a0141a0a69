#include "lib/compat/named_flags.h"

#include "lib/text/trim_pad.h"

namespace zur::compat {

bool IsFlagSet(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(text::AllTrim(name));
  return v != nullptr && v->IsTrue();
}

void SetFlag(VarStore& vars, std::string_view name) {
  std::string_view trimmed = text::AllTrim(name);
  if (trimmed.empty() || IsFlagSet(vars, trimmed)) return;
  vars.Set(trimmed, Value(true));
  vars.Set("SAVE_MSG", Value(true));
}

void ClearFlag(VarStore& vars, std::string_view name) {
  std::string_view trimmed = text::AllTrim(name);
  if (!IsFlagSet(vars, trimmed)) return;
  vars.Set(trimmed, Value(false));
  vars.Set("SAVE_MSG", Value(true));
}

}  // namespace zur::compat

#include "platform/expr/builtins.h"

namespace zur::expr {

const BuiltinInfo* FindBuiltin(std::string_view upper_name) {
  for (auto table : {TextBuiltins(), ConversionBuiltins(), GeneralBuiltins()}) {
    for (const BuiltinInfo& b : table) {
      if (b.name == upper_name) return &b;
    }
  }
  return nullptr;
}

}  // namespace zur::expr

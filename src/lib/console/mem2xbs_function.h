#pragma once
// MEM2XBS as an expression routine (the developer console evaluates it):
// MEM2XBS([option,] in.MEM [, out.XBS]) converts as `zur mem2xbs` does and gives nothing.
// The file's variables go into a store of their own, so the running program's variables are
// neither changed nor written out with them.

#include <functional>
#include <string_view>

#include "platform/expr/expression.h"

namespace zur::console {

// The routine; the lines it writes go to `line`, its wait after a damaged file to `wait_key`.
expr::Function Mem2XbsFunction(std::function<void(std::string_view line)> line,
                               std::function<void()> wait_key);

}  // namespace zur::console

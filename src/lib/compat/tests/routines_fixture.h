#pragma once
// Fixture for routines registered into an expression function table: evaluates texts against
// a fresh store with the routines of `Register`.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/expr/expression.h"
#include "platform/vars/var_store.h"

namespace zur::compat::testing {

template <void (*Register)(expr::FunctionTable&, VarStore&)>
class RoutinesTest : public ::testing::Test {
 protected:
  RoutinesTest() {
    Register(table_, vars_);
    ctx_.vars = &vars_;
    ctx_.functions = &table_;
  }
  // Evaluates `text`; ok_ and message_ tell how it went.
  Value Eval(std::string_view text) {
    Value out;
    expr::Error error;
    ok_ = expr::EvaluateText(text, ctx_, out, error);
    message_ = error.message;
    return out;
  }
  VarStore vars_;
  expr::FunctionTable table_;
  expr::Context ctx_;
  bool ok_ = false;
  std::string message_;
};

}  // namespace zur::compat::testing

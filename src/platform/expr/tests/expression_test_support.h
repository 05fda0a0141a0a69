#pragma once
// Shared fixture: a context with variables, a fake work area and the stand-in routines.

#include <gtest/gtest.h>

#include "platform/expr/expression.h"
#include "platform/expr/tests/fake_field_source.h"
#include "platform/expr/tests/stand_in_functions.h"

namespace zur::expr::testing {

class ExprTest : public ::testing::Test {
 protected:
  ExprTest() {
    RegisterStandIns(functions);
    ctx.vars = &vars;
    ctx.functions = &functions;
  }

  // Evaluates `text`, failing the test with the error when it does not evaluate.
  Value Eval(std::string_view text) {
    Value out;
    Error error;
    EXPECT_TRUE(EvaluateText(text, ctx, out, error)) << error.What();
    return out;
  }
  bool True(std::string_view text) {
    const Value v = Eval(text);
    EXPECT_TRUE(v.IsLogical()) << text;
    return v.IsTrue();
  }
  std::string Text(std::string_view text) {
    const Value v = Eval(text);
    EXPECT_TRUE(v.IsChar()) << text;
    return std::string(v.StrOr("<not text>"));
  }
  double Num(std::string_view text) {
    const Value v = Eval(text);
    EXPECT_TRUE(v.IsNum()) << text;
    return v.NumOr(-99999);
  }
  // The error of a text that must fail to compile or to evaluate.
  Error Fails(std::string_view text) {
    Value out;
    Error error;
    EXPECT_FALSE(EvaluateText(text, ctx, out, error)) << text;
    EXPECT_TRUE(out.IsNil());
    return error;
  }

  VarStore vars;
  FunctionTable functions;
  FakeFieldSource fields;
  Context ctx;
};

}  // namespace zur::expr::testing

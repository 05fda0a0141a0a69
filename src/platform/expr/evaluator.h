#pragma once
// Walks a compiled node tree against one evaluation context.

#include <string>

#include "platform/expr/expression.h"
#include "platform/expr/node.h"

namespace zur::expr {

class Evaluator {
 public:
  Evaluator(Program& program, Context& ctx) : prog_(program), ctx_(ctx) {}

  // Evaluates node `index` into `out`; on a fault returns false and keeps where and why.
  bool Eval(int index, Value& out);

  size_t error_pos() const { return error_pos_; }
  const std::string& error() const { return error_; }

 private:
  bool Fail(size_t pos, std::string message);
  // The value of node `index`: a literal in place, anything else evaluated into `slot`.
  const Value* Operand(int index, Value& slot);
  bool EvalName(Node& n, Value& out);
  bool EvalCall(Node& n, Value& out);
  bool EvalLogical(int index, Value& out, const char* op);
  void Resolve(Node& n);

  Program& prog_;
  Context& ctx_;
  size_t error_pos_ = 0;
  std::string error_;
};

}  // namespace zur::expr

#include "platform/expr/evaluator.h"

#include <exception>

#include "platform/expr/builtins.h"
#include "platform/expr/operators.h"

namespace zur::expr {

bool Evaluator::Fail(size_t pos, std::string message) {
  error_pos_ = pos;
  error_ = std::move(message);
  return false;
}

bool Evaluator::EvalLogical(int index, Value& out, const char* op) {
  if (!Eval(index, out)) return false;
  if (!out.IsLogical()) return Fail(prog_.nodes[index].pos, std::string("Type mismatch in ") + op);
  return true;
}

bool Evaluator::Eval(int index, Value& out) {
  Node& n = prog_.nodes[index];
  std::string message;
  switch (n.op) {
    case Op::kLiteral:
      out = n.literal;
      return true;
    case Op::kName:
      return EvalName(n, out);
    case Op::kCall:
      return EvalCall(n, out);
    case Op::kIif: {
      if (!EvalLogical(n.a, n.left, "IIF")) return false;
      return Eval(n.left.logical() ? n.b : n.c, out);
    }
    case Op::kNot:
      if (!EvalLogical(n.a, out, ".NOT.")) return false;
      out = Value(!out.logical());
      return true;
    case Op::kAnd:
    case Op::kOr: {
      const char* name = OpName(n.op);
      if (!EvalLogical(n.a, out, name)) return false;
      if (out.logical() == (n.op == Op::kOr)) return true;  // decided by the left side
      return EvalLogical(n.b, out, name);
    }
    case Op::kNeg:
    case Op::kPlusSign:
      if (!Eval(n.a, out)) return false;
      return Sign(n.op, out, message) || Fail(n.pos, std::move(message));
    case Op::kAdd:
    case Op::kSub:
    case Op::kMul:
    case Op::kDiv: {
      if (!Eval(n.a, out)) return false;
      const Value* right = Operand(n.b, n.right);
      if (right == nullptr) return false;
      return Arithmetic(n.op, out, *right, message) || Fail(n.pos, std::move(message));
    }
    default: {
      bool result = false;
      const Value* left = Operand(n.a, n.left);
      const Value* right = left != nullptr ? Operand(n.b, n.right) : nullptr;
      if (right == nullptr) return false;
      if (!Relational(n.op, *left, *right, result, message)) {
        return Fail(n.pos, std::move(message));
      }
      out = Value(result);
      return true;
    }
  }
}

const Value* Evaluator::Operand(int index, Value& slot) {
  const Node& n = prog_.nodes[index];
  if (n.op == Op::kLiteral) return &n.literal;
  return Eval(index, slot) ? &slot : nullptr;
}

bool Evaluator::EvalName(Node& n, Value& out) {
  if (n.scope != Scope::kVariable && ctx_.fields != nullptr) {
    NameCache& c = n.name_cache;
    const uint64_t generation = ctx_.fields->Generation();
    if (!c.valid || c.source != ctx_.fields || c.generation != generation) {
      c.handle = ctx_.fields->FindField(n.scope == Scope::kField ? n.alias : "", n.name);
      c.source = ctx_.fields;
      c.generation = generation;
      c.valid = true;
    }
    if (c.handle >= 0) {
      ctx_.fields->ReadField(c.handle, out);
      return true;
    }
  }
  if (n.scope == Scope::kField) return Fail(n.pos, "Undefined field " + n.alias + "->" + n.name);
  if (ctx_.vars != nullptr) {
    if (const Value* v = ctx_.vars->Find(n.name)) {
      out = *v;
      return true;
    }
  }
  return Fail(n.pos, "Undefined variable " + n.name);
}

void Evaluator::Resolve(Node& n) {
  CallCache& c = n.call_cache;
  const uint64_t generation = ctx_.functions != nullptr ? ctx_.functions->generation() : 0;
  if (c.valid && c.table == ctx_.functions && c.generation == generation) return;
  c.table = ctx_.functions;
  c.generation = generation;
  // The program's own routines may stand in for a built-in of the same name.
  c.function = ctx_.functions != nullptr ? ctx_.functions->Find(n.name) : nullptr;
  c.builtin = c.function != nullptr ? nullptr : FindBuiltin(n.name);
  c.valid = true;
}

bool Evaluator::EvalCall(Node& n, Value& out) {
  Resolve(n);
  const CallCache& c = n.call_cache;
  if (c.function == nullptr && c.builtin == nullptr) {
    return Fail(n.pos, "Undefined function " + n.name);
  }
  if (c.builtin != nullptr &&
      (n.args.size() < c.builtin->min_args || n.args.size() > c.builtin->max_args)) {
    return Fail(n.pos, "Wrong number of arguments to " + n.name);
  }
  for (size_t i = 0; i < n.args.size(); ++i) {
    if (!Eval(n.args[i], n.arg_values[i])) return false;
  }
  std::string message;
  try {
    if (c.builtin != nullptr) {
      if (!c.builtin->fn(n.arg_values, ctx_, out, message)) {
        return Fail(n.pos, n.name + ": " + message);
      }
      return true;
    }
    out = (*static_cast<const Function*>(c.function))(n.arg_values, ctx_, message);
  } catch (const std::exception& e) {
    return Fail(n.pos, n.name + ": " + e.what());
  }
  if (!message.empty()) return Fail(n.pos, n.name + ": " + message);
  return true;
}

}  // namespace zur::expr

#include "platform/expr/expression.h"

#include <atomic>
#include <exception>

#include "platform/expr/evaluator.h"
#include "platform/expr/limits.h"
#include "platform/expr/parser.h"
#include "platform/expr/token.h"

namespace zur::expr {

namespace {

// Evaluations running on this thread, counting those started from within others (TYPE(),
// routines that evaluate texts), so that a text that evaluates itself ends in an error.
thread_local int g_running = 0;

class RunningGuard {
 public:
  RunningGuard() { ++g_running; }
  ~RunningGuard() { --g_running; }
  bool TooDeep() const { return g_running > kMaxNestedEvaluations; }
};

}  // namespace

std::string Error::What() const {
  return message + " at column " + std::to_string(position + 1) + " of: " + text;
}

uint64_t FunctionTable::NextGeneration() {
  static std::atomic<uint64_t> counter{0};
  return ++counter;
}

FunctionTable& FunctionTable::operator=(const FunctionTable& other) {
  fns_ = other.fns_;
  generation_ = NextGeneration();
  return *this;
}

FunctionTable& FunctionTable::operator=(FunctionTable&& other) noexcept {
  fns_ = std::move(other.fns_);
  other.fns_.clear();
  generation_ = NextGeneration();
  other.generation_ = NextGeneration();
  return *this;
}

void FunctionTable::Register(std::string_view name, Function fn) {
  fns_[AsciiUpper(name)] = std::move(fn);
  generation_ = NextGeneration();
}

const Function* FunctionTable::Find(std::string_view name) const {
  const auto it = fns_.find(AsciiUpper(name));
  return it == fns_.end() ? nullptr : &it->second;
}

struct Expression::Impl {
  Program program;
  bool running = false;  // set while an evaluation of this expression is under way
};

Expression::Expression(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Expression::~Expression() = default;

const std::string& Expression::text() const {
  return impl_->program.text;
}

std::unique_ptr<Expression> Expression::Compile(std::string_view text, Error& error) {
  auto impl = std::make_unique<Impl>();
  impl->program.text = std::string(text);
  size_t pos = 0;
  std::string message;
  if (!Parse(text, impl->program, pos, message)) {
    error = Error{std::string(text), pos, std::move(message)};
    return nullptr;
  }
  return std::unique_ptr<Expression>(new Expression(std::move(impl)));
}

Expression::RecordUse Expression::Uses() const {
  RecordUse use;
  for (const Node& n : impl_->program.nodes) {
    if (n.op == Op::kName && n.scope != Scope::kVariable) {
      use.names.emplace_back(n.alias, n.name);
    } else if (n.op == Op::kCall) {
      use.deletion = use.deletion || n.name == "DELETED";
      use.anything = use.anything || n.name == "TYPE";
    }
  }
  return use;
}

bool Expression::Evaluate(Context& ctx, Value& out, Error& error) {
  auto fail = [&](size_t pos, std::string message) {
    out = Value();
    error = Error{impl_->program.text, pos, std::move(message)};
    return false;
  };
  if (impl_->running) return fail(0, "Expression evaluated within itself");
  RunningGuard guard;
  if (guard.TooDeep()) return fail(0, "Evaluations nested too deeply");
  impl_->running = true;
  Evaluator ev(impl_->program, ctx);
  bool ok = false;
  try {
    ok = ev.Eval(impl_->program.root, out);
  } catch (const std::exception& e) {
    impl_->running = false;
    return fail(0, std::string("Evaluation failed: ") + e.what());
  }
  impl_->running = false;
  if (!ok) return fail(ev.error_pos(), ev.error());
  return true;
}

bool EvaluateText(std::string_view text, Context& ctx, Value& out, Error& error) {
  std::unique_ptr<Expression> e = Expression::Compile(text, error);
  if (!e) {
    out = Value();
    return false;
  }
  return e->Evaluate(ctx, out, error);
}

}  // namespace zur::expr

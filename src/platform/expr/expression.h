#pragma once
// The xBase expression subset the program evaluates from text: index keys, filters, menu
// flags and the console's assignments. Compile a text once, evaluate it many times.
//
// The language: texts in "..", '..' or [..]; numbers (12, 12.5, .5); .T. .F. .Y. .N.; names
// of fields and memory variables (a bare name is a field of the current work area when it has
// one, else a memory variable; ALIAS->NAME a field, M->NAME a variable); function calls.
// Operators, loosest first: .OR.; .AND.; .NOT. and !; = == <> != # < <= > >= $; + -; * /;
// unary + -. .AND. and .OR. stop once the left side decides; IIF() evaluates only the branch
// it takes. Keywords and names are case-insensitive.
// Character comparison follows the non-exact rule described in text_compare.h; == is exact.
// Division by zero, numeric overflow and dates outside the years 1-9999 are runtime errors.
// Built-ins: UPPER LOWER TRIM RTRIM LTRIM ALLTRIM SUBSTR LEFT RIGHT LEN AT STR VAL DTOC DTOS
// CTOD DATE IIF EMPTY TYPE SPACE REPLICATE PADL PADR CHR ASC DELETED RECNO. A routine
// registered in the FunctionTable under the name of a built-in takes its place.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/vars/value.h"
#include "platform/vars/var_store.h"

namespace zur::expr {

// Table fields as an expression sees them. The table engine implements this for its work
// areas; a bare name is a field of the current work area when it has one (fields win over
// memory variables), "ALIAS->NAME" a field of that area.
class FieldSource {
 public:
  virtual ~FieldSource() = default;
  // A handle for field `name` of work area `alias` ("" = the current one), or -1 if none.
  virtual int FindField(std::string_view alias, std::string_view name) = 0;
  // The field's value in the current record of its area.
  virtual void ReadField(int handle, Value& out) = 0;
  // Changes whenever handles given out before may have lost their meaning (an area opened,
  // closed or selected); a compiled expression then looks its names up again.
  virtual uint64_t Generation() const = 0;
  // RECNO() and DELETED() of the current work area.
  virtual double RecNo() = 0;
  virtual bool Deleted() = 0;
};

struct Error {
  std::string text;          // the expression text
  size_t position = 0;       // 0-based byte offset in the text where the fault was found
  std::string message;       // "Syntax error", "Type mismatch in +", "Undefined variable X" ...
  std::string What() const;  // one line for the operator: message, position and text
};

class Context;

// A function callable from expressions: the program's own routines (STRVAL, ISFLAGSET ...)
// register here. Arguments arrive evaluated; on failure set `error` and return Nil.
using Function = std::function<Value(std::span<Value> args, Context& ctx, std::string& error)>;

class FunctionTable {
 public:
  FunctionTable() = default;
  // A copy is a different table to compiled calls: it gets a generation of its own.
  FunctionTable(const FunctionTable& other) : fns_(other.fns_) {}
  FunctionTable(FunctionTable&& other) noexcept : fns_(std::move(other.fns_)) {
    other.fns_.clear();
    other.generation_ = NextGeneration();
  }
  FunctionTable& operator=(const FunctionTable& other);
  FunctionTable& operator=(FunctionTable&& other) noexcept;

  void Register(std::string_view name, Function fn);  // names are case-insensitive
  const Function* Find(std::string_view name) const;
  // Unique among all tables of the process and changed by every registration, so that
  // compiled calls look their routine up again.
  uint64_t generation() const { return generation_; }

 private:
  static uint64_t NextGeneration();
  std::unordered_map<std::string, Function> fns_;  // upper-case names
  uint64_t generation_ = NextGeneration();
};

// What one evaluation sees. Any member may be null: no variables, no fields, only built-ins.
class Context {
 public:
  VarStore* vars = nullptr;
  FieldSource* fields = nullptr;
  const FunctionTable* functions = nullptr;
};

class Expression {
 public:
  // Compiles `text`; on a syntax error returns null and fills `error`.
  static std::unique_ptr<Expression> Compile(std::string_view text, Error& error);
  ~Expression();

  // Evaluates against `ctx`. On a runtime fault (type mismatch, undefined name, bad
  // argument) returns false and fills `error`; `out` is then Nil. `out` may be reused from
  // one evaluation to the next: its storage is kept. One expression is evaluated by one
  // thread at a time; an expression evaluating itself (through a routine) gets an error.
  bool Evaluate(Context& ctx, Value& out, Error& error);

  const std::string& text() const;

  // What a value of the expression can depend on in the record it is evaluated on: the names
  // it reads that may be fields (upper case, with their alias, empty for a bare name), and
  // whether it asks for the deletion flag (DELETED()) or evaluates texts (TYPE()), which may
  // read anything. Registered routines count as reading only their arguments.
  struct RecordUse {
    std::vector<std::pair<std::string, std::string>> names;  // (alias, name)
    bool deletion = false;
    bool anything = false;
  };
  RecordUse Uses() const;

 private:
  struct Impl;
  explicit Expression(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Compile and evaluate once: for texts evaluated a single time (console, menu flags).
bool EvaluateText(std::string_view text, Context& ctx, Value& out, Error& error);

}  // namespace zur::expr

#pragma once
// The compiled form of an expression: a tree of nodes kept in one vector, children by index.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/vars/value.h"

namespace zur::expr {

class FieldSource;
class FunctionTable;
struct BuiltinInfo;

enum class Op : uint8_t {
  kLiteral,
  kName,  // a field or a memory variable
  kCall,
  kIif,
  kNeg,
  kPlusSign,
  kNot,
  kAnd,
  kOr,
  kAdd,
  kSub,
  kMul,
  kDiv,
  kEq,       // non-exact =
  kExactEq,  // ==
  kNe,
  kLt,
  kLe,
  kGt,
  kGe,
  kContains,  // $
};

// Where a name was last found; looked up again when the field source or its generation changes.
struct NameCache {
  FieldSource* source = nullptr;
  uint64_t generation = 0;
  int handle = -1;  // -1: not a field, a memory variable
  bool valid = false;
};

// Which routine a call resolved to for a given function table.
struct CallCache {
  const FunctionTable* table = nullptr;
  uint64_t generation = 0;
  const void* function = nullptr;  // a registered Function, or null
  const BuiltinInfo* builtin = nullptr;
  bool valid = false;
};

enum class Scope : uint8_t {
  kAny,       // bare name: field of the current area, else memory variable
  kField,     // ALIAS->NAME
  kVariable,  // M->NAME
};

struct Node {
  Op op = Op::kLiteral;
  Scope scope = Scope::kAny;
  size_t pos = 0;              // byte offset of the node's operator or name in the text
  int a = -1, b = -1, c = -1;  // children; calls keep their arguments in `args`
  std::vector<int> args;
  std::string name;   // upper case: variable, field or function name
  std::string alias;  // upper case
  Value literal;
  NameCache name_cache;
  CallCache call_cache;
  // Per-node operand slots reused across evaluations so that the hot path rarely allocates.
  Value left;
  Value right;
  std::vector<Value> arg_values;
};

struct Program {
  std::string text;
  std::vector<Node> nodes;
  int root = -1;
};

}  // namespace zur::expr

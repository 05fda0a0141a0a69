#pragma once
// The program's named memory variables. Names are case-insensitive (ASCII); a variable keeps
// the spelling it was first created with.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/vars/value.h"

namespace zur {

// xBase name pattern: '*' any run of characters, '?' one character, case-insensitive.
bool NameMatches(std::string_view name, std::string_view pattern);

class VarStore {
 public:
  // The variable's value, or nullptr when it is not defined.
  const Value* Find(std::string_view name) const;
  Value* Find(std::string_view name);
  // The value, or Nil when undefined. The reference stays valid until the variable is
  // released, so a string_view taken from it does not dangle as one from a copy would.
  const Value& Get(std::string_view name) const;
  bool Exists(std::string_view name) const { return Find(name) != nullptr; }
  // "C", "N", "D", "L", "A", "O", or 'U' when undefined.
  char Type(std::string_view name) const;

  // Creates the variable or assigns it; a new variable takes this spelling of the name.
  void Set(std::string_view name, Value value);

  bool Release(std::string_view name);
  void ReleaseAll();
  // Releases every variable whose name does not match the pattern ("Dot*" keeps the console's).
  void ReleaseAllExcept(std::string_view pattern);
  // Releases every variable whose name matches the pattern.
  void ReleaseAllLike(std::string_view pattern);

  // Names as spelt, sorted case-insensitively, so that saved files are stable.
  std::vector<std::string> Names() const;
  size_t size() const { return vars_.size(); }

 private:
  struct Entry {
    std::string name;  // as first spelt
    Value value;
  };
  struct CaseHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
  };
  struct CaseEq {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::unordered_map<std::string, Entry, CaseHash, CaseEq> vars_;
};

}  // namespace zur

#include "platform/vars/var_store.h"

#include <algorithm>

namespace zur {
namespace {

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool LessNoCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Upper(x) < Upper(y); });
}

}  // namespace

bool NameMatches(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with backtracking to the last '*'.
  size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

size_t VarStore::CaseHash::operator()(std::string_view s) const {
  size_t h = 14695981039346656037ull;  // FNV-1a over the upper-cased bytes
  for (char c : s) {
    h ^= static_cast<unsigned char>(Upper(c));
    h *= 1099511628211ull;
  }
  return h;
}

bool VarStore::CaseEq::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

const Value* VarStore::Find(std::string_view name) const {
  auto it = vars_.find(name);
  return it == vars_.end() ? nullptr : &it->second.value;
}

Value* VarStore::Find(std::string_view name) {
  auto it = vars_.find(name);
  return it == vars_.end() ? nullptr : &it->second.value;
}

const Value& VarStore::Get(std::string_view name) const {
  static const Value kNil;
  const Value* v = Find(name);
  return v ? *v : kNil;
}

char VarStore::Type(std::string_view name) const {
  const Value* v = Find(name);
  return v ? v->TypeLetter() : 'U';
}

void VarStore::Set(std::string_view name, Value value) {
  auto it = vars_.find(name);
  if (it != vars_.end()) {
    it->second.value = std::move(value);
    return;
  }
  std::string key(name);
  vars_.emplace(key, Entry{key, std::move(value)});
}

bool VarStore::Release(std::string_view name) {
  auto it = vars_.find(name);
  if (it == vars_.end()) return false;
  vars_.erase(it);
  return true;
}

void VarStore::ReleaseAll() {
  vars_.clear();
}

void VarStore::ReleaseAllExcept(std::string_view pattern) {
  std::erase_if(vars_, [&](const auto& kv) { return !NameMatches(kv.second.name, pattern); });
}

void VarStore::ReleaseAllLike(std::string_view pattern) {
  std::erase_if(vars_, [&](const auto& kv) { return NameMatches(kv.second.name, pattern); });
}

std::vector<std::string> VarStore::Names() const {
  std::vector<std::string> names;
  names.reserve(vars_.size());
  for (const auto& kv : vars_) names.push_back(kv.second.name);
  std::sort(names.begin(), names.end(), LessNoCase);
  return names;
}

}  // namespace zur

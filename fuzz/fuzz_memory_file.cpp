// Memory-file text from the fuzzer: parsing must never crash; accepted text, once restored,
// saved and read again, must give the same variables.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/vars/memory_file.h"

namespace {

// Deep equality in which a NaN equals a NaN (a saved NaN reads back as a NaN).
bool Same(const zur::Value& a, const zur::Value& b) {
  if (a.IsNum() && b.IsNum() && std::isnan(a.num()) && std::isnan(b.num())) return true;
  if (!a.IsArray() || !b.IsArray()) return a == b;
  const zur::Array& x = *a.array();
  const zur::Array& y = *b.array();
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i)
    if (!Same(x[i], y[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const zur::MemoryFileParse first = zur::ParseMemoryFile(text, "fuzz.XBS");
  if (!first.ok()) {
    if (!first.vars.empty() || first.line == 0) std::abort();
    return 0;
  }
  zur::VarStore vars;
  zur::ApplyMemoryVariables(first.vars, vars, zur::RestoreMode::kReplace);

  size_t count = 0;
  const std::string saved = zur::FormatMemoryFile(vars, zur::VarSelection::All(), &count);
  const zur::MemoryFileParse second = zur::ParseMemoryFile(saved, "saved.XBS");
  if (!second.ok() || second.vars.size() != count || count != vars.size()) std::abort();
  zur::VarStore back;
  zur::ApplyMemoryVariables(second.vars, back, zur::RestoreMode::kReplace);
  if (back.Names() != vars.Names()) std::abort();
  for (const std::string& name : vars.Names())
    if (!Same(*vars.Find(name), *back.Find(name))) std::abort();
  return 0;
}

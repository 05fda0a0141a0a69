// Memory-file bytes from the fuzzer, damaged or not: parsing must never crash and never accept
// a number that is not finite; accepted text, once restored, saved and read again, must give
// the same variables. The same bytes as a file on disk go through the reader the program uses
// (RestoreMemoryFile), which changes nothing unless it takes the whole file.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/vars/memory_file.h"
#include "platform/vars/whole_number.h"

namespace {

bool AllFinite(const zur::Value& v) {
  if (v.IsNum()) return std::isfinite(v.num());
  if (!v.IsArray()) return true;
  for (const zur::Value& e : *v.array())
    if (!AllFinite(e)) return false;
  return true;
}

// What the program does with numbers that become integers (file numbers, widths).
void UseAsIntegers(const zur::VarStore& vars) {
  for (const std::string& name : vars.Names()) {
    const zur::Value* v = vars.Find(name);
    if (v == nullptr || !v->IsNum()) continue;
    const auto width = zur::IntegerIn(v->num(), 1, 254);
    const auto file_no = zur::IntegerIn(v->num(), 0, 9999);
    if ((width && (*width < 1 || *width > 254)) || (file_no && (*file_no < 0 || *file_no > 9999)))
      std::abort();
  }
}

void RestoreFromDisk(const uint8_t* data, size_t size, bool accepted) {
  const int fd = memfd_create("fuzz_xbs", MFD_CLOEXEC);
  if (fd < 0) return;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    zur::VarStore vars;
    vars.Set("KEEP", zur::Value("before"));
    const zur::MemoryFileResult r = zur::RestoreMemoryFile("/proc/self/fd/" + std::to_string(fd),
                                                           vars, zur::RestoreMode::kAdditive);
    if (r.ok() != accepted) std::abort();
    if (!r.ok() && (vars.size() != 1 || !(vars.Get("KEEP") == zur::Value("before")))) std::abort();
    for (const std::string& name : vars.Names())
      if (!AllFinite(*vars.Find(name))) std::abort();
    UseAsIntegers(vars);
  }
  close(fd);
}

// Deep equality (a file holds no NaN, so plain equality of numbers is enough).
bool Same(const zur::Value& a, const zur::Value& b) {
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
  RestoreFromDisk(data, size, first.ok());
  if (!first.ok()) {
    if (!first.vars.empty() || first.line == 0) std::abort();
    return 0;
  }
  for (const zur::MemoryVariable& v : first.vars)
    if (!AllFinite(v.value)) std::abort();
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

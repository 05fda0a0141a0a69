// dBASE .MEM bytes from the fuzzer: reading must stay inside the input, a number it keeps must
// be finite, and whatever it reads must be writable as a memory file that reads back whole (the
// mem2xbs conversion).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/vars/dbase_mem.h"
#include "platform/vars/memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zur::DbaseMemRead read = zur::ReadDbaseMem(bytes);
  if (read.vars.size() * zur::kDbaseMemHeaderBytes > size) std::abort();
  if (read.problems.size() != static_cast<size_t>(read.errors)) std::abort();

  zur::VarStore vars;
  for (const zur::DbaseMemVariable& v : read.vars) vars.Set(v.name, v.value);
  size_t count = 0;
  const std::string saved = zur::FormatMemoryFile(vars, zur::VarSelection::All(), &count);
  if (count != vars.size()) std::abort();
  const zur::MemoryFileParse back = zur::ParseMemoryFile(saved, "converted.XBS");
  if (!back.ok() || back.vars.size() != count) std::abort();
  for (const zur::MemoryVariable& v : back.vars) {
    const zur::Value* original = vars.Find(v.name);
    // A converted number is finite: a NaN or an infinity is skipped as a problem.
    if (!original || (original->IsNum() && !std::isfinite(original->num()))) std::abort();
    if (!(*original == v.value)) std::abort();
  }
  return 0;
}

// Table header and record parsing on arbitrary bytes: the in-memory parser, then the whole
// table engine on the same bytes as a file (open, walk both ways, read every field, index).
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/dbf/dbf_format.h"
#include "platform/dbf/table.h"

using namespace zur;
using namespace zur::dbf;

namespace {

void ParseInMemory(const uint8_t* data, size_t size) {
  try {
    Header h = ParseHeader(std::span<const uint8_t>(data, size), size, "fuzz.dbf");
    for (uint64_t r = 0; r < h.record_count; ++r) {
      const uint8_t* rec = data + h.header_length + r * h.record_length;
      for (size_t i = 0; i < h.fields.size(); ++i) {
        std::string_view bytes(reinterpret_cast<const char*>(rec) + h.offsets[i],
                               static_cast<size_t>(h.fields[i].length));
        Value v = DecodeField(h.fields[i], bytes);
        (void)v;
      }
    }
  } catch (const Error&) {
  }
}

void OpenAsTable(const uint8_t* data, size_t size) {
  int fd = memfd_create("fuzz_dbf", MFD_CLOEXEC);
  if (fd < 0) return;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    try {
      auto t =
          Table::Open("/proc/self/fd/" + std::to_string(fd), Share::kShared, Access::kReadOnly);
      const int n = static_cast<int>(t->fields().size());
      for (t->GoTop(); !t->Eof(); t->Skip())
        for (int i = 0; i < n; ++i) t->Get(i);
      for (t->GoBottom(); !t->Bof(); t->Skip(-1)) t->Deleted();
      t->CreateOrder("F", t->fields()[0].name);
      for (t->GoTop(); !t->Eof(); t->Skip()) t->Get(0);
      t->Seek(t->Get(0), true);
    } catch (const Error&) {
    }
  }
  close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseInMemory(data, size);
  OpenAsTable(data, size);
  return 0;
}

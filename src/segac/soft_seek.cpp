#include "segac/soft_seek.h"

#include "lib/text/trim_pad.h"

namespace zur::segac {

void SoftSeek(dbf::Table& table, std::string_view key) {
  for (std::string_view prefix = text::RTrim(key); !prefix.empty(); prefix.remove_suffix(1)) {
    if (table.Seek(Value(std::string(prefix)))) return;
  }
  table.GoTop();
}

}  // namespace zur::segac

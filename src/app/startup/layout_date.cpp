#include "app/startup/layout_date.h"

#include <fstream>
#include <system_error>

namespace zur::startup {

LayoutDate ReadLayoutDate(const std::filesystem::path& dir) {
  LayoutDate out;
  const auto path = dir / kLayoutDateFile;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    out.date = *Date::FromYmd(2008, 1, 1);
    return out;
  }
  // An unreadable date reads as the blank date, which every day is on or after: the newer
  // layout, which all current reports have.
  std::ifstream in(path, std::ios::binary);
  char head[8] = {};
  if (!in.read(head, sizeof head)) {
    out.warning = path.string() + ": cannot read a date (YYYYMMDD); the newer layout is used";
    return out;
  }
  const auto date = Date::FromDtos(std::string_view(head, sizeof head));
  if (!date) {
    out.warning = path.string() + ": \"" + std::string(head, sizeof head) +
                  "\" is not a date (YYYYMMDD); the newer layout is used";
    return out;
  }
  out.date = *date;
  return out;
}

}  // namespace zur::startup

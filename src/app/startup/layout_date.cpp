#include "app/startup/layout_date.h"

#include <fstream>
#include <optional>
#include <system_error>

namespace zur::startup {

LayoutDate ReadLayoutDate(const std::filesystem::path& dir) {
  LayoutDate out{*Date::FromYmd(2008, 1, 1), {}};
  const auto path = dir / kLayoutDateFile;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return out;
  const std::string name = path.string();
  // Only a regular file is read: a pipe or a device could block the start-up.
  if (!std::filesystem::is_regular_file(path, ec)) {
    out.warning = name + " is not a regular file; the date 01/01/2008 is used";
    return out;
  }
  std::ifstream in(path, std::ios::binary);
  char head[8] = {};
  in.read(head, sizeof head);
  std::optional<Date> date;
  if (in.gcount() == static_cast<std::streamsize>(sizeof head))
    date = Date::FromDtos(std::string_view(head, sizeof head));
  if (!date || date->IsBlank()) {
    out.warning = name + " does not begin with a date (YYYYMMDD); the date " + "01/01/2008 is used";
    return out;
  }
  out.date = *date;
  return out;
}

}  // namespace zur::startup

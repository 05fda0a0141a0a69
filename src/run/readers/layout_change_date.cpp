#include "run/readers/layout_change_date.h"

#include <fstream>
#include <optional>
#include <system_error>

namespace zur::readers {

LayoutChange ReadLayoutChangeDate(const std::filesystem::path& file) {
  LayoutChange result{*Date::FromYmd(2008, 1, 1), {}};
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return result;
  const std::string name = file.string();
  // Only a regular file is read: a pipe or a device could block the start-up.
  if (!std::filesystem::is_regular_file(file, ec)) {
    result.error = "ERROR: " + name + " is not a regular file";
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  char text[8] = {};
  in.read(text, sizeof text);
  if (in.gcount() != static_cast<std::streamsize>(sizeof text)) {
    result.error = "ERROR: CANNOT READ A DATE FROM FILE " + name;
    return result;
  }
  std::optional<Date> date = Date::FromDtos(std::string_view(text, sizeof text));
  if (!date || date->IsBlank()) {
    result.error = "ERROR: INVALID DATE IN FILE " + name;
    return result;
  }
  result.date = *date;
  return result;
}

}  // namespace zur::readers

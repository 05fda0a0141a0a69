#pragma once
// The date from which CCASS prints its reports in the later layout (ENHANCED). The file
// "enhance.txt" of the working directory can move it: its first 8 characters are the date as
// YYYYMMDD. Without the file the date is 1 January 2008.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/vars/date.h"

namespace zur::startup {

inline constexpr std::string_view kLayoutDateFile = "enhance.txt";

struct LayoutDate {
  Date date;            // the change date; the default when the file is absent or unusable
  std::string warning;  // empty, or why the file was not used, naming it
};

LayoutDate ReadLayoutDate(const std::filesystem::path& dir);

}  // namespace zur::startup

#pragma once
// The date from which the CCASS reports have their newer layout. The file "enhance.txt" of the
// working directory can move it: its first 8 characters are the date as YYYYMMDD.

#include <filesystem>
#include <string>

#include "platform/vars/date.h"

namespace zur::startup {

inline constexpr std::string_view kLayoutDateFile = "enhance.txt";

struct LayoutDate {
  Date date;            // 1 January 2008 without the file
  std::string warning;  // names the file when it was there but unusable; `date` is blank then
};

LayoutDate ReadLayoutDate(const std::filesystem::path& dir);

}  // namespace zur::startup

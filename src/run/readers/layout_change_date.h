#pragma once
// The date from which CCASS prints its reports in the later layout (ENHANCED). The file
// "enhance.txt" in the working directory can move it: its first 8 characters are the date as
// YYYYMMDD. Without the file the date is 1 January 2008.

#include <filesystem>
#include <string>

#include "platform/vars/date.h"

namespace zur::readers {

inline constexpr const char* kLayoutChangeFile = "enhance.txt";

struct LayoutChange {
  Date date;          // the change date (the default when the file is absent or unreadable)
  std::string error;  // empty, or why the file was not used, naming it
};

LayoutChange ReadLayoutChangeDate(const std::filesystem::path& file);

// ENHANCED: the start-up date is on or after the change date.
inline bool IsEnhancedLayout(Date start_date, Date change_date) {
  return start_date >= change_date;
}

}  // namespace zur::readers

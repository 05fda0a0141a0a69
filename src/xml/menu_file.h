#pragma once
// "pmenu.dat" in the database directory: read for the menu bar, and written with the default
// menus when it is missing.

#include <string>
#include <string_view>
#include <vector>

#include "platform/vars/date.h"
#include "xml/menu_definition.h"

namespace zur::xml {

inline constexpr std::string_view kMenuFileName = "pmenu.dat";

// The default menu definition, its GrantDate `grant` (YYYYMMDD): lines indented by tabs, each
// ending with CR LF.
std::string DefaultMenuFile(const Date& grant);

struct MenuFile {
  std::vector<MenuFeature> features;
  // Names the file when it could not be written or read whole; what could be read is used
  // (the default menus when the default could not be written).
  std::string warning;
  bool created = false;  // the default was written now
};

// The menus of `file` (found beside its case variants by the caller). A missing file is first
// written with the default menus dated `today`, replaced atomically so that no reader sees a
// part of it.
MenuFile ReadMenuFile(const std::string& file, const Date& today);

}  // namespace zur::xml

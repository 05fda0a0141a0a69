#include "app/upgrade/delete_index.h"

#include <string>

#include "app/upgrade/table_files.h"

namespace zur::upgrade {

bool DelNsx(std::string_view name) {
  const auto path = FindFile(std::string(name) + std::string(kIndexExtension));
  if (!FileExists(path)) return false;
  RemoveFile(path);
  return true;
}

}  // namespace zur::upgrade

#include "platform/term/folder_listing.h"

#include <fnmatch.h>

#include <strings.h>
#include <algorithm>
#include <filesystem>

namespace zur::term {

bool MatchesFilter(std::string_view name, std::string_view pattern) {
  if (pattern.empty() || pattern == "*" || pattern == "*.*") return true;
  return fnmatch(std::string(pattern).c_str(), std::string(name).c_str(), FNM_CASEFOLD) == 0;
}

std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern) {
  namespace fs = std::filesystem;
  std::vector<FolderEntry> folders;
  std::vector<FolderEntry> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
       !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code type_ec;
    if (it->is_directory(type_ec))
      folders.push_back({name, true});
    else if (MatchesFilter(name, pattern))
      files.push_back({name, false});
  }
  const auto by_name = [](const FolderEntry& a, const FolderEntry& b) {
    const int c = strcasecmp(a.name.c_str(), b.name.c_str());
    return c != 0 ? c < 0 : a.name < b.name;
  };
  std::sort(folders.begin(), folders.end(), by_name);
  std::sort(files.begin(), files.end(), by_name);
  std::vector<FolderEntry> out;
  out.push_back({"..", true});
  out.insert(out.end(), folders.begin(), folders.end());
  out.insert(out.end(), files.begin(), files.end());
  return out;
}

}  // namespace zur::term

#pragma once
// What the file dialog lists: the folders of a folder (".." first) and its files that match a
// filter pattern, each group sorted without regard to case.

#include <string>
#include <string_view>
#include <vector>

namespace zur::term {

struct FolderEntry {
  std::string name;
  bool folder = false;
};

// True when `name` matches a pattern such as "*.DBF" without regard to case; "*.*" and "*"
// match every name.
bool MatchesFilter(std::string_view name, std::string_view pattern);
// The entries of `folder`; hidden names (beginning with ".") are left out. An unreadable
// folder gives only "..".
std::vector<FolderEntry> ListFolder(const std::string& folder, std::string_view pattern);

}  // namespace zur::term

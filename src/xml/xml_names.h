#pragma once
// Element paths and namespace prefixes of the XML reader.

#include <string>
#include <string_view>

namespace zur::xml {

// The text after the first ":"; the whole name when there is none.
std::string_view RemoveNamespace(std::string_view name);
// `prefix` + ":" + the name without its own prefix.
std::string ReplaceNamespace(std::string_view name, std::string_view prefix);

// Whether a registered path matches an element path such as "/pmenu/menuFeatures". A
// registration beginning with "//" matches every path that ends with it minus its first "/"
// ("//a/b" matches "/a/b" and "/x/a/b", not "/xa/b"); any other must equal the path. Without
// `case_sensitive` ASCII letters compare in either case.
bool PathMatches(std::string_view registered, std::string_view path, bool case_sensitive);

}  // namespace zur::xml

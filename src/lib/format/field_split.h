#pragma once
// Splitting separated lines into fields.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zur::format {

// Comma-separated line into `fields`, from the first element on (the vector grows as needed;
// elements after the last field keep what they held). A field that begins with a double quote
// runs to the next double quote and the comma after it; any other field to the next comma; the
// last field takes the rest. Double quotes are removed from every field; trailing blanks of the
// line are ignored. Returns the number of fields.
size_t CutCsv2(std::string_view line, std::vector<std::string>& fields);

// Line split by `separator` into the existing elements of `fields` (all first set to empty
// texts; fields beyond them are dropped). A field that begins with a double quote ends at the
// next double quote followed by the separator, and loses the enclosing quotes. Every field is
// trimmed of blanks. Returns the number of fields found.
size_t CutField(std::string_view line, std::string_view separator,
                std::vector<std::string>& fields);

}  // namespace zur::format

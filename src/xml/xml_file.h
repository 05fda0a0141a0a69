#pragma once
// Reading one of the program's XML files whole and telling what kept it from being read.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "xml/xml_parser.h"

namespace zur::xml {

// Larger files are refused: the program's XML files are a few kilobytes.
inline constexpr size_t kMaxXmlFileBytes = 1 << 20;

// Reads `file` and hands its text to `load_xml` (which parses it with `parser`); a file that
// cannot be read hands over an empty text, so that nothing of an earlier load remains.
// Returns "" when the whole document was read, else a message naming the file: why it could
// not be read, or where the reading stopped (what came before it counts).
std::string LoadXmlFile(const std::string& file, const XmlParser& parser,
                        const std::function<void(std::string_view text)>& load_xml);

}  // namespace zur::xml

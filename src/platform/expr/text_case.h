#pragma once
// Letter case of texts that may hold Big5 Chinese. Only ASCII letters change; a byte that
// follows a Big5 lead byte (0x81-0xFE) is the second half of a Chinese character and is left
// alone even when it looks like an ASCII letter (second bytes range over 0x40-0x7E too).

#include <string>
#include <string_view>

namespace zur::expr {

// Appends `in` to `out` with ASCII letters upper-cased (or lower-cased).
void AppendUpper(std::string_view in, std::string& out);
void AppendLower(std::string_view in, std::string& out);

}  // namespace zur::expr

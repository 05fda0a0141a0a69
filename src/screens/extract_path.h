#pragma once
// EXTRACTPATH2: the text an entry takes from a file dialog's answer. A cancelled dialog gives
// the entry's current value. A chosen file gives its full path or, when a directory is wanted,
// the directory it lies in with its final separator; padded with blanks to `length` (a longer
// path is not cut). A Down key is then put into the keyboard buffer, so that a console entry
// moves on to the next one.

#include <optional>
#include <string>
#include <string_view>

#include "platform/term/screen.h"

namespace zur::screens {

enum class PathKind { kFile, kDirectory };

std::string ExtractPath2(term::Screen& screen, const std::optional<std::string>& chosen,
                         PathKind kind, std::string_view current, size_t length);

}  // namespace zur::screens

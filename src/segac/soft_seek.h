#pragma once
// SOFTSEEK: the nearest match of a key in the active order.

#include <string_view>

#include "platform/dbf/table.h"

namespace zur::segac {

// Positions on the first record of the longest prefix of the right-trimmed key that the
// active order holds; on the first record when not even one character is found.
void SoftSeek(dbf::Table& table, std::string_view key);

}  // namespace zur::segac

#pragma once
// A memory variable's value as the developer console shows it: a text as it is, a number in
// its shortest form, a date as DD/MM/YYYY, .T. or .F., an array with its elements in braces.

#include <string>

#include "platform/vars/value.h"

namespace zur::console {

std::string ValueText(const Value& value);

}  // namespace zur::console

#pragma once
// The name of the user the program runs as.

#include <string>

namespace zur::compat {

// The effective user's login name, whole; "" when the user has no password entry.
std::string WhoAmI();

}  // namespace zur::compat

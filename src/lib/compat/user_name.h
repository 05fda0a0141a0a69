#pragma once
// The name of the user the program runs as.

#include <string>

namespace zur::compat {

// The effective user's login name; "" when the user has no password entry. The name is given
// whole, never cut to a fixed buffer: a cut name could make two users one in the audit trail.
std::string WhoAmI();

}  // namespace zur::compat

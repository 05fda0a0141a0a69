#pragma once
// The CCASS stock account a client's position belongs to, and the check that an account code
// can be uploaded.

#include <string>
#include <string_view>

#include "run/position/position_inputs.h"

namespace zur::position {

// The formatted account for the client `facct` whose segregated account is `segregated`
// (blank when the client has none): the segregated account, the finance company's account, the
// site's own groups, else the account set up for the client's type.
std::string ClientAccount(std::string_view facct, std::string_view segregated,
                          const PositionInputs& in);

// The formatted account of the finance company's client type (CONV_TYPE).
std::string FinanceAccount(const PositionInputs& in);

// True when every character of the code is printable (32..126).
bool IsPrintableAccount(std::string_view account);

}  // namespace zur::position

#pragma once
// A large broker for measuring whole runs: `stocks` stocks in the CCASS/3 layout with 8-digit
// accounts, each held by `clients_per_stock` clients of the client types in turn (some on
// segregated accounts, some short, some with a buy due tomorrow), and a stock balance report
// whose holdings differ from the back office's so that every pass has work.

#include "run/driver/installation.h"

namespace zur::driver {

InstallationSpec LargeBroker(int stocks, int clients_per_stock);

}  // namespace zur::driver

#pragma once
// A large broker for measuring whole runs: `stocks` stocks in the CCASS/3 layout with 8-digit
// accounts, each held by `clients_per_stock` clients of the client types in turn (some on
// segregated accounts, some short, some with a buy due tomorrow), and a stock balance report
// whose holdings differ from the back office's so that every pass has work.

#include "brokers/installation.h"

namespace zur::brokers {

// `clients` (at least 4 x clients_per_stock) is the size of the client master: the positions
// of the stocks are spread over all of them. Every `unsettled_every`-th position also has an
// unsettled buy due on the next trade day.
InstallationSpec LargeBroker(int stocks, int clients_per_stock, int clients = 0,
                             int unsettled_every = 1);

}  // namespace zur::brokers

// Writes a large broker installation for timing whole checking runs:
//   zur_make_large_broker DIR [STOCKS [CLIENTS_PER_STOCK [CLIENTS [UNSETTLED_EVERY]]]]
// The defaults give 3,000 stocks, 100,000 clients, 999,000 portfolio records and 199,800
// unsettled trades, with a stock balance report that gives every pass work.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "brokers/large_broker.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 6) {
    std::fprintf(stderr,
                 "usage: zur_make_large_broker DIR [STOCKS [CLIENTS_PER_STOCK [CLIENTS "
                 "[UNSETTLED_EVERY]]]]\n");
    return 2;
  }
  const auto arg = [&](int i, int fallback) { return argc > i ? std::atoi(argv[i]) : fallback; };
  try {
    zur::brokers::WriteInstallation(
        zur::brokers::LargeBroker(arg(2, 3000), arg(3, 333), arg(4, 100000), arg(5, 5)), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ERROR: %s\n", e.what());
    return 1;
  }
  return 0;
}

#include "brokers/large_broker.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>

#include "brokers/sample_broker.h"
#include "lib/text/trim_pad.h"

namespace zur::brokers {
namespace {

std::string Digits(int value, size_t width) {
  return text::PadL(std::to_string(value), width, '0');
}

}  // namespace

InstallationSpec LargeBroker(int stocks, int clients_per_stock, int clients, int unsettled_every) {
  InstallationSpec s = SampleBroker();  // its settings, dates and saved variables
  s.stocks.clear();
  s.clients.clear();
  s.portfolio.clear();
  s.unsettled.clear();

  constexpr std::array<char, 5> kTypes = {'A', 'C', 'I', 'M', 'P'};
  constexpr std::array<int, 5> kTypeAccounts = {4, 2, 5, 6, 7};
  // With a client master of its own size, each stock's holders follow on from the last
  // stock's, so that every client holds a few stocks.
  const long long stride = clients > clients_per_stock * 4 ? clients_per_stock : 3;
  clients = std::max(clients, clients_per_stock * 4);
  unsettled_every = std::max(unsettled_every, 1);
  for (int c = 0; c < clients; ++c) {
    const char type = kTypes[c % kTypes.size()];
    const std::string acct = type + Digits(c, 5);
    // Every seventh client keeps its shares on a segregated account of its own.
    const std::string seg = c % 7 == 0 ? Digits(21 + c % 50, 2) : "";
    s.clients.push_back({{"LACCT", Value(acct)}, {"LSEGAC", Value(seg)}});
  }

  std::vector<std::string> body = {ReportLine({{1, "REPORT DATE : 08DEC2026"}}),
                                   ReportLine({{1, " STK/ STOCK NAME"}})};
  for (int i = 0; i < stocks; ++i) {
    const std::string stkno = Digits(1 + i, 5);
    s.stocks.push_back({{"MSTKNO", Value(stkno)},
                        {"MSTK", Value("STOCK " + stkno)},
                        {"MISIN", Value("HK" + Digits(i, 9) + "0")},
                        {"MMARKET", Value("HKEX")},
                        {"MCCSTOCK", Value("Y")}});
    std::map<int, long long> needed;  // CCASS account -> back-office holding
    for (int k = 0; k < clients_per_stock; ++k) {
      const int c = static_cast<int>((i * stride + k) % clients);
      const std::string acct = std::string(s.clients[c][0].second.str());
      const std::string seg = s.clients[c][1].second.str();
      const double qty = k % 11 == 10 ? -400.0 : 1000.0 * (1 + (i + k) % 9);
      s.portfolio.push_back(
          {{"FACCT", Value(acct)}, {"FSTKNO", Value(stkno)}, {"FQTYBF", Value(qty + 100)}});
      if (k % unsettled_every == 0)
        s.unsettled.push_back({{"MACCT", Value(acct)},
                               {"MSTKNO", Value(stkno)},
                               {"MREF", Value("B")},
                               {"MQTY", Value(100.0)},
                               {"MSDATE", Value(s.next_trade_date)},
                               {"MSSDATE", Value(s.next_trade_date)},
                               {"MMARKET", Value("HKEX")}});
      const int account = seg.empty() ? kTypeAccounts[c % kTypes.size()] : std::stoi(seg);
      needed[account] += static_cast<long long>(qty);
    }
    // CCASS holds a little more or less than needed on each account, plenty on "01".
    std::vector<std::pair<std::string, std::string>> held = {{"00000001", std::to_string(1000000)}};
    for (const auto& [account, qty] : needed) {
      const long long ccass = qty > 0 ? qty + ((account + i) % 3 - 1) * 300 : 0;
      if (ccass > 0) held.emplace_back(Digits(account, 8), std::to_string(ccass));
    }
    body.push_back(ReportLine({{1, stkno}, {19, "STOCK " + stkno}}));
    for (size_t a = 0; a < held.size(); a += 3) {
      std::vector<std::pair<int, std::string>> accounts, values;
      for (size_t j = a; j < held.size() && j < a + 3; ++j) {
        const int o = 41 * static_cast<int>(j - a);
        accounts.push_back({7 + o, held[j].first});
        accounts.push_back({29 + o, text::PadL(held[j].second, 15)});
        values.push_back({22 + o, text::PadL("1,000.00", 22)});
      }
      body.push_back(ReportLine(accounts));
      body.push_back(ReportLine(values));
    }
  }
  body.push_back("END OF REPORT");
  s.report = ReportPage("DAILY STOCK BALANCE REPORT", 1, body);
  return s;
}

}  // namespace zur::brokers

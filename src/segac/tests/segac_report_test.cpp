#include "segac/segac_report.h"

#include <gtest/gtest.h>

#include <iostream>

#include "segac/tests/segac_fixture.h"

namespace zur::segac {
namespace {

reports::ReportContext Context() {
  reports::ReportContext c;
  c.co_name = "SAMPLE SECURITIES LTD";
  c.system = "CCASS ZUR Talvero (Ver 7.00g+)";
  c.site = "SAMPLE";
  c.today_text = "08/12/26";
  c.time_of_day = "18:30:05";
  return c;
}

std::string Report(const std::vector<testing::Client>& clients, int order, int* pages = nullptr) {
  dbf::testing::TempDir dir;
  testing::WriteClients(dir / "CLMAST.DBF", clients);
  dbf::WorkAreas areas;
  upgrade::StreamConsole console(std::cout, std::cerr);
  const ClientMasterOpen opened = OpenClientMaster(areas, dir / "CLMAST.DBF", console);
  EXPECT_NE(opened.table, nullptr) << opened.message;
  if (opened.table == nullptr) return "";
  BuildClientOrders(*opened.table);
  opened.table->SetOrder(order);
  print::MemoryPrinter device;
  const int printed = PrintSegacReport(*opened.table, opened.fields, device, Context());
  if (pages != nullptr) *pages = printed;
  return device.text();
}

// Clients without a segregated account and deleted clients are passed over; the second name
// line is printed under the name, only when there is one.
TEST(SegacReport, ClientsWithAnAccountInTheChosenOrder) {
  const std::vector<testing::Client> clients = {
      {"C003", "CHEUNG HOLDINGS LTD", "張氏控股", "21"},
      {"A001", "CHAN TAI MAN", "", ""},
      {"M002", "NG MEI LING", "", "05"},
      {"X009", "GONE", "", "21", true},
  };
  const std::string heading =
      "\r\n                             SAMPLE SECURITIES LTD"
      "\r\nTran Date: 08/12/26      CCASS ZUR Talvero (Ver 7.00g+)          Time: 18:30:05"
      "\r\n                          CLIENT SEGREGATED A/C REPORT           Page:   1"
      "\r\n\r\nCLIENT A/C NO & NAME                    SEGREGATED A/C"
      "\r\n" +
      std::string(80, '-') + "\r\n\r\n";
  const std::string c003 = "C003       CHEUNG HOLDINGS LTD               21\r\n           " +
                           big5::Utf8ToBig5("張氏控股") + "\r\n";
  const std::string m002 = "M002       NG MEI LING                       05\r\n";
  const std::string end = "\r\n                              ** END OF REPORT **\f";
  EXPECT_EQ(Report(clients, 1), heading + c003 + m002 + end);
  EXPECT_EQ(Report(clients, 2), heading + m002 + c003 + end);
}

TEST(SegacReport, PagesEndAfterRow54AndNoClientsNoPage) {
  std::vector<testing::Client> clients;
  std::vector<std::string> accounts;
  for (int i = 0; i < 60; ++i) accounts.push_back("A" + std::to_string(100 + i));
  for (const std::string& a : accounts) clients.push_back({a.c_str(), "CLIENT", "", "21"});
  int pages = 0;
  const std::string text = Report(clients, 1, &pages);
  EXPECT_EQ(pages, 2);
  // Rows 8 to 54 on the first page: 47 clients.
  EXPECT_NE(text.find("A146"), std::string::npos);
  EXPECT_LT(text.find("A146"), text.find('\f'));
  EXPECT_GT(text.find("A147"), text.find('\f'));
  EXPECT_NE(text.find("Page:   2"), std::string::npos);

  EXPECT_EQ(Report({{"A001", "CHAN TAI MAN", "", ""}}, 1, &pages), "");
  EXPECT_EQ(pages, 0);
}

}  // namespace
}  // namespace zur::segac

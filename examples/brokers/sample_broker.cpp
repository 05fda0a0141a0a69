#include "brokers/sample_broker.h"

#include "lib/text/trim_pad.h"
#include "platform/big5/big5_text.h"

namespace zur::brokers {
namespace {

Date Day(int y, int m, int d) {
  return *Date::FromYmd(y, m, d);
}

std::string Num(const std::string& text, size_t width = 15) {
  return text::PadL(text, width);
}

Row Stock(const char* no, const char* name, const char* isin) {
  return {{"MSTKNO", Value(no)},
          {"MSTK", Value(name)},
          {"MISIN", Value(isin)},
          {"MMARKET", Value("HKEX")},
          {"MCCSTOCK", Value("Y")}};
}

// Names are kept in Big5, as the back office keeps them.
Row Client(const char* acct, const char* name, const char* segregated = "",
           const char* name2 = "") {
  return {{"LACCT", Value(acct)},
          {"LNAME", Value(big5::Utf8ToBig5(name))},
          {"LNAME2", Value(big5::Utf8ToBig5(name2))},
          {"LSEGAC", Value(segregated)}};
}

Row Position(const char* acct, const char* stkno, double brought_forward) {
  return {{"FACCT", Value(acct)}, {"FSTKNO", Value(stkno)}, {"FQTYBF", Value(brought_forward)}};
}

Row Trade(const char* acct, const char* stkno, const char* ref, double qty, Date due) {
  return {{"MACCT", Value(acct)},    {"MSTKNO", Value(stkno)}, {"MREF", Value(ref)},
          {"MQTY", Value(qty)},      {"MSDATE", Value(due)},   {"MSSDATE", Value(due)},
          {"MMARKET", Value("HKEX")}};
}

// The stock balance report in the CCASS/3 layout: a stock line, then per account line the
// accounts with their quantities and on the next line their market values.
std::string StockBalanceReport() {
  using P = std::vector<std::pair<int, std::string>>;
  auto accounts = [](P parts) { return ReportLine(std::move(parts)); };
  std::vector<std::string> body = {
      ReportLine({{1, "REPORT DATE : 08DEC2026"}}),
      ReportLine({{1, " STK/ STOCK NAME"}, {48, "MARKET - HONG KONG"}}),
      ReportLine({{1, "00005"}, {19, "HSBC HOLDINGS"}}),
      accounts({{7, "00000001"},
                {29, Num("50,000")},
                {48, "00000002"},
                {70, Num("12,000")},
                {89, "00000021"},
                {111, Num("3,000")}}),
      ReportLine({{22, Num("3,900,000.00", 22)},
                  {63, Num("936,000.00", 22)},
                  {104, Num("234,000.00", 22)}}),
      ReportLine({{1, "00011"}, {19, "HANG SENG BANK"}}),
      accounts({{7, "00000001"}, {29, Num("1,000")}}),
      ReportLine({{22, Num("125,000.00", 22)}}),
      ReportLine({{1, "00388"}, {19, "HKEX"}}),
      accounts({{7, "00000001"},
                {29, Num("5,000")},
                {48, "00000006"},
                {70, Num("1,000")},
                {89, "00000022"},
                {111, Num("200")}}),
      ReportLine({{22, Num("1,850,000.00", 22)},
                  {63, Num("370,000.00", 22)},
                  {104, Num("74,000.00", 22)}}),
      ReportLine({{1, "00700"}, {19, "TENCENT"}}),
      accounts({{7, "00000001"}, {29, Num("20,000")}, {48, "00000004"}, {70, Num("1,000")}}),
      ReportLine({{22, Num("8,400,000.00", 22)}, {63, Num("420,000.00", 22)}}),
      ReportLine({{1, "00941"}, {19, "CHINA MOBILE"}}),
      accounts({{7, "00000001"}, {29, Num("8,000")}, {48, "00000007"}, {70, Num("4,500")}}),
      ReportLine({{22, Num("560,000.00", 22)}, {63, Num("315,000.00", 22)}}),
      ReportLine({{1, "02318"}, {19, "PING AN"}}),
      accounts({{7, "00000001"}, {29, Num("6,000")}, {48, "00000021"}, {70, Num("800")}}),
      ReportLine({{22, Num("270,000.00", 22)}, {63, Num("36,000.00", 22)}}),
      ReportLine({{40, "PORTFOLIO VALUE :"}, {63, Num("17,490,000.00", 22)}}),
  };
  return ReportPage("DAILY STOCK BALANCE REPORT", 1, body);
}

// One instruction still pending: 1,000 TENCENT from the main account to account 04.
std::string StiStatusReport() {
  return ReportPage("STI STATUS REPORT", 1,
                    {"PENDING FOR TRANSFER STI",
                     ReportLine({{1, "0012345678"},
                                 {14, "00700"},
                                 {20, "TENCENT"},
                                 {37, "00000001"},
                                 {76, Num("1,000", 16)}}),
                     ReportLine({{1, "08DEC2026"}, {14, "KYG875721634"}, {37, "00000004"}}),
                     "TOTAL NO OF PENDING FOR TRANSFER STI :     1"});
}

// 500 HKEX still to be received on the main account; 3,000 HANG SENG BANK to be delivered
// from it, which holds 1,000: the stock shortage report's line.
std::string SettlementReport() {
  return ReportPage(
      "SETTLEMENT REPORT", 1,
      {"UNSETTLED POSITIONS", ReportLine({{65, "DELIVERING"}, {81, "RECEIVING"}}),
       ReportLine({{3, " STOCK 00011 TOTAL :"}, {61, Num("-3,000", 13)}}),
       ReportLine({{3, " STOCK 00388 TOTAL :"}, {78, Num("500", 12)}}), "END OF REPORT"});
}

}  // namespace

InstallationSpec SampleBroker() {
  InstallationSpec s;
  s.settings = {
      {"PARTID", Value("B01234")},
      {"PARTNAME", Value("SAMPLE SECURITIES LTD")},
      {"USERKEY", Value("SAMPLE")},
      {"SBPATH", Value("OBX")},
      {"STKFILE", Value("CCASS.TXT")},
      {"ATITEXT", Value("ZURFILE.TXT")},
      {"STITEXT", Value("STIFILE.TXT")},
      {"OWNREF", Value("DAILY ZUR")},
      {"SENDBIC", Value("SAMPHKHH")},
      {"SYSTEMKEY", Value("HK  ")},
      {"CLA_ATI", Value("04")},
      {"CLC_ATI", Value("02")},
      {"CLI_ATI", Value("05")},
      {"CLM_ATI", Value("06")},
      {"CLP_ATI", Value("07")},
      {"CLF_ATI", Value("03")},
      {"CLO_ATI", Value("09")},
      {"EXCLTYPE", Value("")},
      {"EXSTRQTY", Value("N")},
      {"EXCOMQTY", Value("N")},
      {"EXTDQTY", Value("N")},
      {"EXBANQTY", Value("N")},
      {"EXOTHQTY", Value("N")},
      {"COVERSS", Value("N")},
      {"ATI02", Value("N")},
      {"ATI01OUT", Value("Y")},
      {"NOSHRATI", Value("N")},
      {"XPSCRDEN", Value(100)},
  };
  s.saved_vars = {{"CAS3_START", Value(Day(2011, 10, 24))},
                  {"CAS3_0705", Value(Day(2015, 7, 6))},
                  {"CASH_STOCK", Value("A")},
                  {"STKNO_LEN", Value(5)}};
  s.backoffice_vars = {{"CO_NAME", Value("SAMPLE SECURITIES LTD")},
                       {"MGN_NAME", Value("SAMPLE FINANCE LTD")},
                       {"SBF1_USER", Value(false)}};
  s.trade_date = Day(2026, 12, 8);
  s.next_trade_date = Day(2026, 12, 9);
  s.settle_date = Day(2026, 12, 10);
  s.stocks = {Stock("00005", "HSBC HOLDINGS", "GB0005405286"),
              Stock("00011", "HANG SENG BANK", "HK0011000095"),
              Stock("00388", "HKEX", "HK0388045442"),
              Stock("00700", "TENCENT", "KYG875721634"),
              Stock("00941", "CHINA MOBILE", "HK0941009539"),
              Stock("02318", "PING AN", "CNE1000003X6")};
  s.clients = {
      Client("A001", "CHAN TAI MAN"),
      Client("A002", "WONG SIU MING"),
      Client("C001", "LEE KA YAN"),
      Client("C002", "HO WING KEUNG"),
      Client("C003", "CHEUNG HOLDINGS LTD", "21", "張氏控股有限公司"),
      Client("I001", "PACIFIC FUND"),
      Client("M001", "LAU CHI WAI"),
      Client("M002", "NG MEI LING", "22", "吳美玲"),
      Client("P001", "TAM KWOK WING"),
      Client("P002", "YIP SAU LAN"),
      // The second byte of both 孫 and 珠 in Big5 is "]".
      Client("P003", "孫美珠", "", "SUEN MEI CHU"),
  };
  s.portfolio = {
      Position("C001", "00005", 6000), Position("C002", "00005", 4000),
      Position("C003", "00005", 5000), Position("A001", "00700", 1800),
      Position("A002", "00700", 1200), Position("I001", "00700", 500),
      Position("M001", "00388", 1400), Position("M002", "00388", 300),
      Position("P001", "00941", 3000), Position("P002", "00941", -1000),
  };
  s.unsettled = {Trade("M001", "00388", "B", 400, s.next_trade_date),
                 Trade("M002", "00388", "B", 100, s.next_trade_date)};
  s.report = StockBalanceReport() + StiStatusReport() + SettlementReport();
  return s;
}

}  // namespace zur::brokers

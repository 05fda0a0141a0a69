#pragma once
// End-to-end runs of `zur check` in-process: an installation written from a few lines of
// description into a scratch directory, the run with a recording operator, and the upload
// files read back. Expected upload lines are built field by field from the upload layouts.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "brokers/installation.h"
#include "lib/text/trim_pad.h"
#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"
#include "run/driver/check_command.h"
#include "run/driver/tests/expected_outputs.h"
#include "run/operator/operator.h"

namespace zur::driver::testing {

using namespace ::zur::brokers;  // installations written from a short description

inline Date Day(int d) {
  return *Date::FromYmd(2026, 12, d);
}

inline std::string Num(long long value, size_t width) {
  return text::PadL(std::to_string(value), width, '0');
}
inline std::string Qty(const std::string& text, size_t width = 15) {
  return text::PadL(text, width);
}

// ---- expected upload lines (without CR LF)
inline std::string ZurHeaderC(const std::string& own_ref, const std::string& date) {
  return text::PadR("0B01234" + text::PadR(own_ref, 15) + date + "ZUR BATCH INPUT", 74);
}
inline std::string ZurHeaderAB(int file_no, const std::string& own_ref, const std::string& date,
                               size_t length) {
  return text::PadR(
      "0" + Num(file_no, 4) + "B01234SAMPHKHH" + text::PadR(own_ref, 15) + date + "ZUR BATCH INPUT",
      length);
}
inline std::string StiHeader(int file_no, const std::string& own_ref, const std::string& date) {
  return text::PadR(
      "0" + Num(file_no, 4) + "B01234SAMPHKHH" + text::PadR(own_ref, 15) + date + "STI BATCH INPUT",
      120);
}
inline std::string ZurLineC(int stock, const std::string& from, const std::string& to, int qty) {
  return "1" + Num(stock, 4) + from + to + Num(qty, 11) + std::string(40, ' ') +
         Num(stock + qty, 14);
}
// Layouts A and B: the account codes decide (8 or 2 characters).
inline std::string ZurLineAB(int stock, const std::string& isin, const std::string& from,
                             const std::string& to, int qty) {
  return "1" + Num(stock, 5) + isin + from + to + Num(qty, 11) + std::string(40, ' ') +
         Num(stock + qty, 14);
}
inline std::string StiLine(int stock, const std::string& isin, const std::string& from,
                           const std::string& to, int qty) {
  return "1" + Num(stock, 5) + isin + from + to + Num(qty, 11) + "0000000000000F" +
         std::string(40, ' ') + Num(stock + qty, 14) + std::string(7, ' ');
}
inline std::string ZurTrailer(int lines, long long stocks, long long qty, long long all,
                              size_t length) {
  return text::PadR("2" + Num(lines, 4) + Num(stocks, 7) + Num(qty, 14) + Num(all, 17), length);
}
inline std::string StiTrailer(int lines, long long stocks, long long qty, long long all) {
  return text::PadR(
      "2" + Num(lines, 4) + Num(stocks, 7) + Num(qty, 14) + std::string(16, '0') + Num(all, 17),
      120);
}

// ---- installation pieces
inline Row Stock(const char* no, const char* name, const char* isin) {
  return {{"MSTKNO", Value(no)},
          {"MSTK", Value(name)},
          {"MISIN", Value(isin)},
          {"MMARKET", Value("HKEX")},
          {"MCCSTOCK", Value("Y")}};
}
inline Row Client(const char* acct, const char* segregated = "") {
  return {{"LACCT", Value(acct)}, {"LSEGAC", Value(segregated)}};
}
inline Row Position(const char* acct, const char* stkno, double qty) {
  return {{"FACCT", Value(acct)}, {"FSTKNO", Value(stkno)}, {"FQTYBF", Value(qty)}};
}
inline Row Trade(const char* acct, const char* stkno, const char* ref, double qty, Date due) {
  return {{"MACCT", Value(acct)},    {"MSTKNO", Value(stkno)}, {"MREF", Value(ref)},
          {"MQTY", Value(qty)},      {"MSDATE", Value(due)},   {"MSSDATE", Value(due)},
          {"MMARKET", Value("HKEX")}};
}

// One stock of the stock balance report: (account, quantity text) pairs.
struct Balance {
  std::string stock;  // 4 digits (layouts B and C of the report) or 5 (CCASS/3)
  std::vector<std::pair<std::string, std::string>> accounts;
};

// The daily stock balance report before CCASS/3: three account blocks a line, everything one
// column right of the "REPORT DATE :" line at column 2.
inline std::string BalanceReportTwoDigit(const std::vector<Balance>& stocks) {
  std::vector<std::string> body = {ReportLine({{2, "REPORT DATE : 08DEC2026"}})};
  for (const Balance& b : stocks) {
    body.push_back(ReportLine({{2, b.stock}, {9, "STOCK NAME"}}));
    for (size_t i = 0; i < b.accounts.size(); i += 3) {
      std::vector<std::pair<int, std::string>> parts;
      for (size_t j = i; j < b.accounts.size() && j < i + 3; ++j) {
        const int o = 1 + 43 * static_cast<int>(j - i);
        parts.push_back({6 + o, b.accounts[j].first});
        parts.push_back({9 + o, Qty(b.accounts[j].second)});
        parts.push_back({25 + o, Qty("1.00", 22)});
      }
      body.push_back(ReportLine(parts));
    }
  }
  return ReportPage("DAILY STOCK BALANCE REPORT", 1, body);
}

// The CCASS/3 layout with 8-digit accounts: accounts and quantities on one line, their values
// on the next.
inline std::string BalanceReportEightDigit(const std::vector<Balance>& stocks) {
  std::vector<std::string> body = {ReportLine({{1, "REPORT DATE : 08DEC2026"}}),
                                   ReportLine({{1, " STK/ STOCK NAME"}})};
  for (const Balance& b : stocks) {
    body.push_back(ReportLine({{1, b.stock}, {19, "STOCK NAME"}}));
    for (size_t i = 0; i < b.accounts.size(); i += 3) {
      std::vector<std::pair<int, std::string>> accounts, values;
      for (size_t j = i; j < b.accounts.size() && j < i + 3; ++j) {
        const int o = 41 * static_cast<int>(j - i);
        accounts.push_back({7 + o, b.accounts[j].first});
        accounts.push_back({29 + o, Qty(b.accounts[j].second)});
        values.push_back({22 + o, Qty("1,000.00", 22)});
      }
      body.push_back(ReportLine(accounts));
      body.push_back(ReportLine(values));
    }
  }
  return ReportPage("DAILY STOCK BALANCE REPORT", 1, body);
}

// The settlement report's unsettled positions: (stock, delivering, receiving) texts.
inline std::string SettlementReport(
    const std::vector<std::tuple<std::string, std::string, std::string>>& totals) {
  std::vector<std::string> body = {"UNSETTLED POSITIONS",
                                   ReportLine({{65, "DELIVERING"}, {81, "RECEIVING"}})};
  for (const auto& [stock, out, in] : totals) {
    body.push_back(
        ReportLine({{3, " STOCK " + stock + " TOTAL :"}, {61, Qty(out, 13)}, {78, Qty(in, 12)}}));
  }
  body.push_back("END OF REPORT");
  return ReportPage("SETTLEMENT REPORT", 1, body);
}

class EndToEndTest : public ::testing::Test {
 protected:
  // A broker before CCASS/3 (layout C) with the usual accounts per client type.
  void SetUp() override {
    PinReportTimeZone();
    spec.settings = {
        {"PARTID", Value("B01234")},
        {"USERKEY", Value("TESTER")},
        {"SBPATH", Value("OBX")},
        {"STKFILE", Value(kReportFile)},
        {"ATITEXT", Value("ZURFILE.TXT")},
        {"STITEXT", Value("STIFILE.TXT")},
        {"OWNREF", Value("TEST REF")},
        {"SENDBIC", Value("SAMPHKHH")},
        {"SYSTEMKEY", Value("HK  ")},
        {"CLA_ATI", Value("04")},
        {"CLC_ATI", Value("02")},
        {"CLI_ATI", Value("05")},
        {"CLM_ATI", Value("06")},
        {"CLP_ATI", Value("07")},
        {"CLF_ATI", Value("03")},
        {"CLO_ATI", Value("09")},
        {"EXSTRQTY", Value("N")},
        {"EXCOMQTY", Value("N")},
        {"EXTDQTY", Value("N")},
        {"EXBANQTY", Value("N")},
        {"EXOTHQTY", Value("N")},
        {"COVERSS", Value("N")},
        {"ATI02", Value("N")},
        {"ATI01OUT", Value("N")},
        {"NOSHRATI", Value("N")},
        {"XPSCRDEN", Value(100)},
    };
    spec.saved_vars = {{"CASH_STOCK", Value("A")}, {"STKNO_LEN", Value(5)}};
    spec.backoffice_vars = {{"CO_NAME", Value("TEST SECURITIES")}};
    spec.trade_date = Day(8);
    spec.next_trade_date = Day(9);
    spec.settle_date = Day(10);
  }

  void SetSetting(const std::string& field, Value value) {
    for (auto& [name, v] : spec.settings) {
      if (name == field) {
        v = std::move(value);
        return;
      }
    }
    spec.settings.emplace_back(field, std::move(value));
  }
  // The CCASS/3 layout from 24 October 2011; with `eight_digit` also 8-digit accounts.
  void UseCcass3(bool eight_digit) {
    spec.saved_vars.emplace_back("CAS3_START", Value(*Date::FromYmd(2011, 10, 24)));
    if (eight_digit) spec.saved_vars.emplace_back("CAS3_0705", Value(*Date::FromYmd(2015, 7, 6)));
  }

  void Write() { WriteInstallation(spec, dir.path()); }

  // `zur check` on the installation as written; the transmission date 8 December 2026.
  CheckCommandOptions Options() const {
    CheckCommandOptions options;
    options.screen = screen;
    if (!options.screen.gen_date) options.screen.gen_date = Day(8);
    options.working_dir = dir.path();
    options.exe_path = (dir.path() / "zur").string();
    options.change_directory = false;
    options.today = Day(8);
    options.pdf = pdf;
    options.keep_reports = dir.path() / "kept";
    options.print_time = std::chrono::system_clock::from_time_t(1796000000);
    return options;
  }
  int Check() { return CheckCommand(Options(), op); }

  int WriteAndCheck() {
    Write();
    return Check();
  }

  // The run's upload files, holdings table, report texts and PDFs are those kept for `name`.
  void ExpectSameOutputs(const std::string& name) const { ExpectOutputsAsKept(dir.path(), name); }

  bool Exists(const std::string& name) const { return std::filesystem::exists(dir.path() / name); }

  // The file's lines, each of which must end with CR LF.
  std::vector<std::string> Lines(const std::string& name) const {
    std::ifstream in(dir.path() / name, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
      const size_t end = text.find("\r\n", at);
      if (end == std::string::npos) {
        ADD_FAILURE() << name << ": last line without CR LF";
        lines.push_back(text.substr(at));
        break;
      }
      lines.push_back(text.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }

  // A character field of the settings record.
  std::string Setting(const std::string& field) const {
    auto sys =
        dbf::Table::Open(dir.path() / "ATISYSFL.DBF", dbf::Share::kShared, dbf::Access::kReadOnly);
    sys->GoTop();
    return std::string(text::RTrim(sys->Get(field).str()));
  }

  bool Saw(const std::string& event) const {
    for (const std::string& e : op.events) {
      if (e == event) return true;
    }
    return false;
  }

  std::string Events() const {
    std::string all;
    for (const std::string& e : op.events) all += e + "\n";
    return all;
  }

  dbf::testing::TempDir dir;
  InstallationSpec spec;
  StartScreenInputs screen;
  // The reports go to PDF files in the scratch directory: a test never reaches a real printer.
  bool pdf = true;
  run::RecordingOperator op;
};

}  // namespace zur::driver::testing

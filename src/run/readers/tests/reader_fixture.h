#pragma once
// What the reader tests share: a holdings table and a stock master in a scratch directory,
// report texts laid out column by column, and the holdings read back.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/upgrade/required_fields.h"
#include "lib/format/format_functions.h"
#include "lib/text/numeric_text.h"
#include "lib/text/tests/temp_file.h"
#include "lib/text/trim_pad.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/dbf/work_areas.h"
#include "run/readers/holdings_book.h"
#include "run/readers/report_walk.h"
#include "run/scanner/page_scan.h"
#include "run/scanner/tests/report_text.h"

namespace zur::readers::testing {

// A report line with texts placed at 1-based columns, blanks between.
inline std::string Line(std::initializer_list<std::pair<int, std::string>> parts) {
  std::string line;
  for (const auto& [column, text] : parts) {
    size_t at = static_cast<size_t>(column - 1);
    if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
  }
  return line;
}

// One page: the three header lines, a rule, the body and a blank line long enough that no
// form feed falls within the window of a header line, then the page's form feed.
inline std::string ReportPage(const std::string& report, int page,
                              const std::vector<std::string>& body, bool shifted = false) {
  scanner::testing::PageFields fields;
  fields.report = report;
  fields.page = page;
  fields.shifted = shifted;
  std::string out = scanner::testing::PageHeader(fields) + std::string(150, '-') + "\r\n";
  for (const std::string& line : body) out += line + "\r\n";
  return out + std::string(150, ' ') + "\r\n\f ";
}

struct Holding {
  double balance = 0;    // ACASQTY
  double unsettled = 0;  // AODQTY
  std::string name;      // ASTK
  std::string isin;      // AISIN
};
// (stock number, account) -> holding, read back from the table.
using Holdings = std::map<std::pair<int, std::string>, Holding>;

// The holding of (stock, account); a blank holding and a test failure when there is none.
inline Holding At(const Holdings& h, int stock, const std::string& account) {
  auto it = h.find({stock, account});
  if (it == h.end()) {
    ADD_FAILURE() << "no holding for stock " << stock << " account " << account;
    return {};
  }
  return it->second;
}

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    format::RegisterFormatFunctions(functions_, vars_);
    areas_.SetEnvironment(&functions_, &vars_);
    std::vector<dbf::FieldSpec> fields;
    for (const auto& f : upgrade::RequiredFieldsFor("ATIMAST"))
      fields.push_back({f.name, f.type, f.length, f.decimals});
    dbf::Table::Create(dir_ / "ATIMAST.DBF", fields);
    dbf::Table::Create(dir_ / "SMMAST.DBF",
                       {{"MSTKNO", 'C', 5, 0}, {"MSTK", 'C', 15, 0}, {"MISIN", 'C', 12, 0}});
    areas_.Select(0);
    sm_ = &areas_.Use(dir_ / "SMMAST.DBF", "SM", dbf::Share::kExclusive);
    AddStock("5", "HSBC HOLDINGS", "GB0005405286");
    sm_->CreateOrder("SMNO", "STRVAL3(MSTKNO)");
    areas_.Select(0);
    zur_ = &areas_.Use(dir_ / "ATIMAST.DBF", "ZUR", dbf::Share::kExclusive);
    zur_->CreateOrder("ATIMAST", "STRVAL(ASTKNO)+AATI");
  }

  void AddStock(const std::string& stkno, const std::string& name, const std::string& isin) {
    sm_->Append();
    sm_->Replace("MSTKNO", Value(stkno));
    sm_->Replace("MSTK", Value(name));
    sm_->Replace("MISIN", Value(isin));
  }

  // Writes the report text file and runs the page pass over it.
  ReportSource Report(const std::string& contents) {
    file_ = std::make_unique<text::testing::TempFile>(contents);
    scanner::OpenError error;
    reader_ = scanner::ReportLineReader::Open(file_->path(), &error);
    if (!reader_) ADD_FAILURE() << error.message;
    scan_ = scanner::ScanPages(*reader_);
    return {*reader_, scan_.pages};
  }

  HoldingsBook Book(bool eight_digit_accounts) {
    BookRules rules;
    rules.eight_digit_accounts = eight_digit_accounts;
    return HoldingsBook(*zur_, sm_, rules, op_, file_ ? file_->path() : "REPORT.TXT");
  }

  Holdings Read() {
    Holdings out;
    zur_->SetOrder(0);
    for (zur_->GoTop(); !zur_->Eof(); zur_->Skip()) {
      auto key = std::make_pair(static_cast<int>(text::Val(zur_->Get("ASTKNO").str())),
                                std::string(text::RTrim(zur_->Get("AATI").str())));
      EXPECT_EQ(out.count(key), 0u) << "two records for " << key.first << "/" << key.second;
      out[key] = {zur_->Get("ACASQTY").num(), zur_->Get("AODQTY").num(),
                  std::string(text::RTrim(zur_->Get("ASTK").str())),
                  std::string(text::RTrim(zur_->Get("AISIN").str()))};
    }
    zur_->SetOrder("ATIMAST");
    return out;
  }

  dbf::testing::TempDir dir_;
  VarStore vars_;
  expr::FunctionTable functions_;
  dbf::WorkAreas areas_;
  dbf::Table* zur_ = nullptr;
  dbf::Table* sm_ = nullptr;
  run::RecordingOperator op_;
  std::unique_ptr<text::testing::TempFile> file_;
  std::unique_ptr<scanner::ReportLineReader> reader_;
  scanner::PageScan scan_;
};

}  // namespace zur::readers::testing

#pragma once
// A holdings table in a scratch directory, filled by hand, and the upload files the
// determination writes from it, read back as transfers ("5 15>01 500") or as raw lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/upgrade/required_fields.h"
#include "lib/format/account_code.h"
#include "lib/format/format_functions.h"
#include "lib/format/stock_number.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/dbf/work_areas.h"
#include "run/determine/determine_zur.h"
#include "run/operator/operator.h"

namespace zur::determine::testing {

// One holdings record: stock number and account as a reader would be given them.
struct Row {
  std::string stock;
  std::string account;
  double cas = 0;   // ACASQTY
  double od = 0;    // AODQTY
  double net = 0;   // ANETQTY
  double stl = 0;   // ASTLQTY
  double ustl = 0;  // AUSTLQTY
  double tfr = 0;   // ATFRQTY
  double ss = 0;    // ASSQTY
};

// What the determination left in one record.
struct Decision {
  std::string from, to;
  double qty = 0, qty1 = 0, tfr = 0;
};

inline std::vector<dbf::FieldSpec> HoldingsFields() {
  std::vector<dbf::FieldSpec> fields;
  for (const upgrade::RequiredField& f : upgrade::RequiredFieldsFor("ATIMAST", 5))
    fields.push_back({f.name, f.type, f.length, f.decimals});
  return fields;
}

class DetermineTest : public ::testing::Test {
 protected:
  void SetUp() override { format::RegisterFormatFunctions(functions_, vars_); }

  // Creates ATIMAST (with `fields`) and opens it as ZUR with its index; `eight` picks the
  // account format the rows are formatted in.
  void MakeTable(bool eight, std::vector<dbf::FieldSpec> fields = HoldingsFields(),
                 dbf::Share share = dbf::Share::kExclusive) {
    eight_ = eight;
    path_ = dir_ / "ATIMAST.DBF";
    dbf::Table::Create(path_, fields);
    areas_.SetEnvironment(&functions_, &vars_);
    areas_.Select(1);
    zur_ = &areas_.Use(path_, "ZUR", share);
    zur_->CreateOrder("ATIMAST", "STRVAL(ASTKNO)+AATI");
  }

  void Add(const Row& r) {
    zur_->Append();
    zur_->Replace("ASTKNO", Value(format::StrVal(r.stock, format::StockNumberRules{})));
    zur_->Replace("ASTK", Value("STOCK " + r.stock));
    zur_->Replace("AISIN", Value(Isin(r.stock)));
    zur_->Replace("AATI", Value(format::FmtAcNum(r.account, eight_)));
    zur_->Replace("ACASQTY", Value(r.cas));
    zur_->Replace("AODQTY", Value(r.od));
    zur_->Replace("ANETQTY", Value(r.net));
    zur_->Replace("ASTLQTY", Value(r.stl));
    zur_->Replace("AUSTLQTY", Value(r.ustl));
    zur_->Replace("ATFRQTY", Value(r.tfr));
    zur_->Replace("ASSQTY", Value(r.ss));
  }
  void AddRows(std::initializer_list<Row> rows) {
    for (const Row& r : rows) Add(r);
  }

  static std::string Isin(const std::string& stock) {
    std::string digits = "0000000000" + stock;
    return "HK" + digits.substr(digits.size() - 10);
  }

  upload::UploadSettings Settings(bool ccass3) const {
    upload::UploadSettings s;
    s.is_ccass3 = ccass3;
    s.eight_char_accounts = eight_;
    s.part_id = "B01234";
    s.send_bic = "ABCDHKHH";
    s.own_ref = "DAILY";
    s.gen_date = *Date::FromYmd(2026, 12, 8);
    s.zur_path = dir_ / "ATIFILE.TXT";
    s.sti_path = dir_ / "STIFILE.TXT";
    return s;
  }

  // Runs the determination with the settings of `in` (its account format must be the table's).
  DetermineResult Run(DetermineInputs in = {}, bool ccass3 = true) {
    in.eight_digit_accounts = eight_;
    upload::UploadWriter writer(Settings(ccass3));
    return DetermineZur(*zur_, writer, in, op_);
  }

  std::filesystem::path ZurFile() const { return dir_ / "ATIFILE.TXT"; }
  std::filesystem::path StiFile() const { return dir_ / "STIFILE.TXT"; }

  // The lines of a file without their CR LF; a line not ended by CR LF fails the test.
  static std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string all = s.str();
    std::vector<std::string> lines;
    for (size_t start = 0; start < all.size();) {
      size_t end = all.find("\r\n", start);
      if (end == std::string::npos) {
        ADD_FAILURE() << path << ": last line without CR LF";
        break;
      }
      lines.push_back(all.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  // The detail lines of a file as "stock from>to quantity", read at the columns of the
  // line's layout (told apart by the line length).
  static std::vector<std::string> Transfers(const std::filesystem::path& path) {
    std::vector<std::string> out;
    for (const std::string& l : Lines(path)) {
      if (l.empty() || l[0] != '1') continue;
      auto num = [&](size_t from, size_t to) {
        return std::stoll(l.substr(from - 1, to - from + 1));
      };
      auto text = [&](size_t from, size_t to) { return l.substr(from - 1, to - from + 1); };
      if (l.size() == 99 || l.size() == 120)  // layout A and the STI line
        out.push_back(std::to_string(num(2, 6)) + " " + text(19, 26) + ">" + text(27, 34) + " " +
                      std::to_string(num(35, 45)));
      else if (l.size() == 87)  // layout B
        out.push_back(std::to_string(num(2, 6)) + " " + text(19, 20) + ">" + text(21, 22) + " " +
                      std::to_string(num(23, 33)));
      else if (l.size() == 74)  // layout C
        out.push_back(std::to_string(num(2, 5)) + " " + text(6, 7) + ">" + text(8, 9) + " " +
                      std::to_string(num(10, 20)));
      else
        ADD_FAILURE() << "detail line of " << l.size() << " characters: " << l;
    }
    return out;
  }

  // The record of (stock, account), or a failure.
  Decision At(const std::string& stock, const std::string& account) {
    const std::string key = format::StrVal(stock, format::StockNumberRules{});
    const std::string code = format::FmtAcNum(account, eight_);
    for (uint32_t r = 1; r <= zur_->RecCount(); ++r) {
      zur_->GoTo(r);
      if (zur_->Get("ASTKNO").str() != key) continue;
      std::string aati = zur_->Get("AATI").str();
      aati.erase(aati.find_last_not_of(' ') + 1);
      if (aati != code) continue;
      auto trimmed = [&](const char* f) {
        std::string s = zur_->Get(f).str();
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
      };
      return {trimmed("AFROM"), trimmed("ATO"), zur_->Get("AATIQTY").num(),
              zur_->Get("AATIQTY1").num(), zur_->Get("ATFRQTY").num()};
    }
    ADD_FAILURE() << "no record of stock " << stock << " account " << account;
    return {};
  }

  dbf::testing::TempDir dir_;
  VarStore vars_;
  expr::FunctionTable functions_;
  dbf::WorkAreas areas_;
  dbf::Table* zur_ = nullptr;
  std::filesystem::path path_;
  bool eight_ = false;
  run::RecordingOperator op_;
};

using Texts = std::vector<std::string>;

}  // namespace zur::determine::testing

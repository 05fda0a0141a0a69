// The holdings index and the stock look-up against orders of the table engine on the same
// key expressions: the same record for every text sought, the same walk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/upgrade/required_fields.h"
#include "lib/format/format_functions.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/dbf/work_areas.h"
#include "run/holdings/holdings_index.h"
#include "run/holdings/stock_lookup.h"

namespace zur::holdings {
namespace {

class HoldingsIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vars_.Set("STKNO_LEN", Value(5));
    vars_.Set("STKNO_LEN2", Value(6));
    vars_.Set("SAS_MKT", Value(true));
    format::RegisterFormatFunctions(functions_, vars_);
    areas_.SetEnvironment(&functions_, &vars_);
    std::vector<dbf::FieldSpec> fields;
    for (const upgrade::RequiredField& f : upgrade::RequiredFieldsFor("ATIMAST", 5))
      fields.push_back({f.name, f.type, f.length, f.decimals});
    dbf::Table::Create(dir_ / "ATIMAST.DBF", fields);
    dbf::Table::Create(dir_ / "SMMAST.DBF", {{"MSTKNO", 'C', 6, 0}, {"MSTK", 'C', 10, 0}});
    zur_ = &areas_.Use(dir_ / "ATIMAST.DBF", "ZUR", dbf::Share::kExclusive);
    areas_.Select(2);
    sm_ = &areas_.Use(dir_ / "SMMAST.DBF", "SM", dbf::Share::kExclusive);
    rules_ = format::StockNumberRules::FromVars(vars_);
  }

  dbf::testing::TempDir dir_;
  VarStore vars_;
  expr::FunctionTable functions_;
  dbf::WorkAreas areas_;
  dbf::Table* zur_ = nullptr;
  dbf::Table* sm_ = nullptr;
  format::StockNumberRules rules_;
};

// Stock numbers as the tables hold them: numeric in several forms, converted, other texts.
const std::vector<std::string> kStocks = {"5", "00005", "  5", "700", "90519", "ABC", "", "012345"};
const std::vector<std::string> kAccounts = {"01", "00000001", "02", "21", "", "1"};

TEST_F(HoldingsIndexTest, FindsAndWalksAsTheOrderOnItsKey) {
  zur_->CreateOrder("ATIMAST", std::string(kHoldingsKey));
  HoldingsIndex index(*zur_, rules_);
  for (size_t i = 0; i < kStocks.size() * kAccounts.size(); ++i) {
    zur_->Append();
    zur_->Replace("ASTKNO", Value(kStocks[i % kStocks.size()]));
    zur_->Replace("AATI", Value(kAccounts[(i * 5) % kAccounts.size()]));
    index.Update();
  }
  for (const std::string& stock : kStocks) {
    const std::string key = format::StrVal(stock, rules_);
    for (const std::string& account : kAccounts) {
      for (const std::string& want : {key, key + account, key + std::string(account) + "  ",
                                      key + account + std::string(8, ' ')}) {
        const uint32_t expected = zur_->Seek(Value(want)) ? zur_->RecNo() : 0;
        EXPECT_EQ(index.Find(want), expected) << "\"" << want << "\"";
      }
    }
  }
  std::vector<uint32_t> by_order, by_index;
  for (zur_->GoTop(); !zur_->Eof(); zur_->Skip()) by_order.push_back(zur_->RecNo());
  for (auto w = index.Begin(); w.recno() != 0; w.Next()) by_index.push_back(w.recno());
  EXPECT_EQ(by_index, by_order);
}

TEST_F(HoldingsIndexTest, StockLookupFindsTheStockMastersRecord) {
  for (const std::string& stock : kStocks) {
    sm_->Append();
    sm_->Replace("MSTKNO", Value(stock));
    sm_->Replace("MSTK", Value("NAME " + stock));
  }
  sm_->CreateOrder("SMNO", "STRVAL3(MSTKNO)");
  StockLookup lookup(*sm_, rules_);
  for (const std::string& stock : kStocks) {
    for (const std::string& want :
         {format::StrVal3(stock, rules_), format::StrVal(stock, rules_)}) {
      bool found = false;
      const std::string name(lookup.Seek(want, &found).Field(1));
      const bool expected = sm_->Seek(Value(want));
      EXPECT_EQ(found, expected) << "\"" << want << "\"";
      EXPECT_EQ(name, std::string(sm_->Raw(1)));
    }
  }
  // A filter on the holdings table would hide records from a seek: refused.
  zur_->SetFilter("AATI = '01'");
  EXPECT_THROW(HoldingsIndex(*zur_, rules_), dbf::Error);
}

}  // namespace
}  // namespace zur::holdings

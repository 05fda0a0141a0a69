// Hand-made back-office tables and the holdings table in a temporary directory, opened in work
// areas as the run driver opens them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include "app/upgrade/required_fields.h"
#include "lib/format/format_functions.h"
#include "platform/dbf/work_areas.h"
#include "platform/expr/expression.h"
#include "run/operator/operator.h"
#include "run/position/position_build.h"
#include "run/position/position_inputs.h"

namespace zur::position {

using Row = std::initializer_list<std::pair<const char*, Value>>;

inline Date Day(int d) {
  return *Date::FromYmd(2026, 12, d);
}

class PositionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/zur_position_XXXXXX";
    ASSERT_TRUE(::mkdtemp(name));
    dir_ = name;
    in_.accounts.a = "04";
    in_.accounts.c = "02";
    in_.accounts.i = "05";
    in_.accounts.m = "06";
    in_.accounts.p = "07";
    in_.accounts.f = "03      ";
    in_.accounts.other = "09";
    in_.excluded = {false, false, false, false, false};
    in_.cash_stock = "A";
    in_.tran_date = Day(8);
    in_.ntran_date = Day(9);
  }
  void TearDown() override {
    areas_.CloseAll();
    std::filesystem::remove_all(dir_);
  }

  // Stock numbers `stkno_width` wide in the back-office tables; with SAS_MKT the stock master
  // key is that wide too.
  void CreateTables(int stkno_width = 5, bool sas_mkt = false) {
    in_.rules.sas_mkt = sas_mkt;
    in_.rules.stkno_len2 = sas_mkt ? stkno_width : 5;
    vars_.Set("STKNO_LEN", Value(5));
    vars_.Set("STKNO_LEN2", Value(in_.rules.stkno_len2));
    vars_.Set("SAS_MKT", Value(sas_mkt));
    format::RegisterFormatFunctions(functions_, vars_);
    areas_.SetEnvironment(&functions_, &vars_);
    const dbf::FieldSpec stkno{"", 'C', stkno_width, 0};
    auto n = [](const char* name) { return dbf::FieldSpec{name, 'N', 12, 0}; };
    auto c = [](const char* name, int width) { return dbf::FieldSpec{name, 'C', width, 0}; };
    auto d = [](const char* name) { return dbf::FieldSpec{name, 'D', 8, 0}; };
    auto with_name = [](dbf::FieldSpec f, const char* name) {
      f.name = name;
      return f;
    };
    const std::vector<dbf::FieldSpec> portfolio = {c("FACCT", 10), with_name(stkno, "FSTKNO"),
                                                   n("FQTYBF"),    n("FQTYTT"),
                                                   n("FDAYQTY"),   n("FDAYBS"),
                                                   n("FSTRQTY"),   n("FCOMQTY"),
                                                   n("FTDQTY"),    n("FBANQTY"),
                                                   n("FOTHQTY")};
    const std::vector<dbf::FieldSpec> unsettled = {c("MACCT", 10), with_name(stkno, "MSTKNO"),
                                                   c("MREF", 1),   n("MQTY"),
                                                   d("MSDATE"),    d("MSSDATE"),
                                                   d("MDELDATE"),  c("MMARKET", 4)};
    Make("CLMAST.DBF", "CL", {c("LACCT", 10), c("LSEGAC", 8)});
    Make("PFMAST.DBF", "PF", portfolio);
    Make("SMMAST.DBF", "SM",
         {with_name(stkno, "MSTKNO"), c("MSTK", 15), c("MISIN", 12), c("MMARKET", 4),
          c("MCCSTOCK", 1)});
    Make("MGNUNSTL.DBF", "MU", unsettled);
    Make("SLMAST.DBF", "SL", {c("LSTKNO", stkno_width), c("LLCN", 8), n("LQTYBF"), n("LQTYMTD")});
    std::filesystem::create_directory(dir_ / "fin");
    Make("fin/PFMAST.DBF", "PFF", portfolio);
    Make("fin/MGNUNSTL.DBF", "MUF", unsettled);
    std::vector<dbf::FieldSpec> holdings;
    for (const auto& f : upgrade::RequiredFieldsFor("ATIMAST"))
      holdings.push_back({f.name, f.type, f.length, f.decimals});
    Make("ATIMAST.DBF", "ZUR", holdings, dbf::Share::kExclusive);
  }

  void Make(const char* file, const char* alias, const std::vector<dbf::FieldSpec>& fields,
            dbf::Share share = dbf::Share::kShared) {
    dbf::Table::Create(dir_ / file, fields);
    areas_.Select(0);
    areas_.Use(dir_ / file, alias, share);
  }

  void Add(const char* alias, Row row) {
    dbf::Table& t = *areas_.Find(alias);
    t.Append();
    for (const auto& [name, value] : row) t.Replace(name, value);
    if (t.share() == dbf::Share::kShared) t.UnlockAll();
  }
  void AddStock(const char* stkno, const char* market = "HK  ", const char* cc = "Y") {
    Add("SM", {{"MSTKNO", stkno},
               {"MSTK", std::string("STOCK ") + stkno},
               {"MISIN", std::string("HK00000") + stkno},
               {"MMARKET", market},
               {"MCCSTOCK", cc}});
  }
  void AddClient(const char* acct, const char* segregated = "") {
    Add("CL", {{"LACCT", acct}, {"LSEGAC", segregated}});
  }
  // A position with only a brought-forward holding.
  void AddPosition(const char* alias, const char* acct, const char* stkno, double qty) {
    Add(alias, {{"FACCT", acct}, {"FSTKNO", stkno}, {"FQTYBF", qty}});
  }
  void AddTrade(const char* alias, const char* acct, const char* stkno, const char* ref, double qty,
                Date settles) {
    Add(alias, {{"MACCT", acct},
                {"MSTKNO", stkno},
                {"MREF", ref},
                {"MQTY", qty},
                {"MSDATE", settles},
                {"MSSDATE", settles}});
  }

  PositionResult Build() { return BuildPositions(areas_, in_, op_); }

  // A numeric field of the holdings record of `key` and `account` (blank-padded compare), or
  // NaN when there is no such record.
  double Qty(const std::string& key, const std::string& account, const char* field) {
    dbf::Table& t = *areas_.Find("ZUR");
    for (uint32_t r = 1; r <= t.RecCount(); ++r) {
      t.GoTo(r);
      if (t.Get("ASTKNO").str() == key && t.Get("AATI").str() == Pad8(account))
        return t.Get(field).num();
    }
    return std::nan("");
  }
  bool HasRecord(const std::string& key, const std::string& account) {
    return !std::isnan(Qty(key, account, "ANETQTY"));
  }
  static std::string Pad8(std::string s) {
    s.resize(8, ' ');
    return s;
  }

  std::filesystem::path dir_;
  VarStore vars_;
  expr::FunctionTable functions_;
  dbf::WorkAreas areas_;
  run::RecordingOperator op_;
  PositionInputs in_;
};

}  // namespace zur::position

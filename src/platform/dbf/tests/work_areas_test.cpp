#include "platform/dbf/work_areas.h"

#include <gtest/gtest.h>

#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

using testing::TempDir;

class Areas : public ::testing::Test {
 protected:
  void SetUp() override {
    Table::Create(dir_ / "PFMAST.DBF", {{"FACCT", 'C', 4, 0}, {"FQTY", 'N', 6, 0}});
    Table::Create(dir_ / "CLMAST.DBF", {{"LACCT", 'C', 4, 0}, {"LNAME", 'C', 8, 0}});
    auto pf = Table::Open(dir_ / "PFMAST.DBF", Share::kExclusive);
    for (auto [acct, qty] : {std::pair{"C2", 10}, {"C9", 20}, {"C1", 30}}) {
      pf->Append();
      pf->Replace("FACCT", Value(acct));
      pf->Replace("FQTY", Value(qty));
    }
    auto cl = Table::Open(dir_ / "CLMAST.DBF", Share::kExclusive);
    for (auto [acct, name] : {std::pair{"C1", "ONE"}, {"C2", "TWO"}}) {
      cl->Append();
      cl->Replace("LACCT", Value(acct));
      cl->Replace("LNAME", Value(name));
    }
  }
  Value Eval(std::string_view text) {
    expr::Context ctx;
    ctx.fields = &areas_;
    Value out;
    expr::Error err;
    EXPECT_TRUE(expr::EvaluateText(text, ctx, out, err)) << err.What();
    return out;
  }

  TempDir dir_;
  WorkAreas areas_;
};

TEST_F(Areas, SelectByNumberAndAliasCloseAndFieldNames) {
  areas_.Select(1);
  Table& pf = areas_.Use(dir_ / "PFMAST.DBF", "PF", Share::kShared);
  EXPECT_EQ(pf.alias(), "PF");
  areas_.Select(0);  // the lowest free area
  EXPECT_EQ(areas_.current(), 2);
  areas_.Use(dir_ / "CLMAST.DBF", "", Share::kShared);
  EXPECT_EQ(areas_.AreaOf("clmast"), 2);
  EXPECT_THROW(areas_.Use(dir_ / "CLMAST.DBF", "pf", Share::kShared), Error);  // alias taken
  EXPECT_EQ(areas_.Current(), nullptr);  // the failed use left area 2 empty

  areas_.Use(dir_ / "CLMAST.DBF", "CL", Share::kShared);
  const uint64_t g = areas_.Generation();
  ASSERT_TRUE(areas_.Select("pf"));
  EXPECT_NE(areas_.Generation(), g);
  EXPECT_EQ(Eval("FACCT"), Value("C2  "));  // bare name: the current area
  EXPECT_EQ(Eval("CL->LNAME"), Value("ONE     "));
  EXPECT_EQ(Eval("RECNO()"), Value(1.0));
  areas_.Select("CL");
  EXPECT_EQ(Eval("LACCT+PF->FACCT"), Value("C1  C2  "));
  EXPECT_FALSE(areas_.Select("nope"));
  EXPECT_THROW(areas_.Select(WorkAreas::kMaxAreas + 1), Error);

  EXPECT_TRUE(areas_.Close("PF"));
  EXPECT_EQ(areas_.Find("PF"), nullptr);
  EXPECT_EQ(areas_.FindField("PF", "FACCT"), -1);
  areas_.CloseAll();
  EXPECT_EQ(areas_.At(2), nullptr);
  EXPECT_EQ(areas_.current(), 2);
}

TEST_F(Areas, RelationPositionsTheChildWheneverTheParentMoves) {
  areas_.Select(2);
  Table& cl = areas_.Use(dir_ / "CLMAST.DBF", "CL", Share::kShared);
  cl.CreateOrder("CLMAST", "LACCT");
  areas_.Select(1);
  Table& pf = areas_.Use(dir_ / "PFMAST.DBF", "PF", Share::kShared);
  areas_.SetRelation("CL", "FACCT");
  EXPECT_EQ(cl.Get("LNAME"), Value("TWO     "));  // positioned at once
  std::vector<std::string> names;
  for (pf.GoTop(); !pf.Eof(); pf.Skip()) names.push_back(cl.Eof() ? "-" : cl.Get("LNAME").str());
  EXPECT_EQ(names, (std::vector<std::string>{"TWO     ", "-", "ONE     "}));
  EXPECT_TRUE(cl.Eof());  // the parent at EOF leaves the child at EOF
  pf.GoTo(3);
  EXPECT_EQ(Eval("CL->LNAME"), Value("ONE     "));
  areas_.ClearRelations();
  pf.GoTo(1);
  EXPECT_EQ(cl.Get("LACCT"), Value("C1  "));
  EXPECT_THROW(areas_.SetRelation("NOPE", "FACCT"), Error);
  EXPECT_THROW(areas_.SetRelation("CL", "FACCT+"), Error);
}

TEST_F(Areas, FilterMayReadAnotherArea) {
  areas_.Select(2);
  Table& cl = areas_.Use(dir_ / "CLMAST.DBF", "CL", Share::kShared);
  cl.CreateOrder("CLMAST", "LACCT");
  areas_.Select(1);
  Table& pf = areas_.Use(dir_ / "PFMAST.DBF", "PF", Share::kShared);
  areas_.SetRelation("CL", "FACCT");
  pf.SetFilter("CL->LNAME = \"ONE\" .OR. FQTY = 20");
  std::vector<double> qty;
  for (pf.GoTop(); !pf.Eof(); pf.Skip()) qty.push_back(pf.Get("FQTY").num());
  EXPECT_EQ(qty, (std::vector<double>{20, 30}));
}

}  // namespace
}  // namespace zur::dbf

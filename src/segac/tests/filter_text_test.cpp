#include "segac/filter_text.h"

#include <gtest/gtest.h>

#include "lib/text/trim_pad.h"
#include "platform/expr/expression.h"
#include "segac/tests/segac_fixture.h"

namespace zur::segac {
namespace {

// Every value comes back from its literal byte for byte: "]" and "[" as second bytes of Big5
// characters (孫 is AE 5D), quotes of either kind.
TEST(FilterText, LiteralsEvaluateToTheirValue) {
  const std::string values[] = {
      "",           "CHAN", big5::Utf8ToBig5("孫美珠"),        "A]B[C", "O'BRIEN",
      "SAY \"HI\"", "\"",   "\"'][\"" + big5::Utf8ToBig5("珠")};
  for (const std::string& value : values) {
    expr::Context ctx;
    Value out;
    expr::Error error;
    const std::string literal = TextLiteral(value);
    ASSERT_TRUE(expr::EvaluateText(literal, ctx, out, error)) << literal << ": " << error.What();
    EXPECT_EQ(out, Value(value)) << literal;
  }
}

// The filter of the typed values selects the clients on the file: a name in any letter case
// within either name line, accounts by their beginning; a Chinese name whose characters end
// in "]" as well as any other.
TEST(FilterText, FilterSelectsTheClients) {
  dbf::testing::TempDir dir;
  testing::WriteClients(dir / "CLMAST.DBF", {{"A001", "CHAN TAI MAN", "", "21"},
                                             {"A002", "Chan Siu Ming", "", ""},
                                             {"C003", "CHEUNG HOLDINGS", "陳氏控股", "21"},
                                             {"P003", "孫美珠", "SUEN MEI CHU", ""},
                                             {"P004", "王大文", "孫子 O'BRIEN [HK]", "22"}});
  struct Case {
    const char* acct;
    const char* name;
    const char* segac;
    const char* expected;  // the accounts selected
  } cases[] = {
      {"", "chan", "", "A001 A002"}, {"A", "CHAN", "21", "A001"},
      {"", "孫", "", "P003 P004"},   {"", "孫美珠", "", "P003"},
      {"", "陳氏", "", "C003"},      {"", "O'BRIEN [HK]", "", "P004"},
      {"P", "", "", "P003 P004"},    {"", "", "2", "A001 C003 P004"},
      {"", "NOBODY", "", ""},
  };
  auto table = dbf::Table::Open(dir / "CLMAST.DBF", dbf::Share::kShared, dbf::Access::kReadOnly);
  for (const Case& c : cases) {
    std::string filter;
    CatFiltC(filter, "LACCT", text::PadR(c.acct, 10));
    CatFiltC(filter, "LSEGAC", text::PadR(c.segac, 8));
    CatNameFilter(filter, text::PadR(big5::Utf8ToBig5(c.name), 30));
    table->SetFilter(filter);
    std::string selected;
    for (table->GoTop(); !table->Eof(); table->Skip())
      selected +=
          (selected.empty() ? "" : " ") + std::string(text::RTrim(table->Get("LACCT").str()));
    EXPECT_EQ(selected, c.expected) << c.acct << "/" << c.name << "/" << c.segac << ": " << filter;
  }
}

TEST(FilterText, NothingTypedNothingAdded) {
  std::string filter;
  CatFiltC(filter, "LACCT", "          ");
  CatNameFilter(filter, "   ");
  EXPECT_EQ(filter, "");
  CatFiltC(filter, "LACCT", "A1  ");
  CatFiltC(filter, "LSEGAC", "21");
  EXPECT_EQ(filter, "LACCT=\"A1\" .AND. LSEGAC=\"21\"");
}

}  // namespace
}  // namespace zur::segac

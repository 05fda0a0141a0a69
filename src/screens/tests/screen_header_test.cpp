#include "screens/screen_header.h"

#include <gtest/gtest.h>

#include "platform/term/tests/term_fixture.h"

namespace zur::screens {
namespace {

using HeaderTest = term::TermTest;

VarStore HeaderVars(const char* system_key, const char* printer) {
  VarStore vars;
  vars.Set("TRAN_DATE", Value(*Date::FromYmd(2026, 12, 8)));
  vars.Set("SYSTEM", Value("CCASS ZUR Talvero (Ver 7.00g+)"));
  vars.Set("MSG", Value("(2) START CHECKING"));
  vars.Set("SYSTEM_KEY", Value(system_key));
  vars.Set("CUR_PTR", Value(printer));
  vars.Set("PRINT_NAME", Value("LPT2"));
  vars.Set("WinPtFont", Value("AR PL UMing"));
  vars.Set("cXpBgClr1", Value("NIL"));
  vars.Set("cXpFgClr1", Value("GRA_CLR_DEFAULT"));
  return vars;
}

std::chrono::system_clock::time_point At(int h, int m, int s) {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 8;
  t.tm_hour = h;
  t.tm_min = m;
  t.tm_sec = s;
  t.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&t));
}

TEST_F(HeaderTest, DateTitleTimePrinterScreenAndMarket) {
  ScreenHeader header(screen);
  header.Draw(HeaderVars("SZMK", "WINDOW_PRINTER"), At(19, 5, 7));
  const std::string title = "CCASS ZUR Talvero (Ver 7.00g+)";
  std::string row2 = "  08/12/2026";
  row2.resize((80 - title.size()) / 2 + 1, ' ');
  row2 += title;
  row2.resize(70, ' ');
  row2 += "19:05:07";
  EXPECT_EQ(GridRow(2), row2);
  EXPECT_EQ(GridRow(3).substr(0, 26), "  (Windows AR PL UMing)   ");
  EXPECT_EQ(GridRow(3).substr((80 - 18) / 2 + 1), "(2) START CHECKING");
  EXPECT_EQ(GridRow(4), "  SZMK Market");
  EXPECT_EQ(screen.picture().at(4 + term::kMenuBarRows, 2).attr.fg, term::Colour::kRed);
  EXPECT_TRUE(screen.picture().at(1 + term::kMenuBarRows, 40).attr.underline);
  header.Clear();
  EXPECT_EQ(GridRow(2), "");
}

TEST_F(HeaderTest, LinePrinterNameAndTheMainMenuLines) {
  ScreenHeader header(screen);
  VarStore vars = HeaderVars("HK  ", "EPSON");
  vars.Set("MSG", Value("** MAIN  MENU **"));
  vars.Set("PART_ID", Value("B01234"));
  vars.Set("SEND_BIC", Value("SAMPHKHH"));
  vars.Set("Stat_Msg", Value("Last Modified on 24 Feb 2025, and is able to match with CCASS/3."));
  header.DrawMenuHead(vars, At(9, 0, 0));
  EXPECT_EQ(GridRow(3).substr(0, 6), "  LPT2");
  EXPECT_EQ(GridRow(4), "  HK Market");
  EXPECT_EQ(GridRow(20).substr(5),
            "CCASS Participant ID: B01234" + std::string(9, ' ') + "Sender BIC: SAMPHKHH");
  EXPECT_EQ(GridRow(24).substr(9),
            "Last Modified on 24 Feb 2025, and is able to match with CCASS/3.");
}

TEST(HeaderPrinterText, TheSystemPrinterThePortAndTheNetworkMark) {
  const struct {
    const char* cur_ptr;
    const char* print_name;
    const char* server;
    const char* shown;
  } cases[] = {
      {"WINDOW_PRINTER", "", "N", "(Windows F1)"},
      {"WINDOW_PRINTER", "OUT.PRN", "N", "OUT.PRN"},
      {"EPSON", "", "N", "LPT1"},
      {"EPSON", "LPT2  ", "Y", "LPT2!"},
  };
  for (const auto& c : cases) {
    VarStore vars;
    vars.Set("CUR_PTR", Value(c.cur_ptr));
    vars.Set("PRINT_NAME", Value(c.print_name));
    vars.Set("PRT_SERVER", Value(c.server));
    vars.Set("WinPtFont", Value("F1"));
    EXPECT_EQ(HeaderPrinterText(vars), c.shown) << c.cur_ptr << " " << c.print_name;
  }
}

}  // namespace
}  // namespace zur::screens

#include "print/select/printer_choice.h"

#include <gtest/gtest.h>

#include "print/select/printer_fonts.h"

namespace zur::print {
namespace {

TEST(PrinterChoice, EachSiteOffersItsPrinters) {
  const struct {
    const char* site;
    const char* option2;
    const char* option3;  // "" for none
  } cases[] = {
      {"NITOKU", " 2. SEIKOSHA PRINTER (assume 20 cpi) ", ""},
      {"NEPAGU", " 2. LINE PRINTER (assume 20 cpi) ", " 3. HP LASERJET PRINTER "},
      {"TEDUKU", " 2. LINE PRINTER (assume 17 cpi) ", ""},
      {"RADARE", " 2. LINE PRINTER (assume 16 cpi) ", ""},
      {"LETURA", " 2. TOSHIBA PRINTER ", ""},
      {"FOZUKO         ", " 2. TOSHIBA PRINTER ", ""},
      {"NUMINU", " 2. C.ITOH LINE PRINTER ", ""},
      {"VEZOTE", " 2. HP LASERJET PRINTER (LPT2) ", " 3. HP LASERJET PRINTER (LPT3) "},
      {"DEMO", " 2. HP LASERJET PRINTER ", ""},
      {"", " 2. HP LASERJET PRINTER ", ""},
  };
  for (const auto& c : cases) {
    const SiteOptions options = SiteOptionsFor(c.site);
    EXPECT_EQ(options.option2, c.option2) << c.site;
    EXPECT_EQ(options.option3.value_or(""), c.option3) << c.site;
  }
}

TEST(PrinterChoice, TheAnswerLitFirst) {
  const struct {
    const char* site;
    const char* cur_ptr;
    char answer;
  } cases[] = {
      {"FOZUKO", "WINDOW_PRINTER", 'W'}, {"FOZUKO", "EPSON", '2'}, {"DEMO", "EPSON", '1'},
      {"VEZOTE", "HPLJ", '3'},           {"NEPAGU", "HP", '3'},    {"DEMO", "HP", '2'},
      {"DEMO", "LASERJET", '2'},         {"DEMO", "", '2'},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PreselectedAnswer(c.site, c.cur_ptr), c.answer) << c.site << " " << c.cur_ptr;
}

TEST(PrinterChoice, AnswersSetTheTypeThePortAndTheWidth) {
  const struct {
    const char* site;
    char answer;
    const char* name_before;
    const char* cur_ptr;
    const char* name;
    const char* server;
    int width;
  } cases[] = {
      {"VEZOTE", '3', "LPT1", "LASERJET", "LPT3", "Y", 160},
      {"VEZOTE", '2', "LPT1", "LASERJET", "LPT2", "Y", 160},
      {"VEZOTE", '1', "LPT3", "EPSON", "LPT1", "Y", 136},
      {"NUMOMO", '1', "LPT2", "EPSON", "LPT1", "Y", 136},
      {"NUMOMO", '1', "LPT1", "EPSON", "LPT1", "N", 136},
      {"NUMOMO", '2', "LPT1", "LASERJET", "LPT2", "Y", 136},
      {"RORODA", '2', "REPORT.PRN", "LASERJET", "REPORT.PRN", "N", 136},
      {"ROVERU", '1', "LPT3", "EPSON", "LPT1", "Y", 136},
      {"ROVERU", '1', "LPT2", "EPSON", "LPT2", "N", 136},
      {"ROVERU", '2', "LPT1", "LASERJET", "LPT3", "Y", 136},
      {"RADARE", '2', "LPT1", "LPRINTER", "LPT2", "Y", 136},
      {"RADARE", '1', "LPT2", "EPSON", "LPT1", "Y", 136},
      {"NITOKU", '2', "LPT1", "SEIKOSHA", "LPT1", "N", 136},
      {"LETURA", '2', "LPT1", "TOSHIBA", "LPT1", "N", 136},
      {"NUMINU", '2', "LPT1", "CITOH", "LPT1", "N", 136},
      {"DEMO", '3', "LPT1", "LASERJET", "LPT1", "N", 136},
      {"DEMO", 'W', "LPT1", "WINDOW_PRINTER", "LPT1", "N", 136},
  };
  for (const auto& c : cases) {
    PrinterSetting s{"EPSON", c.name_before, "N", 160};
    ASSERT_TRUE(ApplyPrinterAnswer(c.answer, c.site, s)) << c.site << " " << c.answer;
    EXPECT_EQ(s.cur_ptr, c.cur_ptr) << c.site << " " << c.answer;
    EXPECT_EQ(s.print_name, c.name) << c.site << " " << c.answer;
    EXPECT_EQ(s.prt_server, c.server) << c.site << " " << c.answer;
    EXPECT_EQ(s.width, c.width) << c.site << " " << c.answer;
  }
}

TEST(PrinterChoice, AnAnswerThatIsNoOptionChangesNothing) {
  for (char answer : {'X', ' ', '4', 'w'}) {
    PrinterSetting s{"EPSON", "LPT2", "N", 160};
    EXPECT_FALSE(ApplyPrinterAnswer(answer, "NUMOMO", s)) << answer;
    EXPECT_EQ(s.cur_ptr, "EPSON");
    EXPECT_EQ(s.print_name, "LPT2");
    EXPECT_EQ(s.width, 160);
  }
}

TEST(PrinterFonts, TheCurrentFontAndWhatAnAnswerSelects) {
  VarStore vars;
  vars.Set("ChiFont1", "M");
  vars.Set("ChiFont2", "K");
  vars.Set("ChiFont3", "S");
  vars.Set("ChiFont4", "T");
  vars.Set("WinPtFont", "K");
  EXPECT_EQ(CurrentFontAnswer(vars), "2 ");
  EXPECT_EQ(FontOfAnswer(vars, "4 "), "T");
  EXPECT_EQ(FontOfAnswer(vars, "12"), "M");  // no extra fonts here
  EXPECT_EQ(FontOfAnswer(vars, "  "), "M");

  // Extra fonts up to the first empty one: 11 and 12 are offered, 14 is not.
  vars.Set("ChiFont11", "E11");
  vars.Set("ChiFont12", "E12");
  vars.Set("ChiFont13", "");
  vars.Set("ChiFont14", "E14");
  vars.Set("WinPtFont", "E12");
  EXPECT_EQ(ExtraFonts(vars).size(), 2u);
  EXPECT_EQ(CurrentFontAnswer(vars), "12");
  EXPECT_EQ(FontOfAnswer(vars, "11"), "E11");
  EXPECT_EQ(FontOfAnswer(vars, "14"), "M");
  vars.Set("WinPtFont", "S");
  EXPECT_EQ(CurrentFontAnswer(vars), "3 ");
  vars.Set("WinPtFont", "unknown");
  EXPECT_EQ(CurrentFontAnswer(vars), "1 ");
}

}  // namespace
}  // namespace zur::print

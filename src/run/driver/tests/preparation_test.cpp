// The pieces of the run preparation: the back office's settings, the options and layout
// switches, directory names and the start screen's values.
#include <gtest/gtest.h>

#include "platform/dbf/tests/temp_dir.h"
#include "platform/vars/memory_file.h"
#include "run/driver/backoffice_settings.h"
#include "run/driver/run_files.h"
#include "run/driver/run_options.h"
#include "run/driver/start_screen.h"

namespace zur::driver {
namespace {

Date Ymd(int y, int m, int d) {
  return *Date::FromYmd(y, m, d);
}

TEST(BackOfficeSettings, ScrambledTextsTurnOverAndBack) {
  EXPECT_EQ(Encode("AB C  "), "\xc1\xc2 \xc3  ");
  EXPECT_EQ(Encode("\xc1\xa0z"), "A\xa0\xfa");  // code 160 stays
  EXPECT_EQ(Encode("   "), "   ");
  const std::string name = "SAMPLE SECURITIES (HK) LTD   ";
  EXPECT_EQ(Encode(Encode(name)), name);
}

TEST(BackOfficeSettings, LoadedOverTheRunsVariablesKeepingPrinterAndWidth) {
  dbf::testing::TempDir dir;
  VarStore office;
  office.Set("CO_NAME", Encode("SAMPLE SECURITIES"));
  office.Set("MGN_NAME", Encode("SAMPLE FINANCE"));
  office.Set("PSWD_1", Encode("SECRET"));
  office.Set("PRINT_NAME", "LPT9");
  office.Set("STKNO_LEN", 6);
  office.Set("SBF1_USER", true);
  ASSERT_TRUE(SaveMemoryFile((dir / "SB.XBS").string(), office).ok());

  VarStore vars;
  vars.Set("PRINT_NAME", "WINDOW_PRINTER");
  vars.Set("STKNO_LEN", 5);
  vars.Set("MSG_EXT", ".MEM");
  ASSERT_EQ(LoadBackOfficeSettings((dir / "SB.XBS").string(), vars), "");
  EXPECT_EQ(vars.Get("CO_NAME"), Value("SAMPLE SECURITIES"));
  EXPECT_EQ(vars.Get("MGN_NAME"), Value("SAMPLE FINANCE"));
  EXPECT_EQ(vars.Get("PSWD_1"), Value("SECRET"));
  EXPECT_EQ(vars.Get("PRINT_NAME"), Value("WINDOW_PRINTER"));
  EXPECT_EQ(vars.Get("STKNO_LEN"), Value(5));
  EXPECT_EQ(vars.Get("MSG_EXT"), Value(".XBS"));
  EXPECT_TRUE(vars.Get("SBF1_USER").IsTrue());

  // A company name held plain is left as it is; a damaged file is named.
  office.Set("CO_NAME", "PLAIN NAME");
  ASSERT_TRUE(SaveMemoryFile((dir / "SB.XBS").string(), office).ok());
  ASSERT_EQ(LoadBackOfficeSettings((dir / "SB.XBS").string(), vars), "");
  EXPECT_EQ(vars.Get("CO_NAME"), Value("PLAIN NAME"));
  EXPECT_NE(LoadBackOfficeSettings((dir / "MISSING.XBS").string(), vars).find("MISSING.XBS"),
            std::string::npos);
}

TEST(RunOptions, ConversionTypeBySite) {
  EXPECT_EQ(ConvTypeFor("DEDITI", true), "M");
  EXPECT_EQ(ConvTypeFor("DEDITI", false), "A");
  EXPECT_EQ(ConvTypeFor("LOVILA         ", false), "C");
  EXPECT_EQ(ConvTypeFor("NIVAZA", false), "P");
  EXPECT_EQ(ConvTypeFor("FIVEPUXX", false), "P");  // a longer site code begins with it
  EXPECT_EQ(ConvTypeFor("SAMPLE", false), "F");
  EXPECT_EQ(ConvTypeFor("", false), "F");
}

TEST(RunOptions, DefaultsAndSiteRules) {
  VarStore vars;
  vars.Set("USER_KEY", "ZEROFI");
  vars.Set("SNO_JUST", "L");
  vars.Set("EX_SLATI", "        ");
  SetRunOptions(vars);
  EXPECT_EQ(vars.Get("SNO_JUST"), Value("R"));
  EXPECT_FALSE(vars.Exists("CLEAR_LCN"));
  EXPECT_TRUE(vars.Get("CAS3_START").IsDate());
  EXPECT_TRUE(vars.Get("CAS3_START").date().IsBlank());
  EXPECT_EQ(vars.Get("SBF3_USER"), Value(false));
  EXPECT_EQ(vars.Get("CONV_TYPE"), Value("F"));
  EXPECT_EQ(vars.Get("LOCK_KEY"), Value("ZEROFI"));

  VarStore nivaza;
  nivaza.Set("USER_KEY", "NIVAZA         ");
  nivaza.Set("EX_SLATI", "03");
  nivaza.Set("CAS3_0705", Ymd(2015, 7, 6));
  SetRunOptions(nivaza);
  EXPECT_EQ(nivaza.Get("CLEAR_LCN"), Value("CCASS   "));
  EXPECT_EQ(nivaza.Get("CLEAR_LCN2"), Value("C-CASH  "));
  EXPECT_EQ(nivaza.Get("CAS3_0705"), Value(Ymd(2015, 7, 6)));
  EXPECT_EQ(nivaza.Get("SNO_JUST"), Value("L"));
  EXPECT_EQ(nivaza.Get("LOCK_KEY"), Value("NIVAZA  "));
}

TEST(RunOptions, LayoutSwitchesFromTheTradeAndGenerationDates) {
  auto length = [](Value start, Value sti_from, Date trade, Date gen) {
    VarStore vars;
    vars.Set("CAS3_START", start);
    vars.Set("CAS3_0705", sti_from);
    vars.Set("TRAN_DATE", trade);
    vars.Set("GEN_DATE", gen);
    SetLayoutSwitches(vars);
    EXPECT_EQ(vars.Get("IS_CCASS3").IsTrue(), vars.Get("ATI_LEN") != Value(74));
    return vars.Get("ATI_LEN").NumOr(-1);
  };
  const Date day = Ymd(2026, 12, 8);
  EXPECT_EQ(length(Value(Date()), Value(Ymd(2015, 7, 6)), day, day), 74);
  EXPECT_EQ(length(Value(day), Value(Ymd(2026, 12, 9)), day, day), 87);
  EXPECT_EQ(length(Value(day), Value(day), day, day), 99);
  EXPECT_EQ(length(Value(Ymd(2026, 12, 9)), Value(day), day, day), 74);
  EXPECT_EQ(length(Value(day), Value("20150706"), day, day), 87);  // not a date
}

TEST(RunFiles, DirectoriesWithOrWithoutSeparator) {
  EXPECT_EQ(DirectoryPrefix("OBX"), "OBX/");
  EXPECT_EQ(DirectoryPrefix("OBX\\"), "OBX/");
  EXPECT_EQ(DirectoryPrefix("  /data/obx/   "), "/data/obx/");
  EXPECT_EQ(DirectoryPrefix("C:\\OBX"), "C:/OBX/");
  EXPECT_EQ(DirectoryPrefix("   "), "");

  VarStore vars;
  vars.Set("SB_DIR", "OBX\\                          ");
  vars.Set("CL_DIR", std::string(30, ' '));
  vars.Set("SBF_DIR", "");
  vars.Set("STK_FILE", "CCASS.TXT  ");
  vars.Set("CCASS_DIR", "");
  vars.Set("EX_SLATI", "  ");
  const RunFiles f = NameRunFiles(vars);
  EXPECT_EQ(f.sys_fname, "OBX/SBSYSFL.DBF");
  EXPECT_EQ(f.msg_fname, "OBX/SB.XBS");
  EXPECT_EQ(f.cl_fname, "OBX/CLMAST.DBF");  // no client directory: the back office's
  EXPECT_EQ(f.stk_fname, "CCASS.TXT");
  EXPECT_EQ(f.sl_fname, "");
  EXPECT_EQ(f.pff_fname, "");
  EXPECT_EQ(f.muf_fname, "");
}

TEST(StartScreen, FieldsAsTheScreenLeavesThem) {
  VarStore vars;
  vars.Set("STK_FILE", std::string(60, ' '));
  vars.Set("OWN_REF", "OLD REF        ");
  vars.Set("GEN_DATE", Ymd(2026, 12, 8));
  vars.Set("CCASS_DIR", "C:\\CCASS");
  StartScreenInputs in;
  in.stk_file = "REPORT.TXT";
  in.sti_fileno = 4;
  ASSERT_EQ(ApplyStartScreen(in, vars), "");
  EXPECT_EQ(vars.Get("STK_FILE"), Value("REPORT.TXT" + std::string(50, ' ')));
  EXPECT_EQ(vars.Get("OWN_REF"), Value("OLD REF        "));
  EXPECT_EQ(vars.Get("CCASS_DIR"), Value(""));
  EXPECT_EQ(vars.Get("ATI_FILENO"), Value(1));
  EXPECT_EQ(vars.Get("STI_FILENO"), Value(4));
  EXPECT_EQ(vars.Get("PRINT_PDF"), Value(false));

  StartScreenInputs too_long;
  too_long.own_ref = std::string(16, 'R');
  EXPECT_NE(ApplyStartScreen(too_long, vars), "");
  EXPECT_EQ(vars.Get("OWN_REF"), Value("OLD REF        "));

  EXPECT_EQ(ParseDayMonthYear("08/12/2026"), Ymd(2026, 12, 8));
  EXPECT_FALSE(ParseDayMonthYear("31/02/2026"));
  EXPECT_FALSE(ParseDayMonthYear("8/12/2026"));
  EXPECT_FALSE(ParseDayMonthYear("08-12-2026"));
  EXPECT_FALSE(ParseDayMonthYear("-1/12/2026"));
}

}  // namespace
}  // namespace zur::driver

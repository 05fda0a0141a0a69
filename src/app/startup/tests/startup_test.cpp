#include "app/startup/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/startup/directory_check.h"
#include "app/startup/layout_date.h"
#include "app/startup/saved_defaults.h"
#include "app/startup/tests/startup_fixture.h"
#include "app/upgrade/table_files.h"
#include "lib/text/trim_pad.h"

namespace zur::startup::testing {
namespace {

using ::testing::HasSubstr;

TEST_F(StartupTest, LoadsTheRecordWithItsDefaultsAndLeavesSysOpen) {
  MakeSettings({{"PARTID", "B01234"},
                {"USERKEY", "DIRAPE"},
                {"COLORSET", "W/B"},
                {"ATI01OUT", "Y"},
                {"SYSTEMKEY", "HK"},
                {"STITEXT", "MYSTI.TXT"}});
  const StartupResult r = Start();
  ASSERT_TRUE(r.ok()) << r.message;

  EXPECT_EQ(Text("PART_ID"), "B01234");
  EXPECT_EQ(Text("ATI_F"), "03      ");
  EXPECT_EQ(Text("ATI_TEXT"), std::string("ATIFILE.TXT") + std::string(19, ' '));
  EXPECT_EQ(Text("STI_TEXT"), "MYSTI.TXT" + std::string(21, ' '));
  EXPECT_EQ(Text("ATI_01OUT"), "Y");
  EXPECT_EQ(Text("VIDEO_SET"), "W/B" + std::string(17, ' '));
  EXPECT_EQ(Text("FRAME"), "+-+|+-+|");
  EXPECT_FALSE(vars.Get("CHECK_CLS").IsTrue());
  EXPECT_FALSE(vars.Exists("ATI_S"));
  EXPECT_EQ(Text("PRINT_NAME"), "LPT2");  // the site prints on the second port
  EXPECT_EQ(Text("gcDefaultPrintName"), "LPT2");
  EXPECT_EQ(vars.Get("nXPSCRDEN").NumOr(-1), 100);
  EXPECT_EQ(Text("nXpFontSize"), "14");
  EXPECT_EQ(vars.Get("nXpCol").NumOr(), 10);
  EXPECT_EQ(vars.Get("nXpHeight").NumOr(), 20);
  EXPECT_EQ(vars.Get("TRAN_DATE"), Value(*Date::FromYmd(2026, 12, 8)));
  EXPECT_TRUE(vars.Get("ENHANCED").IsTrue());
  EXPECT_EQ(Text("cXpFgClr2"), "GRA_CLR_BLUE");

  dbf::Table* sys = areas.Current();
  ASSERT_NE(sys, nullptr);
  EXPECT_EQ(sys->alias(), "SYS");
  EXPECT_EQ(sys->share(), dbf::Share::kExclusive);
  EXPECT_TRUE(dbf::Table::InUse(dir.path() / "ATISYSFL.DBF"));

  // The work tables exist in their current structure and ZUR.XBS holds the settings.
  auto work = dbf::Table::Open(dir.path() / "ATIMAST.DBF", dbf::Share::kShared);
  EXPECT_EQ(work->RecCount(), 0u);
  EXPECT_GE(work->FieldIndex("AATIQTY1"), 0);
  EXPECT_TRUE(upgrade::FileExists(dir.path() / "RPINFO.DBF"));
  const VarStore saved = Saved();
  EXPECT_EQ(saved.Get("ATI_F"), Value("03      "));
  EXPECT_EQ(saved.Get("ChiFont1"), Value(kChiFont1));
  EXPECT_FALSE(saved.Exists("SAVE_MSG"));
}

TEST_F(StartupTest, OptionalAccountsAndSiteGroups) {
  auto fields = SettingsFields();
  fields.push_back({"CLS_ATI", 'C', 8, 0});
  fields.push_back({"CLT_ATI", 'C', 8, 0});
  MakeSettings({{"CLT_ATI", "12"}, {"USERKEY", "MENEMI"}, {"CLBP_ATI", "77"}}, fields);
  ASSERT_TRUE(Start().ok());
  EXPECT_TRUE(vars.Get("CHECK_CLS").IsTrue());
  EXPECT_TRUE(vars.Get("CHECK_CLT").IsTrue());
  EXPECT_FALSE(vars.Get("CHECK_CLB").IsTrue());
  EXPECT_EQ(Text("ATI_S"), "03      ");
  EXPECT_EQ(Text("ATI_T"), "12      ");
  EXPECT_EQ(Text("ATI_BM"), "08      ");
  EXPECT_EQ(Text("ATI_BP"), "77      ");
  EXPECT_EQ(Text("PRINT_NAME"), "LPT3");
}

TEST_F(StartupTest, DensityGivesTheFontSize) {
  for (const auto& [density, size] : std::vector<std::pair<int, std::string>>{
           {0, "14"}, {175, "14"}, {125, "11"}, {150, "9"}, {200, "7"}}) {
    SCOPED_TRACE(density);
    MakeSettings({{"XPSCRDEN", density}});
    const StartupResult r = Start();
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(vars.Get("nXPSCRDEN").NumOr(), density == 0 ? 100 : density);
    EXPECT_EQ(Text("nXpFontSize"), size);
    areas.CloseAll();
  }
}

TEST_F(StartupTest, MarketVariantNeverTransfersAccount01) {
  MakeSettings({{"SYSTEMKEY", "SAS"}, {"ATI01OUT", "Y"}});
  ASSERT_TRUE(Start().ok());
  EXPECT_EQ(Text("ATI_01OUT"), "N");
  EXPECT_EQ(areas.Find("SYS")->Get("ATI01OUT"), Value("Y"));  // the record keeps its value
}

TEST_F(StartupTest, ColourFileLinesAreTrimmedFirst) {
  MakeSettings({});
  WriteBytes(dir.path() / "ati.conf", "BGCOLOR1=GRA_CLR_WHITE\r\n  FGCOLOR2=GRA_CLR_RED  \r\n");
  ASSERT_TRUE(Start().ok());
  EXPECT_EQ(Text("cXpBgClr1"), "GRA_CLR_WHITE");
  EXPECT_EQ(Text("cXpFgClr1"), "GRA_CLR_DEFAULT");
  EXPECT_EQ(Text("cXpFgClr2"), "GRA_CLR_RED");
}

TEST_F(StartupTest, EveryStartEmptiesTheWorkTableAndRewritesTheSavedVariables) {
  MakeSettings({});
  ASSERT_TRUE(Start().ok());
  areas.CloseAll();
  {
    auto work = dbf::Table::Open(dir.path() / "ATIMAST.DBF", dbf::Share::kExclusive);
    work->Append();
    work->Replace("ASTKNO", "00005");
    work->Flush();
  }
  WriteBytes(dir.path() / "ATIMAST.NSX", "stale");
  WriteBytes(dir.path() / "pfmast.nsx", "stale");
  VarStore old;
  old.Set("ChiFont4", "other");
  ASSERT_TRUE(SaveMemoryFile((dir.path() / "ZUR.XBS").string(), old).ok());

  vars.ReleaseAll();
  ASSERT_TRUE(Start().ok());
  auto work = dbf::Table::Open(dir.path() / "ATIMAST.DBF", dbf::Share::kShared);
  EXPECT_EQ(work->RecCount(), 0u);
  EXPECT_FALSE(upgrade::FileExists(dir.path() / "ATIMAST.NSX"));
  EXPECT_FALSE(upgrade::FileExists(dir.path() / "pfmast.nsx"));
  const VarStore saved = Saved();
  EXPECT_EQ(saved.Get("ChiFont4"), Value(kChiFont4));
  EXPECT_TRUE(saved.Exists("ATI_F"));
}

TEST_F(StartupTest, RestoredPreferencesSurviveTheDefaults) {
  MakeSettings({});
  VarStore old;
  old.Set("ChiFont1", "F1");
  old.Set("ChiFont2", "F2");
  old.Set("ChiFont3", kFormerChiFont3);
  old.Set("WinPtOfset", 3);
  old.Set("DEF_CUR_PTR", "PDF_PRINTER");
  old.Set("CStarSW", "Y");
  ASSERT_TRUE(SaveMemoryFile((dir.path() / "ZUR.XBS").string(), old).ok());
  ASSERT_TRUE(Start().ok());
  EXPECT_EQ(Text("ChiFont1"), "F1");
  EXPECT_EQ(Text("ChiFont2"), "F2");
  EXPECT_EQ(Text("ChiFont3"), kChiFont3);
  EXPECT_EQ(Text("ChiFont4"), kChiFont4);
  EXPECT_EQ(Text("WinPtFont"), "F1");
  EXPECT_EQ(vars.Get("WinPtOfset").NumOr(), 3);
  EXPECT_EQ(vars.Get("WinPrtOfst"), Value(0));
  EXPECT_EQ(Text("CUR_PTR"), "PDF_PRINTER");
  EXPECT_EQ(Text("ChiFont22"), "\xa4\xe5\xb9\xa9\xb2\xd3\xa6\xe6\xb7\xa2\xc5\xe9\xc1\x63");
  EXPECT_EQ(Text("DEF_PDF_PTR"), "");
}

TEST_F(StartupTest, ExtraFontsOnlyWhenSwitchedOnAndNotYetSaved) {
  VarStore v;
  v.Set("CStarSW", "Y");
  v.Set("ChiFont11", "MINE");
  CompleteSavedPreferences(v);
  EXPECT_EQ(v.Get("ChiFont11"), Value("MINE"));
  EXPECT_FALSE(v.Exists("ChiFont12"));
  VarStore off;
  off.Set("CStarSW", "N");
  CompleteSavedPreferences(off);
  EXPECT_FALSE(off.Exists("ChiFont11"));
  // A second completion finds nothing to do.
  EXPECT_FALSE(CompleteSavedPreferences(off));
}

TEST_F(StartupTest, SettingsTableInUseEndsTheProgram) {
  MakeSettings({});
  auto other = dbf::Table::Open(dir.path() / "ATISYSFL.DBF", dbf::Share::kShared);
  const StartupResult r = Start();
  EXPECT_EQ(r.message, kInUseMessage);
  ASSERT_FALSE(console.lines.empty());
  EXPECT_EQ(console.lines.back(), kInUseMessage);
  EXPECT_EQ(console.prompts, std::vector<std::string>{"Press any key to continue..."});
  EXPECT_EQ(areas.Current(), nullptr);
  EXPECT_FALSE(upgrade::FileExists(dir.path() / "ATIMAST.DBF"));
}

TEST_F(StartupTest, SettingsTableWithoutRecordEndsTheProgram) {
  MakeSettings({}, SettingsFields(), false);
  const StartupResult r = Start();
  EXPECT_EQ(r.message, kNoRecordMessage);
  EXPECT_EQ(console.prompts.size(), 1u);
  EXPECT_FALSE(dbf::Table::InUse(dir.path() / "ATISYSFL.DBF"));
}

TEST_F(StartupTest, MissingOrDamagedSettingsTableEndsTheProgramNamingIt) {
  EXPECT_THAT(Start().message, HasSubstr("ATISYSFL"));
  WriteBytes(dir.path() / "ATISYSFL.DBF", "\x03garbage");
  const StartupResult r = Start();
  EXPECT_THAT(r.message, HasSubstr("ATISYSFL"));
  EXPECT_EQ(ReadBytes(dir.path() / "ATISYSFL.DBF"), "\x03garbage");
  EXPECT_FALSE(upgrade::FileExists(dir.path() / "ATIMAST.DBF"));
}

TEST_F(StartupTest, OldSettingsTableIsUpgradedKeepingItsValues) {
  std::vector<dbf::FieldSpec> old;
  for (const auto& f : SettingsFields()) {
    if (f.name == "SYSTEMKEY" || f.name == "NETSOLDDAY" || f.name == "XPSCRDEN") continue;
    old.push_back(f.name == "USERKEY" ? dbf::FieldSpec{"USERKEY", 'C', 10, 0} : f);
  }
  MakeSettings({{"PARTID", "B09999"}, {"USERKEY", "ROVERU"}, {"EXCLA29", "Y"}}, old);
  const StartupResult r = Start();
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(Text("PART_ID"), "B09999");
  EXPECT_EQ(Text("USER_KEY"), "ROVERU" + std::string(9, ' '));
  EXPECT_EQ(Text("EX_CLA29"), "Y       ");
  EXPECT_EQ(vars.Get("nXPSCRDEN").NumOr(), 100);
  EXPECT_GE(areas.Find("SYS")->FieldIndex("NETSOLDDAY"), 0);
  ASSERT_FALSE(console.lines.empty());
  EXPECT_THAT(console.lines.front(), HasSubstr("ATISYSFL"));
}

TEST_F(StartupTest, DamagedSavedVariablesStopWithoutTouchingTheFile) {
  MakeSettings({});
  WriteBytes(dir.path() / "ZUR.XBS", "not a memory file\n");
  const StartupResult r = Start();
  EXPECT_THAT(r.message, HasSubstr("ZUR.XBS"));
  EXPECT_EQ(ReadBytes(dir.path() / "ZUR.XBS"), "not a memory file\n");
  EXPECT_EQ(areas.Current(), nullptr);
}

TEST_F(StartupTest, LayoutDateFile) {
  MakeSettings({});
  WriteBytes(dir.path() / "enhance.txt", "20300101\r\n");
  ASSERT_TRUE(Start().ok());
  EXPECT_FALSE(vars.Get("ENHANCED").IsTrue());
  areas.CloseAll();

  WriteBytes(dir.path() / "enhance.txt", "2030");
  const StartupResult r = Start();
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(vars.Get("ENHANCED").IsTrue());
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_THAT(r.warnings[0], HasSubstr("enhance.txt"));
  // The console line says WARNING once.
  const auto line =
      std::find_if(console.lines.begin(), console.lines.end(),
                   [](const std::string& l) { return l.find("enhance.txt") != std::string::npos; });
  ASSERT_NE(line, console.lines.end());
  EXPECT_TRUE(line->starts_with("WARNING: ")) << *line;
  EXPECT_EQ(line->find("WARNING: WARNING"), std::string::npos) << *line;
}

TEST(LayoutDate, DamagedFilesFallBackToTheDefaultDateAndAreNamed) {
  TempDir dir;
  const Date default_date = *Date::FromYmd(2008, 1, 1);
  EXPECT_EQ(ReadLayoutDate(dir.path()).date, default_date);
  WriteBytes(dir.path() / "enhance.txt", "20090315 layout from March\r\n");
  EXPECT_EQ(ReadLayoutDate(dir.path()).date, *Date::FromYmd(2009, 3, 15));
  for (const std::string& bad : {std::string("2009"), std::string("20091332"),
                                 std::string("        "), std::string("\xff\xfe\x00\x01zzzz", 8)}) {
    WriteBytes(dir.path() / "enhance.txt", bad);
    const LayoutDate r = ReadLayoutDate(dir.path());
    EXPECT_EQ(r.date, default_date) << bad;
    EXPECT_THAT(r.warning, HasSubstr((dir.path() / "enhance.txt").string()));
  }
  std::filesystem::remove(dir.path() / "enhance.txt");
  std::filesystem::create_directory(dir.path() / "enhance.txt");
  EXPECT_EQ(ReadLayoutDate(dir.path()).date, default_date);
  EXPECT_FALSE(ReadLayoutDate(dir.path()).warning.empty());
}

// Printed output goes to a new empty file of the audit folder from the start; a folder that
// cannot be made ends the start-up with the message box.
TEST_F(StartupTest, AuditTrailStartsInANewFileOfTheAuditFolder) {
  MakeSettings({{"PRINTNAME", "LPT1"}});
  ASSERT_TRUE(Start().ok());
  const std::filesystem::path port = Text("WinPtPort");
  EXPECT_EQ(port.parent_path(), dir.path() / "SBAUDIT");
  EXPECT_EQ(port.extension(), ".RPT");
  EXPECT_TRUE(std::filesystem::is_regular_file(port));
  EXPECT_EQ(std::filesystem::file_size(port), 0u);
  areas.CloseAll();

  // A second start gets a file of its own.
  ASSERT_TRUE(Start().ok());
  EXPECT_NE(Text("WinPtPort"), port.string());
  areas.CloseAll();

  WriteBytes(dir.path() / "blocked", "a file where the audit folder should be");
  vars.Set("AUDIT_DIR", Value((dir.path() / "blocked" / "SBAUDIT").string()));
  std::vector<std::string> boxes;
  StartupOptions opts = Options();
  opts.message_box = [&](std::string_view text) { boxes.emplace_back(text); };
  EXPECT_FALSE(Startup(opts, vars, areas).ok());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_THAT(boxes[0], HasSubstr("Error: OBX have not permit to write a file to AUDIT Directory"));
}

TEST_F(StartupTest, TheConfigurationFileNamesThePrinter) {
  struct Case {
    const char* what;
    const char* file_name;  // nullptr: no file
    std::string text;
    std::string printer;
    bool warned;
  };
  const std::string setting = "<ATIConfig><Settings><Setting><Name>PRINT_NAME</Name><Value>";
  const Case cases[] = {
      {"no file: the settings record's", nullptr, "", "LPT3", false},
      {"the setting", "ATIConfig.dat", setting + "LPT2</Value></Setting></Settings></ATIConfig>",
       "LPT2", false},
      {"found in any letter case", "aticonfig.DAT",
       setting + "\\srv\\p</Value></Setting></Settings></ATIConfig>", "\\srv\\p", false},
      {"without the setting: LPT1", "ATIConfig.dat", "<ATIConfig><UserKey>X</UserKey></ATIConfig>",
       "LPT1", false},
      {"line breaks around the name do not count", "ATIConfig.dat",
       setting + "\r\n\t\tCOM2\r\n\t</Value></Setting></Settings></ATIConfig>", "COM2", false},
      {"cut inside the setting: LPT1 and a warning", "ATIConfig.dat", setting + "LPT2</Value>",
       "LPT1", true},
      {"damaged before the setting", "ATIConfig.dat",
       "<ATIConfig></a></b>" + setting + "LPT2</Value></Setting></Settings></ATIConfig>", "LPT1",
       true},
  };
  MakeSettings({{"PRINTNAME", "LPT3"}});
  for (const Case& c : cases) {
    for (const char* name : {"ATIConfig.dat", "aticonfig.DAT"})
      std::filesystem::remove(dir.path() / name);
    if (c.file_name != nullptr) WriteBytes(dir.path() / c.file_name, c.text);
    areas.CloseAll();
    vars = VarStore();
    const StartupResult r = Start();
    ASSERT_TRUE(r.ok()) << c.what << ": " << r.message;
    const std::string printer = c.file_name != nullptr ? c.printer : text::PadR(c.printer, 20);
    EXPECT_EQ(Text("PRINT_NAME"), printer) << c.what;
    EXPECT_EQ(Text("gcDefaultPrintName"), printer) << c.what;
    EXPECT_EQ(vars.Get("oConfig").IsObject(), c.file_name != nullptr) << c.what;
    EXPECT_EQ(Saved().Find("oConfig"), nullptr) << c.what;
    ASSERT_EQ(r.warnings.size(), c.warned ? 1u : 0u) << c.what;
    if (c.warned) {
      EXPECT_THAT(r.warnings[0], HasSubstr("ATIConfig.dat")) << c.what;
    }
  }
}

TEST_F(StartupTest, SeparateInstallationWorksInTheDatabaseDirectory) {
  const auto data = dir.path() / "DATA";
  const auto lib = dir.path() / "LIB";
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(lib);
  WriteBytes(lib / std::string(kLibraryMarker), "");
  WriteBytes(data / "ZUR.XBS", "");
  dbf::Table::Create(data / "ATIMAST.DBF", {{"ASTKNO", 'C', 5, 0}});
  {
    dbf::Table::Create(data / "ATISYSFL.DBF", SettingsFields());
    auto t = dbf::Table::Open(data / "ATISYSFL.DBF", dbf::Share::kExclusive);
    t->Append();
  }
  WriteBytes(dir.path() / "ZUR.INI", "DBF=DATA\r\nLIB=" + lib.string() + "\r\n");
  StartupOptions opts = Options();
  opts.exe_path = (lib / "zur").string();
  const StartupResult r = Startup(opts, vars, areas);
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_EQ(r.data_dir, data);
  EXPECT_EQ(Text("CUR_PATH"), data.string());
  EXPECT_EQ(ReadBytes(dir.path() / "ZUR.XBS"), "");  // the working directory's is untouched
  EXPECT_NE(ReadBytes(data / "ZUR.XBS"), "");
  EXPECT_GE(dbf::Table::Open(data / "ATIMAST.DBF", dbf::Share::kShared)->FieldIndex("AATI"), 0);
}

}  // namespace
}  // namespace zur::startup::testing

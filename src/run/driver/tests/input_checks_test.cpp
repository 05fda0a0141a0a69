// The input checks before anything is written, and runs that stop after the preparation:
// each leaves no upload file under its name.
#include <filesystem>

#include "run/driver/tests/e2e_fixture.h"

namespace zur::driver::testing {
namespace {

namespace fs = std::filesystem;

class InputChecksTest : public EndToEndTest {
 protected:
  // Every input file in use: a stock location account and a finance directory.
  void SetUp() override {
    EndToEndTest::SetUp();
    SetSetting("EXSLATI", Value("03"));
    SetSetting("SBFPATH", Value(kFinanceDir));
    spec.with_locations = true;
    spec.with_finance = true;
    spec.stocks = {Stock("11", "HANG SENG BANK", "HK0011000095")};
    spec.clients = {Client("C001")};
    spec.portfolio = {Position("C001", "11", 3000)};
    spec.report = BalanceReportTwoDigit({{"0011", {{"01", "10,000"}, {"02", "5,000"}}}});
    screen.own_ref = "CHANGED";
  }

  // No upload file, not even a temporary one, is left in the database directory.
  void ExpectNoUploadFiles() {
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == kReportFile || !name.ends_with(".TXT")) << name;
      EXPECT_EQ(name.find("ZURFILE"), std::string::npos) << name;
      EXPECT_EQ(name.find("STIFILE"), std::string::npos) << name;
    }
  }
};

TEST_F(InputChecksTest, EachMissingFileInOrderWithItsMessageAndNothingWritten) {
  struct Case {
    const char* file;
    std::string message;
  };
  const std::string retry = " !  PLEASE RE-TRY !";
  const std::vector<Case> cases = {
      {"CCASS.TXT", "ERROR: STOCK REPORT FILE NOT FOUND !  PLEASE RE-TRY !"},
      {"OBX/SBSYSFL.DBF", "ERROR: STOCK BROKER SYSTEM FILE NOT FOUND IN OBX/" + retry},
      {"OBX/SB.XBS", "ERROR: MESSAGE FILE NOT FOUND IN OBX/" + retry},
      {"OBX/PFMAST.DBF", "ERROR: PORTFOLIO MASTER NOT FOUND IN OBX/" + retry},
      {"OBX/SMMAST.DBF", "ERROR: STOCK MASTER NOT FOUND IN OBX/" + retry},
      {"OBX/MGNUNSTL.DBF", "ERROR: PORTFOLIO UNSETTLED FILE NOT FOUND IN OBX/" + retry},
      {"OBX/CLMAST.DBF", "ERROR: CLIENT MASTER NOT FOUND IN OBX/" + retry},
      {"OBX/SLMAST.DBF",
       "ERROR: STOCK LOCATION MASTER NOT FOUND IN SB DATA DIRECTORY !  PLEASE CHECK !"},
      {"OBXFIN/PFMAST.DBF",
       "ERROR: PORTFOLIO MASTER NOT FOUND IN FINANCE SB DATA DIRECTORY !  PLEASE RE-TRY !"},
      {"OBXFIN/MGNUNSTL.DBF",
       "ERROR: PORTFOLIO UNSETTLED FILE NOT FOUND IN FINANCE SB DATA DIRECTORY !  PLEASE "
       "RE-TRY !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    op.events.clear();
    Write();
    fs::remove(dir.path() / c.file);
    EXPECT_EQ(Check(), 1);
    EXPECT_TRUE(Saw("box ZUR: " + c.message)) << Events();
    EXPECT_EQ(Setting("OWNREF"), "TEST REF");
    ExpectNoUploadFiles();
  }
  // With two files missing the earlier check speaks.
  op.events.clear();
  Write();
  fs::remove(dir.path() / "OBX/SMMAST.DBF");
  fs::remove(dir.path() / "OBX/PFMAST.DBF");
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(Saw("box ZUR: ERROR: PORTFOLIO MASTER NOT FOUND IN OBX/" + retry));
}

TEST_F(InputChecksTest, DirectoriesAsTypedAndFileNamesInAnyLetterCase) {
  // The client master in its own directory, named in the message.
  Write();
  fs::create_directory(dir.path() / "CLIENTS");
  screen.cl_dir = "CLIENTS";
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(Saw("box ZUR: ERROR: CLIENT MASTER NOT FOUND IN CLIENTS/ !  PLEASE RE-TRY !"));
  fs::rename(dir.path() / "OBX/CLMAST.DBF", dir.path() / "CLIENTS/CLMAST.DBF");
  EXPECT_EQ(Check(), 0) << Events();

  // A back-office directory with a trailing backslash, and its files in lower case.
  for (const char* name :
       {"SBSYSFL.DBF", "PFMAST.DBF", "SMMAST.DBF", "MGNUNSTL.DBF", "SLMAST.DBF", "SB.XBS"}) {
    std::string lower = name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    fs::rename(dir.path() / "OBX" / name, dir.path() / "OBX" / lower);
  }
  screen.sb_dir = "OBX\\";
  op.events.clear();
  EXPECT_EQ(Check(), 0) << Events();
  EXPECT_EQ(Lines("ZURFILE.TXT").size(), 3u);
  EXPECT_EQ(Setting("SBPATH"), "OBX\\");
}

TEST_F(InputChecksTest, RunStoppedAfterThePreparationLeavesNoUploadFile) {
  // No stock balance report: the settings were written back, no upload file is there.
  spec.report = SettlementReport({{"0011", "", "100"}});
  EXPECT_EQ(WriteAndCheck(), 1);
  EXPECT_TRUE(Saw("box ZUR: ERROR: CANNOT FIND \"DAILY STOCK BALANCE REPORT\" !")) << Events();
  EXPECT_EQ(Setting("OWNREF"), "CHANGED");
  ExpectNoUploadFiles();
}

TEST_F(InputChecksTest, DamagedInputFilesAreNamed) {
  struct Case {
    const char* file;
    std::string bytes;
    std::string named;
  };
  const std::vector<Case> cases = {
      {"OBX/SBSYSFL.DBF", "\x03garbage", "SBSYSFL"},
      {"OBX/SB.XBS", "not a memory file\r\n", "SB.XBS"},
      {"OBX/SMMAST.DBF", std::string(40, '\x03'), "SMMAST"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    op.events.clear();
    Write();
    {
      std::ofstream out(dir.path() / c.file, std::ios::binary | std::ios::trunc);
      out << c.bytes;
    }
    EXPECT_EQ(Check(), 1);
    bool named = false;
    for (const std::string& e : op.events) named = named || e.find(c.named) != std::string::npos;
    EXPECT_TRUE(named) << Events();
    ExpectNoUploadFiles();
  }
  // A directory where the report file should be cannot be opened as one.
  op.events.clear();
  Write();
  fs::remove(dir.path() / kReportFile);
  fs::create_directory(dir.path() / kReportFile);
  EXPECT_EQ(Check(), 1);
  EXPECT_FALSE(Exists("ZURFILE.TXT"));
}

TEST_F(InputChecksTest, SettingsThatCannotGiveSoundFilesAreRefusedBeforeAnyFile) {
  // 8-digit accounts without the CCASS/3 layout would be cut to 2 characters in layout C.
  spec.saved_vars.emplace_back("CAS3_0705", Value(*Date::FromYmd(2015, 7, 6)));
  EXPECT_EQ(WriteAndCheck(), 1);
  bool refused = false;
  for (const std::string& e : op.events)
    refused = refused || e.starts_with("box ZUR: ERROR: CAS3_0705");
  EXPECT_TRUE(refused) << Events();
  ExpectNoUploadFiles();

  // A screen value longer than its field is refused before the settings are touched.
  op.events.clear();
  spec.saved_vars.pop_back();
  Write();
  screen.ati_text = std::string(31, 'Z');
  EXPECT_EQ(Check(), 1);
  EXPECT_EQ(Setting("OWNREF"), "TEST REF");
  ExpectNoUploadFiles();
}

TEST_F(InputChecksTest, UploadFileThatCannotBeCreatedStopsTheRun) {
  Write();
  screen.ati_text = "NO-SUCH-DIR/ZURFILE.TXT";
  EXPECT_EQ(Check(), 1);
  EXPECT_EQ(
      op.Matching("line22: ERROR: cannot generate ZUR BATCH INPUT text file ! Please check and "
                  "re-try")
          .size(),
      1u)
      << Events();
  EXPECT_FALSE(Exists("NO-SUCH-DIR"));
  ExpectNoUploadFiles();
}

}  // namespace
}  // namespace zur::driver::testing

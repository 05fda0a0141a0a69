// Mainland stock codes mapped into CCASS numbers before the run, and the built program run on
// the committed sample broker.
#include <cstdlib>
#include <filesystem>

#include "run/driver/tests/e2e_fixture.h"

namespace zur::driver::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MappingTest : public EndToEndTest {
 protected:
  // A Hong Kong broker that also trades the Shanghai connect: 6-character stock codes.
  void SetUp() override {
    EndToEndTest::SetUp();
    UseCcass3(true);
    spec.saved_vars.emplace_back("SAS_MKT", Value(true));
    spec.stkno_width = 6;
    Row moutai = Stock("600519", "KWEICHOW MOUTAI", "CNE0000018R8");
    moutai[3].second = Value("SAS ");
    spec.stocks = {Stock("5", "HSBC HOLDINGS", "GB0005405286"), moutai};
    spec.clients = {Client("C001")};
    spec.portfolio = {Position("C001", "600519", 1000), Position("C001", "5", 300)};
    spec.mapping_lines = {"0ASSTKMAP HEADER", "1600519905191", "1600519900011"};
    spec.report = BalanceReportEightDigit(
        {{"90519", {{"00000001", "5,000"}}}, {"00005", {{"00000002", "300"}}}});
  }

  std::vector<std::string> Codes(const std::string& table, const std::string& field) const {
    auto t =
        dbf::Table::Open(dir.path() / "OBX" / table, dbf::Share::kShared, dbf::Access::kReadOnly);
    std::vector<std::string> out;
    for (t->GoTop(); !t->Eof(); t->Skip()) out.emplace_back(text::RTrim(t->Get(field).str()));
    return out;
  }
};

TEST_F(MappingTest, MainlandCodesBecomeCcassNumbersInTheBackOfficeTables) {
  ASSERT_EQ(WriteAndCheck(), 0) << Events();
  // The first row of a code counts; a Hong Kong number is left alone.
  EXPECT_THAT(Codes("SMMAST.DBF", "MSTKNO"), ElementsAre("5", "90519"));
  EXPECT_THAT(Codes("PFMAST.DBF", "FSTKNO"), ElementsAre("90519", "5"));
  EXPECT_THAT(Lines("ZURFILE.TXT"),
              ElementsAre(ZurHeaderAB(1, "TEST REF", "20261208", 99),
                          ZurLineAB(90519, "CNE0000018R8", "00000001", "00000002", 1000),
                          ZurTrailer(1, 90519, 1000, 91519, 99)));
  ExpectSameOutputs("e2e_mapping");
}

TEST_F(MappingTest, UnmappedCodeOfTheOwnMarketAlertsAndChinaConnectNeedsTheFile) {
  spec.saved_vars.emplace_back("SYSTEM_KEY", Value("SAS "));
  SetSetting("SYSTEMKEY", Value("SAS "));
  spec.mapping_lines = {"0ASSTKMAP HEADER", "1600000900001"};
  op.answers = {false};
  Write();
  Check();
  const auto asked = op.Matching("ask ZUR: ERROR: 600519 not found on stock code mapping file");
  EXPECT_EQ(asked.size(), 1u) << Events();
  EXPECT_THAT(Codes("SMMAST.DBF", "MSTKNO"), ElementsAre("5", "600519"));

  // Without the mapping file a China connect installation cannot run.
  op.events.clear();
  Write();
  fs::remove(dir.path() / "OBX/ASSTKMAP");
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(
      Saw("box ZUR: ERROR: Stock code mapping file ASSTKMAP (OBX) not found \r\nPlease "
          "download the recently one in ECP !"))
      << Events();
  EXPECT_FALSE(Exists("ZURFILE.TXT"));
}

// The program itself on a scratch copy of examples/broker.
TEST(CheckBinary, SampleBrokerRunsAndPublishesBothFiles) {
  dbf::testing::TempDir dir;
  fs::copy(fs::path(ZUR_SOURCE_DIR) / "examples" / "broker", dir.path(),
           fs::copy_options::recursive);
  const std::string command = "cd '" + dir.path().string() + "' && '" + ZUR_BINARY +
                              "' check --gen-date 08/12/2026 --pdf >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::ifstream out(dir / "out.txt");
  std::stringstream text;
  text << out.rdbuf();
  EXPECT_EQ(text.str(),
            "CCASS ZUR Upload File ZURFILE.TXT is generated !\n"
            "CCASS STI Upload File STIFILE.TXT is generated !\n");
  EXPECT_EQ(fs::file_size(dir / "ZURFILE.TXT"), 7u * 101);
  EXPECT_EQ(fs::file_size(dir / "STIFILE.TXT"), 5u * 122);

  // A bad option value: status non-zero, the message on stderr, nothing written.
  const std::string bad = "cd '" + dir.path().string() + "' && rm ZURFILE.TXT && '" + ZUR_BINARY +
                          "' check --gen-date 31/02/2026 2>err.txt";
  const int refused = std::system(bad.c_str());
  EXPECT_EQ(WEXITSTATUS(refused), 2);
  std::ifstream err(dir / "err.txt");
  std::stringstream message;
  message << err.rdbuf();
  EXPECT_THAT(message.str(), HasSubstr("31/02/2026"));
  EXPECT_FALSE(fs::exists(dir / "ZURFILE.TXT"));
  // Every wrong call is status 2, whatever the command line parser found.
  for (const char* wrong : {"check --zur-file-no 12", "check --no-such-option", "dbf"}) {
    const std::string call =
        "cd '" + dir.path().string() + "' && '" + ZUR_BINARY + "' " + wrong + " 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(call.c_str())), 2) << wrong;
  }
  EXPECT_FALSE(fs::exists(dir / "ZURFILE.TXT"));
}

}  // namespace
}  // namespace zur::driver::testing

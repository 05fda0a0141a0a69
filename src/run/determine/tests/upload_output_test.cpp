// What the determination leaves in the upload files, byte for byte in each layout, and how it
// ends when the holdings or the files cannot give a sound transfer.
#include <gtest/gtest.h>

#include "run/determine/tests/determine_fixture.h"
#include "run/operator/run_stopped.h"

namespace zur::determine::testing {
namespace {

namespace fs = std::filesystem;

const std::string k40Blanks(40, ' ');

class UploadOutput : public DetermineTest {
 protected:
  // One transfer of 500 shares of stock 5 out of `account` into "01".
  void OneExcess(bool eight, const std::string& account) {
    MakeTable(eight);
    AddRows({{.stock = "5", .account = "01"}, {.stock = "5", .account = account, .cas = 500}});
  }
  // Only the table is left in the directory: no upload file, no temporary file.
  void ExpectNoUploadFile() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, (Texts{"ATIMAST.DBF"}));
  }
  std::string StopMessage(const DetermineInputs& in = {}, bool ccass3 = true) {
    try {
      Run(in, ccass3);
    } catch (const run::RunStopped& e) {
      EXPECT_EQ(op_.Matching("line22: ").size(), 1u);
      EXPECT_EQ("line22: " + std::string(e.what()), op_.Matching("line22: ").front());
      return e.what();
    }
    ADD_FAILURE() << "the determination did not stop";
    return "";
  }
};

TEST_F(UploadOutput, LayoutBDetailAndTrailer) {
  OneExcess(false, "25");
  Run();
  const Texts lines = Lines(ZurFile());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 1), "0");
  EXPECT_EQ(lines[1],
            "1"
            "00005"
            "HK0000000005"
            "25"
            "01"
            "00000000500" +
                k40Blanks + "00000000000505");
  EXPECT_EQ(lines[2],
            "2"
            "0001"
            "0000005"
            "00000000000500"
            "00000000000000505" +
                std::string(87 - 43, ' '));
}

TEST_F(UploadOutput, LayoutAAndStiLinesWithEightDigitAccounts) {
  MakeTable(true);
  AddRows({{.stock = "5", .account = "01"},
           {.stock = "5", .account = "15", .cas = 500},
           {.stock = "5", .account = "25", .cas = 500}});
  Run();
  const Texts zur = Lines(ZurFile());
  ASSERT_EQ(zur.size(), 3u);
  EXPECT_EQ(zur[1],
            "1"
            "00005"
            "HK0000000005"
            "00000015"
            "00000001"
            "00000000500" +
                k40Blanks + "00000000000505");
  const Texts sti = Lines(StiFile());
  ASSERT_EQ(sti.size(), 3u);
  EXPECT_EQ(sti[1],
            "1"
            "00005"
            "HK0000000005"
            "00000025"
            "00000001"
            "00000000500"
            "0000000000000F" +
                k40Blanks + "00000000000505" + std::string(7, ' '));
  EXPECT_EQ(sti[2].substr(0, 5), "20001");
}

TEST_F(UploadOutput, LayoutCBeforeCcass3) {
  OneExcess(false, "15");
  Run({}, /*ccass3=*/false);
  const Texts lines = Lines(ZurFile());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1],
            "1"
            "0005"
            "15"
            "01"
            "00000000500" +
                k40Blanks + "00000000000505");
}

TEST_F(UploadOutput, EmptyRunGivesHeaderAndZeroTrailer) {
  MakeTable(true);
  const DetermineResult r = Run({.due_bought_from_main = true});
  EXPECT_EQ(r.zur_lines + r.sti_lines + r.main_records_added, 0);
  EXPECT_TRUE(r.due_bought_passes_run);
  for (const fs::path& file : {ZurFile(), StiFile()}) {
    const Texts lines = Lines(file);
    ASSERT_EQ(lines.size(), 2u) << file;
    EXPECT_EQ(lines[1].substr(0, 43), "2" + std::string(42, '0')) << file;
  }
  EXPECT_EQ(op_.events, (Texts{"progress: Determining ZUR ...", "percent: done"}));
}

TEST_F(UploadOutput, QuantitiesAreRoundedToWholeSharesOnce) {
  std::vector<dbf::FieldSpec> fields = HoldingsFields();
  for (dbf::FieldSpec& f : fields)
    if (f.name == "ACASQTY") f = {"ACASQTY", 'N', 13, 1};
  MakeTable(false, fields);
  AddRows({{.stock = "5", .account = "01"},
           {.stock = "5", .account = "12", .cas = 0.4},  // rounds to no transfer
           {.stock = "5", .account = "15", .cas = 1500.5, .net = 1000},
           {.stock = "5", .account = "16", .cas = 200.4}});
  Run();
  EXPECT_EQ(Transfers(ZurFile()), (Texts{"5 15>01 501", "5 16>01 200"}));
  EXPECT_EQ(At("5", "15").qty, 501);
  EXPECT_EQ(At("5", "12").from, "");
  EXPECT_EQ(At("5", "01").tfr, 701);
}

TEST_F(UploadOutput, RecordWithoutAccountGetsNoTransfer) {
  MakeTable(false);
  AddRows({{.stock = "5", .account = "01", .cas = 1000},
           {.stock = "5", .account = "", .cas = 500},
           {.stock = "6", .account = "01", .cas = 1000},
           {.stock = "6", .account = "00", .net = 300}});
  const DetermineResult r = Run({.due_bought_from_main = true});
  EXPECT_TRUE(Transfers(ZurFile()).empty());
  EXPECT_EQ(r.records_without_account, 2);
  EXPECT_EQ(op_.Matching("warn: WARNING: ZUR record").size(), 2u);
}

// A blank client-type account formatted to "00000000" is no account either: nothing moves to
// or from it, in neither file.
TEST_F(UploadOutput, AllZeroEightDigitAccountGetsNoTransfer) {
  MakeTable(true);
  AddRows({{.stock = "5", .account = "01", .cas = 1000},
           {.stock = "5", .account = "", .net = 400},
           {.stock = "6", .account = "01", .cas = 1000},
           {.stock = "6", .account = "00000000", .cas = 300}});
  const DetermineResult r = Run({.due_bought_from_main = true});
  EXPECT_TRUE(Transfers(ZurFile()).empty());
  EXPECT_TRUE(Transfers(StiFile()).empty());
  EXPECT_EQ(r.records_without_account, 2);
}

TEST_F(UploadOutput, StockNumberThatIsNotANumberStopsTheRun) {
  MakeTable(false);
  AddRows({{.stock = "5", .account = "01"}, {.stock = "AB1", .account = "15", .cas = 100}});
  const std::string message = StopMessage();
  EXPECT_NE(message.find("ATIMAST.DBF: stock number \"AB1\""), std::string::npos) << message;
  ExpectNoUploadFile();
}

TEST_F(UploadOutput, StockNumberOutOfKeyFormStopsRatherThanAddMainRecords) {
  MakeTable(false);
  AddRows({{.stock = "5", .account = "15", .cas = 100}});
  zur_->GoTo(1);
  zur_->Replace("ASTKNO", Value("5"));  // left-aligned: its key is still "    5"
  const std::string message = StopMessage();
  EXPECT_NE(message.find("stock number \"5\" is not in the form"), std::string::npos) << message;
  ExpectNoUploadFile();
}

TEST_F(UploadOutput, StockNumberTooWideForTheLayoutStopsTheRun) {
  MakeTable(false);
  AddRows({{.stock = "12345", .account = "15", .cas = 100}});
  const std::string message = StopMessage({}, /*ccass3=*/false);  // layout C: 4 digits
  EXPECT_EQ(message.rfind("ERROR: cannot generate ZUR BATCH INPUT text file", 0), 0u) << message;
  ExpectNoUploadFile();
}

TEST_F(UploadOutput, TotalTooLargeForItsFieldStopsTheRun) {
  MakeTable(false);
  AddRows({{.stock = "5", .account = "01", .tfr = 99999999999},
           {.stock = "5", .account = "15", .cas = 1}});
  const std::string message = StopMessage();
  EXPECT_NE(message.find("ATFRQTY"), std::string::npos) << message;
  ExpectNoUploadFile();
}

TEST_F(UploadOutput, TableWithoutTheHoldingsOrderStopsTheRun) {
  MakeTable(false);
  zur_->ClearOrders();
  const std::string message = StopMessage();
  EXPECT_NE(message.find("no order on STRVAL(ASTKNO)+AATI"), std::string::npos) << message;
  ExpectNoUploadFile();
}

TEST_F(UploadOutput, SharedTableIsWrittenUnderRecordLocks) {
  MakeTable(false, HoldingsFields(), dbf::Share::kShared);
  AddRows({{.stock = "5", .account = "01", .cas = 1000},
           {.stock = "5", .account = "15", .cas = 500},
           {.stock = "6", .account = "15", .cas = 500}});
  zur_->UnlockAll();
  // Another user holds the record of stock 6 account 15: stock 5 is decided, then the run
  // stops at stock 6 rather than skip it.
  std::unique_ptr<dbf::Table> other = dbf::Table::Open(path_, dbf::Share::kShared);
  ASSERT_TRUE(other->Lock(3));
  const std::string message = StopMessage();
  EXPECT_NE(message.find("record 3 is locked by another user"), std::string::npos) << message;
  EXPECT_EQ(At("5", "15").qty, 500);
  ExpectNoUploadFile();
}

TEST_F(UploadOutput, WriterAndInputsMustAgreeOnTheStiFile) {
  MakeTable(false);
  upload::UploadWriter writer(Settings(true));
  DetermineInputs in;
  in.eight_digit_accounts = true;
  EXPECT_THROW(DetermineZur(*zur_, writer, in, op_), std::logic_error);
}

TEST(DetermineInputsTest, SettingsCountOnlyWhenExactlyY) {
  VarStore vars;
  vars.Set("ATI_02", Value("Y"));
  vars.Set("NO_SHRATI", Value("y"));
  vars.Set("CAS3_0705", Value(*Date::FromYmd(2026, 12, 8)));
  vars.Set("GEN_DATE", Value(*Date::FromYmd(2026, 12, 8)));
  const DetermineInputs in = DetermineInputs::FromVars(vars);
  EXPECT_TRUE(in.keep_account_02);
  EXPECT_FALSE(in.suppress_due_shortage);
  EXPECT_FALSE(in.due_bought_from_main);  // missing
  EXPECT_TRUE(in.eight_digit_accounts);
}

}  // namespace
}  // namespace zur::determine::testing

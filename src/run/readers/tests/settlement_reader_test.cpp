#include "run/readers/settlement_reader.h"

#include <gmock/gmock.h>

#include "run/operator/run_stopped.h"
#include "run/readers/tests/reader_fixture.h"

namespace zur::readers {
namespace {

using testing::At;
using ::testing::HasSubstr;
using testing::Line;
using testing::ReportPage;

// The column heading and stock total lines of the later layout: quantities delivered start
// 3 columns left of "DELIVERING" (13 wide, from one column earlier), received 3 columns left
// of "RECEIVING" (12 wide).
std::string LaterHeading() {
  return Line({{10, "STOCK"}, {66, "DELIVERING"}, {80, "RECEIVING"}});
}
std::string LaterTotal(const std::string& stock, const std::string& out, const std::string& in) {
  return Line(
      {{10, " STOCK " + stock + "  TOTAL :"}, {62, text::PadL(out, 13)}, {77, text::PadL(in, 12)}});
}

class SettlementReaderTest : public testing::ReaderTest {
 protected:
  SettlementResult Read(const std::string& report, const SettlementInputs& in,
                        bool eight_digit_accounts, double main_balance = 0) {
    auto source = Report(report);
    HoldingsBook book = Book(eight_digit_accounts);
    if (main_balance != 0) book.AddBalance(book.StockKey("5"), "01", main_balance);
    return ReadSettlementReport(source, in, book, op_);
  }
  using ReaderTest::Read;
};

TEST_F(SettlementReaderTest, NetUnsettledQuantitiesGoToTheMainAccount) {
  SettlementInputs in;
  in.enhanced = true;
  in.stk_shift = 1;
  std::vector<std::string> body = {
      LaterHeading(),
      Line({{3, "SETTLED POSITIONS"}}),
      LaterTotal("00005", "9,999-", "9,999"),  // before the section: not a stock total
      Line({{3, "UNSETTLED POSITIONS"}}),
      LaterTotal("00005", "300-", "500"),
      LaterTotal("00011", "1,000-", ""),
      LaterTotal("00005", "", "50"),
      Line({{50, "END OF REPORT"}}),
      LaterTotal("00005", "", "7"),
  };
  SettlementResult r =
      Read(ReportPage("SETTLEMENT REPORT", 1, body), in, true, /*main_balance=*/700);
  EXPECT_FALSE(r.skip_unstl);
  EXPECT_FALSE(r.new_unstl);
  EXPECT_EQ(r.stock_totals, 3);
  EXPECT_EQ(r.stl_date, "08DEC26");
  EXPECT_EQ(r.stl_time, "18:05:33");
  EXPECT_EQ(r.stl_page, 1);
  EXPECT_EQ(op_.events.front(), "progress: Reading \"SETTLEMENT REPORT\" ...");
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 2u);
  EXPECT_EQ(At(h, 5, "00000001").balance, 700);
  EXPECT_EQ(At(h, 5, "00000001").unsettled, 250);
  // A stock without a CCASS holding still gets its main account record.
  EXPECT_EQ(At(h, 11, "00000001").balance, 0);
  EXPECT_EQ(At(h, 11, "00000001").unsettled, -1000);
  EXPECT_EQ(At(h, 11, "00000001").name, "");  // not in the stock master
}

TEST_F(SettlementReaderTest, EarlierLayoutAndMovedColumns) {
  // Quantities start 5 columns left of the heading words: delivered 15 wide, received 14.
  std::vector<std::string> body = {
      Line({{3, "UNSETTLED POSITIONS"}}),
      Line({{70, "DELIVERING"}, {90, "RECEIVING"}}),
      Line({{3, " STOCK 0005 TOTAL :"},
            {65, text::PadL("2,000-", 15)},
            {85, text::PadL("1,500", 14)}}),
  };
  SettlementResult r = Read(ReportPage("SETTLEMENT REPORT", 1, body), SettlementInputs{}, false);
  EXPECT_TRUE(r.new_unstl);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 1u);
  EXPECT_EQ(At(h, 5, "01").unsettled, -500);
  EXPECT_EQ(At(h, 5, "01").name, "HSBC HOLDINGS");
}

TEST_F(SettlementReaderTest, MissingReportIsNotFatal) {
  SettlementResult r =
      Read(ReportPage("STI STATUS REPORT", 1, {LaterTotal("00005", "", "50")}), {}, false);
  EXPECT_TRUE(r.skip_unstl);
  EXPECT_EQ(op_.Matching("warn"),
            std::vector<std::string>{"warn: WARNING: CANNOT FIND \"SETTLEMENT REPORT\" !"});
  EXPECT_TRUE(Read().empty());
}

TEST_F(SettlementReaderTest, ReadingStartsAtTheLastFirstPage) {
  SettlementInputs in;
  in.enhanced = true;
  std::vector<std::string> body = {Line({{3, "UNSETTLED POSITIONS"}}), LaterHeading(),
                                   LaterTotal("0005", "", "100")};
  SettlementResult r =
      Read(ReportPage("SETTLEMENT REPORT", 1, body) + ReportPage("SETTLEMENT REPORT", 2, body) +
               ReportPage("SETTLEMENT REPORT", 1, body) +
               ReportPage("SETTLEMENT REPORT", 2, {Line({{50, "END OF REPORT"}})}),
           in, false);
  EXPECT_TRUE(r.pages_out_of_order);
  EXPECT_EQ(op_.Matching("warn"),
            std::vector<std::string>{
                "warn: WARNING: Some pages of \"Settlement Report\" are repeated !"});
  EXPECT_EQ(At(Read(), 5, "01").unsettled, 100);
}

TEST_F(SettlementReaderTest, DamagedTotals) {
  SettlementInputs in;
  in.enhanced = true;
  // A total without a stock number is passed over with a warning naming the file.
  Read(
      ReportPage("SETTLEMENT REPORT", 1,
                 {Line({{3, "UNSETTLED POSITIONS"}}), LaterHeading(), LaterTotal("    ", "", "100"),
                  LaterTotal("0005", "", "20"), Line({{50, "END OF REPORT"}})}),
      in, false);
  auto warnings = op_.Matching("warn");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_THAT(warnings[0], HasSubstr(file_->path()));
  EXPECT_EQ(At(Read(), 5, "01").unsettled, 20);

  // A total before any column heading cannot be read: the run ends.
  op_.events.clear();
  EXPECT_THROW(Read(ReportPage("SETTLEMENT REPORT", 1,
                               {Line({{3, "UNSETTLED POSITIONS"}}), LaterTotal("0005", "", "5")}),
                    in, false),
               run::RunStopped);
  auto boxes = op_.Matching("box ZUR: ERROR: Quantity columns of \"SETTLEMENT REPORT\"");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_THAT(boxes[0], HasSubstr(file_->path()));
  EXPECT_EQ(At(Read(), 5, "01").unsettled, 20);
}

}  // namespace
}  // namespace zur::readers

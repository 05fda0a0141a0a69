#include "run/readers/sti_status_reader.h"

#include "run/readers/tests/reader_fixture.h"

namespace zur::readers {
namespace {

using testing::At;
using testing::Line;
using testing::ReportPage;

// The two lines of one pending instruction.
std::vector<std::string> Instruction(const std::string& stock, const std::string& from,
                                     const std::string& to, const std::string& quantity) {
  return {Line({{1, "0000123"}, {14, stock}, {37, from}, {76, text::PadL(quantity, 16)}}),
          Line({{1, "08/12/2026"}, {37, to}})};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class StiStatusReaderTest : public testing::ReaderTest {};

TEST_F(StiStatusReaderTest, PendingInstructionsAreBookedAsDone) {
  AddStock("11", "HANG SENG BANK", "HK0011000095");
  sm_->CreateOrder("SMNO", "STRVAL3(MSTKNO)");
  std::vector<std::string> body = Join({
      {Line({{1, "COMPLETED STI"}})},
      // Before the pending section: not booked.
      Instruction("00011", "00000012", "00000015", "7,000"),
      {Line({{1, "PENDING FOR TRANSFER STI"}}),
       "STI INP NO/         QUANTITY / MONEY VALUE / CCY /AFF REQ", "DATE : 08/12/2026"},
      Instruction("00005", "00000012", "00000015", "1,000"),
      // No quantity: dropped, and the next instruction is still read.
      Instruction("00011", "00000012", "00000016", "0"),
      Instruction("00011", "00000016", "00000012", "2,500"),
      Instruction("00005", "00000012", "00000015", "500"),
      {Line({{1, "TOTAL NO OF PENDING FOR TRANSFER STI :    4"}})},
      Instruction("00005", "00000015", "00000012", "9,999"),
  });
  auto source = Report(ReportPage("DAILY STOCK BALANCE REPORT", 1, {"NOTHING"}) +
                       ReportPage("STI STATUS REPORT", 1, body));
  HoldingsBook book = Book(true);
  StiStatusResult result = ReadStiStatusReport(source, book, op_);
  EXPECT_TRUE(result.found);
  EXPECT_EQ(result.instructions, 3);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 4u);
  EXPECT_EQ(At(h, 5, "00000015").balance, 1500);
  EXPECT_EQ(At(h, 5, "00000012").balance, -1500);
  EXPECT_EQ(At(h, 5, "00000012").name, "HSBC HOLDINGS");
  EXPECT_EQ(At(h, 5, "00000012").isin, "GB0005405286");
  EXPECT_EQ(At(h, 11, "00000012").balance, 2500);
  EXPECT_EQ(At(h, 11, "00000016").balance, -2500);
  EXPECT_EQ(At(h, 11, "00000016").name, "HANG SENG BANK");
  EXPECT_EQ(op_.events.front(), "progress: Reading \"STI STATUS REPORT\" report ...");
}

TEST_F(StiStatusReaderTest, TwoCharacterAccountsAndShortPendingTitle) {
  std::vector<std::string> body =
      Join({{"PENDING STI"}, Instruction("00005", "12", "15", "1,000")});
  auto source = Report(ReportPage("STI STATUS REPORT", 1, body));
  HoldingsBook book = Book(false);
  ReadStiStatusReport(source, book, op_);
  testing::Holdings h = Read();
  EXPECT_EQ(h.size(), 2u);
  EXPECT_EQ(At(h, 5, "15").balance, 1000);
  EXPECT_EQ(At(h, 5, "12").balance, -1000);
}

TEST_F(StiStatusReaderTest, WithoutTheReportNothingIsTouched) {
  auto source = Report(ReportPage("SETTLEMENT REPORT", 1,
                                  Join({{"PENDING STI"}, Instruction("00005", "12", "15", "10")})));
  HoldingsBook book = Book(false);
  StiStatusResult result = ReadStiStatusReport(source, book, op_);
  EXPECT_FALSE(result.found);
  EXPECT_TRUE(Read().empty());
  EXPECT_TRUE(op_.Matching("warn").empty());
  EXPECT_TRUE(op_.Matching("box").empty());
}

TEST_F(StiStatusReaderTest, ReadingStopsWhereTheNextReportStarts) {
  // The STI report lacks its end line; the report after it holds lines at the same columns.
  auto source =
      Report(ReportPage("STI STATUS REPORT", 1,
                        Join({{"PENDING STI"}, Instruction("00005", "12", "15", "100")})) +
             ReportPage("SETTLEMENT REPORT", 1, Instruction("00005", "15", "12", "100,000")));
  HoldingsBook book = Book(false);
  ReadStiStatusReport(source, book, op_);
  testing::Holdings h = Read();
  EXPECT_EQ(At(h, 5, "15").balance, 100);
  EXPECT_EQ(At(h, 5, "12").balance, -100);
}

}  // namespace
}  // namespace zur::readers

#include "run/readers/ccass_reports.h"

#include "run/readers/tests/reader_fixture.h"

namespace zur::readers {
namespace {

using testing::At;
using testing::Line;
using testing::ReportPage;

class CcassReportsTest : public testing::ReaderTest {};

TEST_F(CcassReportsTest, PendingTransfersBalancesAndUnsettledThroughTheMemoryVariables) {
  std::string qty = text::PadL("1,000", 15);
  std::string report =
      ReportPage("DAILY STOCK BALANCE REPORT", 1,
                 {Line({{2, "REPORT DATE : 08DEC2026"}}), Line({{2, "0005"}, {9, "HSBC"}}),
                  Line({{7, "12"},
                        {10, qty},
                        {26, text::PadL("1.00", 22)},
                        {50, "15"},
                        {53, text::PadL("50", 15)},
                        {69, text::PadL("1.00", 22)}})}) +
      ReportPage("STI STATUS REPORT", 1,
                 {"PENDING STI", Line({{14, "00005"}, {37, "12"}, {76, text::PadL("100", 16)}}),
                  Line({{37, "15"}})}) +
      ReportPage("SETTLEMENT REPORT", 1,
                 {"UNSETTLED POSITIONS", Line({{65, "DELIVERING"}, {81, "RECEIVING"}}),
                  Line({{3, " STOCK 0005 TOTAL :"}, {60, text::PadL("40-", 15)}})});
  auto source = Report(report);
  vars_.Set("RIGHT_SHIFT", Value(0));
  vars_.Set("ENHANCED", Value(false));
  CcassReports r = ReadCcassReports(source, areas_, vars_, op_);
  EXPECT_EQ(r.sti.instructions, 1);
  testing::Holdings h = Read();
  ASSERT_EQ(h.size(), 3u);
  EXPECT_EQ(At(h, 5, "12").balance, 900);
  EXPECT_EQ(At(h, 5, "15").balance, 150);
  EXPECT_EQ(At(h, 5, "01").unsettled, -40);
  EXPECT_EQ(vars_.Get("RIGHT_SHIFT"), Value(1));
  EXPECT_EQ(vars_.Get("CAS_DATE"), Value("08DEC26"));
  EXPECT_EQ(vars_.Get("CAS_TIME"), Value("18:05:33"));
  EXPECT_EQ(vars_.Get("NEW_REPORT"), Value(true));
  EXPECT_EQ(vars_.Get("STK_SHIFT"), Value(0));
  EXPECT_EQ(vars_.Get("SKIP_UNSTL"), Value(false));
  EXPECT_EQ(vars_.Get("NEW_UNSTL"), Value(false));
  EXPECT_EQ(op_.Matching("progress"),
            (std::vector<std::string>{"progress: Reading \"STI STATUS REPORT\" report ...",
                                      "progress: Reading \"DAILY STOCK BALANCE REPORT\" report ...",
                                      "progress: Reading \"SETTLEMENT REPORT\" ..."}));
}

}  // namespace
}  // namespace zur::readers

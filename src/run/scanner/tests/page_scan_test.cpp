#include "run/scanner/page_scan.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/text/tests/temp_file.h"
#include "run/scanner/report_index.h"
#include "run/scanner/report_lookup.h"
#include "run/scanner/tests/report_text.h"

namespace zur::scanner {
namespace {

using testing::Page;
using testing::PageHeader;
using testing::PageSpec;
using text::testing::TempFile;

PageScan Scan(const std::string& contents) {
  TempFile file(contents);
  OpenError error;
  auto reader = ReportLineReader::Open(file.path(), &error);
  EXPECT_TRUE(reader) << error.message;
  return reader ? ScanPages(*reader) : PageScan{};
}

PageSpec Spec(std::string report, int page) {
  PageSpec spec;
  spec.report = std::move(report);
  spec.page = page;
  return spec;
}

TEST(PageScanTest, HeaderFieldsAndOffsets) {
  PageSpec one = Spec("STI STATUS REPORT", 1);
  PageSpec two = Spec("STI STATUS REPORT", 2);
  two.time = "18:06:01";
  std::string first = Page(one);
  PageScan scan = Scan(first + Page(two));
  ASSERT_TRUE(scan.ok());
  ASSERT_EQ(scan.pages.size(), 2u);
  EXPECT_EQ(scan.pages[0], (PageRow{"STI STATUS REPORT", 1, 0, "08DEC26", "18:05:33"}));
  // The second page starts after the form feed and the byte after it.
  EXPECT_EQ(scan.pages[1], (PageRow{"STI STATUS REPORT", 2, first.size(), "08DEC26", "18:06:01"}));
  EXPECT_EQ(scan.header.part_id, "B01234");
  EXPECT_EQ(scan.header.part_name, "SAMPLE SECURITIES LTD");
  EXPECT_EQ(scan.header.right_shift, 0);
}

TEST(PageScanTest, ShiftedPageIsReadOneColumnFurther) {
  PageSpec plain = Spec("SETTLEMENT REPORT", 1);
  PageSpec shifted = Spec("SETTLEMENT REPORT", 2);
  shifted.shifted = true;
  shifted.part_id = "B09999";
  PageSpec after = Spec("SETTLEMENT REPORT", 3);
  after.part_id = "B07777";

  // The shift seen on a page's second line applies to the next page's first line, so the
  // unshifted page after a shifted one has its participant id read one column further.
  PageScan scan = Scan(Page(plain) + Page(shifted) + Page(after));
  ASSERT_EQ(scan.pages.size(), 3u);
  EXPECT_EQ(scan.pages[1].name, "SETTLEMENT REPORT");
  EXPECT_EQ(scan.pages[1].page, 2);
  EXPECT_EQ(scan.pages[2].name, "SETTLEMENT REPORT");
  EXPECT_EQ(scan.header.right_shift, 0);
  EXPECT_EQ(scan.header.part_id, "07777");

  HeaderState state;
  std::string header = PageHeader(shifted);
  size_t first_end = header.find("\r\n");
  std::string_view first(header.data(), first_end);
  std::string_view second(header.data() + first_end + 2,
                          header.find("\r\n", first_end + 2) - first_end - 2);
  ReadHeaderLine(state, second, 0);
  EXPECT_EQ(state.right_shift, 1);
  EXPECT_EQ(state.report_name, "SETTLEMENT REPORT");
  ReadHeaderLine(state, first, 77);
  EXPECT_EQ(state.part_id, "B09999");
  EXPECT_EQ(state.start_pos, 77u);
}

TEST(PageScanTest, HeaderLineMarkers) {
  EXPECT_EQ(ClassifyHeaderLine("X RUN TIME : 10:00 PAGE :    3"), HeaderLine::kRunTime);
  EXPECT_EQ(ClassifyHeaderLine("PAGE : 1 RUN DATE : 08DEC26"), HeaderLine::kRunDate);
  EXPECT_EQ(ClassifyHeaderLine("   PAGE :    4"), HeaderLine::kPage);
  EXPECT_EQ(ClassifyHeaderLine("RUN DATE: 08DEC26 PAGE:1 :"), HeaderLine::kNone);
  EXPECT_EQ(ClassifyHeaderLine(":"), HeaderLine::kNone);

  // A garbled page line gives page 0; a report name longer than the index field is cut.
  HeaderState state;
  state.report_name = std::string(65, 'N');
  auto row = ReadHeaderLine(state, "PAGE : ?", 0);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->page, 0);
  EXPECT_EQ(row->name.size(), kReportNameWidth);
  row = ReadHeaderLine(state, std::string(300, ' ') + "PAGE : 12345678", 0);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->page, 12345);
  // Header lines cut short leave blank fields.
  ReadHeaderLine(state, "RUN DATE :", 5);
  EXPECT_EQ(state.run_date, "");
  EXPECT_EQ(state.part_id, "");
}

TEST(PageScanTest, FurnitureLines) {
  EXPECT_TRUE(IsPageFurniture(""));
  EXPECT_TRUE(IsPageFurniture("     "));
  EXPECT_TRUE(IsPageFurniture("  ------------  "));
  EXPECT_TRUE(IsPageFurniture("PAGE :    2"));
  EXPECT_FALSE(IsPageFurniture("  00005  -----------  1,000"));
  EXPECT_FALSE(IsPageFurniture("\t"));
}

TEST(PageScanTest, ReportIndexGroupsConsecutivePages) {
  std::string text;
  for (auto [report, page] : {std::pair{"STI STATUS REPORT", 1},
                              {"STI STATUS REPORT", 2},
                              {"SETTLEMENT REPORT", 1},
                              {"DAILY STOCK BALANCE REPORT", 1},
                              {"SETTLEMENT REPORT", 2},
                              {"SETTLEMENT REPORT", 3}})
    text += Page(Spec(report, page));
  PageScan scan = Scan(text);
  ASSERT_EQ(scan.pages.size(), 6u);
  std::vector<ReportRow> reports = BuildReportIndex(scan.pages);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[0], (ReportRow{"STI STATUS REPORT", "08DEC26", "18:05", 2}));
  EXPECT_EQ(reports[1], (ReportRow{"SETTLEMENT REPORT", "08DEC26", "18:05", 1}));
  EXPECT_EQ(reports[2].name, "DAILY STOCK BALANCE REPORT");
  EXPECT_EQ(reports[3], (ReportRow{"SETTLEMENT REPORT", "08DEC26", "18:05", 3}));

  // The readers read the first run of a report only, up to the next report's first page.
  auto settlement = FindReport(scan.pages, "SETTLEMENT REPORT");
  ASSERT_TRUE(settlement);
  EXPECT_EQ(settlement->first, 2u);
  EXPECT_EQ(settlement->start, scan.pages[2].offset);
  EXPECT_EQ(settlement->end, scan.pages[3].offset);
  EXPECT_FALSE(settlement->pages_out_of_order);
  // The last report runs to the end of the file.
  auto balance = FindReport(scan.pages, "DAILY STOCK");
  ASSERT_TRUE(balance);
  EXPECT_EQ(balance->end, scan.pages[4].offset);
  EXPECT_FALSE(FindReport(scan.pages, "STATEMENT OF STOCK ACCOUNTS"));
}

TEST(PageScanTest, FilesWithoutPages) {
  for (std::string text : {std::string(), std::string(9, '\f'), std::string("\r\n\r\n"),
                           std::string(10000, 'x'), std::string(5000, '\0') + "\xff\xfe"}) {
    PageScan scan = Scan(text);
    EXPECT_TRUE(scan.ok());
    EXPECT_TRUE(scan.pages.empty());
    EXPECT_EQ(BuildReportIndex(scan.pages), std::vector<ReportRow>{ReportRow{}});
  }
}

TEST(PageScanTest, LookupRangesAndRepeatedPages) {
  auto row = [](const char* name, int page, uint64_t offset) {
    return PageRow{name, page, offset, "08DEC26", "10:00:00"};
  };
  std::vector<PageRow> pages = {row("STI STATUS REPORT", 1, 0), row("SETTLEMENT REPORT", 1, 100),
                                row("SETTLEMENT REPORT", 2, 200), row("SETTLEMENT REPORT", 1, 300),
                                row("SETTLEMENT REPORT", 2, 400)};
  auto range = FindReport(pages, "SETTLEMENT REPORT");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->start, 100u);
  EXPECT_EQ(range->end, 0u);
  EXPECT_TRUE(range->pages_out_of_order);
  range = FindReport(pages, "SETTLEMENT REPORT", ReportStart::kLastPageOne);
  EXPECT_EQ(range->start, 300u);
  EXPECT_TRUE(range->Done(400) == false);

  range = FindReport(pages, "STI STATUS REPORT");
  EXPECT_FALSE(range->pages_out_of_order);
  EXPECT_EQ(range->end, 100u);
  EXPECT_FALSE(range->Done(99));
  EXPECT_TRUE(range->Done(100));

  // Names compare as stored: blank-padded to the field, the wanted text as a prefix.
  EXPECT_TRUE(ReportNameMatches("SETTLEMENT REPORT", "SETTLEMENT REPORT   "));
  EXPECT_TRUE(ReportNameMatches("SETTLEMENT REPORT (HKD)", "SETTLEMENT REPORT"));
  EXPECT_FALSE(ReportNameMatches("SETTLEMENT", "SETTLEMENT REPORT"));
  EXPECT_FALSE(ReportNameMatches("", std::string(kReportNameWidth + 1, ' ')));
  EXPECT_FALSE(FindReport({}, "SETTLEMENT REPORT"));
}

}  // namespace
}  // namespace zur::scanner

#include "run/scanner/page_scan.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/text/tests/temp_file.h"
#include "run/scanner/report_index.h"
#include "run/scanner/report_lines.h"
#include "run/scanner/report_lookup.h"
#include "run/scanner/tests/report_text.h"

namespace zur::scanner {
namespace {

using testing::Page;
using testing::PageFields;
using text::testing::TempFile;

PageScan Scan(const std::string& contents) {
  TempFile file(contents);
  OpenError error;
  auto reader = ReportLineReader::Open(file.path(), &error);
  EXPECT_TRUE(reader) << error.message;
  return reader ? ScanPages(*reader) : PageScan{};
}

PageFields Fields(std::string report, int page, bool shifted = false) {
  PageFields fields;
  fields.report = std::move(report);
  fields.page = page;
  fields.shifted = shifted;
  return fields;
}

TEST(PageScanTest, PageRowsFromHeaders) {
  PageFields second = Fields("STI STATUS REPORT", 2, true);
  second.time = "18:06:01";
  second.part_id = "B09999";
  PageFields third = Fields("STI STATUS REPORT", 3);
  third.part_id = "B07777";
  std::string first = Page(Fields("STI STATUS REPORT", 1));
  PageScan scan = Scan(first + Page(second) + Page(third));
  ASSERT_TRUE(scan.ok());
  ASSERT_EQ(scan.pages.size(), 3u);
  EXPECT_EQ(scan.pages[0], (PageRow{"STI STATUS REPORT", 1, 0, "08DEC26", "18:05:33"}));
  // A page starts after the form feed and the byte after it; a shifted page is read one
  // column further on.
  EXPECT_EQ(scan.pages[1], (PageRow{"STI STATUS REPORT", 2, first.size(), "08DEC26", "18:06:01"}));
  EXPECT_EQ(scan.header.part_name, "SAMPLE SECURITIES LTD");
  // The shift of a page's second line applies to the next page's first line, so the
  // participant id of the unshifted page after a shifted one is read a column late.
  EXPECT_EQ(scan.header.part_id, "07777");
  EXPECT_EQ(scan.header.right_shift, 0);
}

TEST(PageScanTest, HeaderLineMarkersAndGarbledFields) {
  // Only the first matching marker counts.
  EXPECT_EQ(ClassifyHeaderLine("X RUN TIME : 10:00 PAGE :    3"), HeaderLine::kRunTime);
  EXPECT_EQ(ClassifyHeaderLine("PAGE : 1 RUN DATE : 08DEC26"), HeaderLine::kRunDate);
  EXPECT_EQ(ClassifyHeaderLine("RUN DATE: 08DEC26 PAGE:1 :"), HeaderLine::kNone);

  HeaderState state;
  state.report_name = std::string(65, 'N');
  auto row = ReadHeaderLine(state, "PAGE : ?", 0);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->page, 0);
  EXPECT_EQ(row->name.size(), kReportNameWidth);  // cut to the index field
  EXPECT_EQ(ReadHeaderLine(state, std::string(300, ' ') + "PAGE : 12345678", 0)->page, 12345);
  ReadHeaderLine(state, "RUN DATE :", 5);
  EXPECT_EQ(state.run_date, "");
  EXPECT_EQ(state.start_pos, 5u);

  EXPECT_TRUE(IsPageFurniture("   "));
  EXPECT_TRUE(IsPageFurniture("  ------------  "));
  EXPECT_FALSE(IsPageFurniture("  00005  -----------  1,000"));
}

TEST(PageScanTest, ReportRunsAndTheirRanges) {
  std::string text;
  for (auto [report, page] : {std::pair{"STI STATUS REPORT", 1},
                              {"STI STATUS REPORT", 2},
                              {"SETTLEMENT REPORT", 1},
                              {"DAILY STOCK BALANCE REPORT", 1},
                              {"SETTLEMENT REPORT", 2},
                              {"SETTLEMENT REPORT", 3}})
    text += Page(Fields(report, page));
  PageScan scan = Scan(text);
  ASSERT_EQ(scan.pages.size(), 6u);
  std::vector<ReportRow> reports = BuildReportIndex(scan.pages);
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_EQ(reports[0], (ReportRow{"STI STATUS REPORT", "08DEC26", "18:05", 2}));
  EXPECT_EQ(reports[3], (ReportRow{"SETTLEMENT REPORT", "08DEC26", "18:05", 3}));

  // A report is read from its first run only, up to the next report's first page.
  auto settlement = FindReport(scan.pages, "SETTLEMENT REPORT");
  ASSERT_TRUE(settlement);
  EXPECT_EQ(settlement->first, 2u);
  EXPECT_EQ(settlement->start, scan.pages[2].offset);
  EXPECT_EQ(settlement->end, scan.pages[3].offset);
  // Its reader stops after the line that reaches the next report: the page's form feed.
  TempFile file(text);
  auto reader = ReportLineReader::Open(file.path(), nullptr);
  ReportLines lines(*reader, settlement->start, settlement->end);
  ReportLine line;
  std::vector<std::string> read;
  while (lines.Next(line)) read.emplace_back(line.text);
  ASSERT_EQ(read.size(), 3u + 1u + 5u + 1u);
  EXPECT_NE(read[3 + 1 + 4].find("BODY LINE 4 OF SETTLEMENT REPORT"), std::string::npos);
  EXPECT_EQ(read.back(), "");
  EXPECT_EQ(line.next, scan.pages[3].offset);
  EXPECT_FALSE(FindReport(scan.pages, "STATEMENT OF STOCK ACCOUNTS"));

  // Files without a page header: no pages, and the one blank report row.
  for (std::string junk : {std::string(), std::string(9, '\f'), std::string(10000, 'x'),
                           std::string(5000, '\0') + "\xff\r"}) {
    PageScan none = Scan(junk);
    EXPECT_TRUE(none.ok() && none.pages.empty());
    EXPECT_EQ(BuildReportIndex(none.pages), std::vector<ReportRow>{ReportRow{}});
  }
}

TEST(PageScanTest, RepeatedPagesAndRestartAtPageOne) {
  auto row = [](const char* name, int page, uint64_t offset) {
    return PageRow{name, page, offset, "08DEC26", "10:00:00"};
  };
  std::vector<PageRow> pages = {row("SETTLEMENT REPORT", 1, 100), row("SETTLEMENT REPORT", 2, 200),
                                row("SETTLEMENT REPORT", 1, 300), row("SETTLEMENT REPORT", 2, 400)};
  auto range = FindReport(pages, "SETTLEMENT REPORT");
  ASSERT_TRUE(range);
  EXPECT_EQ(range->start, 100u);
  EXPECT_EQ(range->end, 0u);  // to the end of the file
  EXPECT_TRUE(range->pages_out_of_order);
  EXPECT_EQ(FindReport(pages, "SETTLEMENT", ReportStart::kLastPageOne)->start, 300u);

  // Names compare as stored: blank-padded to the field, the wanted text as a prefix.
  EXPECT_TRUE(ReportNameMatches("SETTLEMENT REPORT", "SETTLEMENT REPORT   "));
  EXPECT_FALSE(ReportNameMatches("SETTLEMENT", "SETTLEMENT REPORT"));
  EXPECT_FALSE(ReportNameMatches("", std::string(kReportNameWidth + 1, ' ')));
}

}  // namespace
}  // namespace zur::scanner

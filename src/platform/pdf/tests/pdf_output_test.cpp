#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/pdf/print_text_file.h"
#include "platform/pdf/tests/tool_runner.h"

namespace zur::pdf {
namespace {

using testing::HaveTool;
using testing::ReadAll;
using testing::RunTool;
using testing::TempDir;
using testing::WriteAll;

class PdfOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveTool("pdftotext") || !HaveTool("pdfinfo"))
      GTEST_SKIP() << "poppler-utils not installed (scripts/setup)";
  }
  PrintJob Job(const std::string& name, const std::string& text) {
    PrintJob job;
    job.text_file = dir_.path() / name;
    WriteAll(job.text_file, text);
    job.to_pdf = true;
    job.pdf_dir = dir_.path() / "PDF";
    job.job_name = "STATUS";
    job.created = std::chrono::system_clock::time_point(std::chrono::seconds(1796000000));
    return job;
  }
  PrintResult Print(const PrintJob& job) {
    PrintResult r = PrintTextFile(job);
    EXPECT_EQ(r.status, PrintStatus::kPrinted) << r.error;
    EXPECT_TRUE(std::filesystem::exists(r.pdf));
    return r;
  }
  TempDir dir_;
};

std::string Repeat(const std::string& line, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += line;
  return s;
}

TEST_F(PdfOutputTest, PortraitReportWithChineseCompanyName) {
  // "ZUR Securities Ltd" line with a Big5 company name.
  const std::string name = "\xa4\xa4\xb0\xea\xc3\xd2\xa8\xe9\xa6\xb3\xad\xad\xa4\xbd\xa5\x71";
  std::string text =
      "CLIENT STATUS REPORT\r\n" + name + " 1234\r\n" + Repeat("line of body text\r\n", 70);
  auto r = Print(Job("status.txt", text));
  const std::string info = RunTool("pdfinfo", "", r.pdf);
  EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
  EXPECT_NE(info.find("595.276 x 841.89"), std::string::npos) << info;  // A4 portrait
  const std::string txt = RunTool("pdftotext", "-layout", r.pdf);
  EXPECT_NE(txt.find("CLIENT STATUS REPORT"), std::string::npos) << txt;
  EXPECT_NE(txt.find("\xe4\xb8\xad\xe5\x9c\x8b\xe8\xad\x89\xe5\x88\xb8\xe6\x9c\x89\xe9\x99\x90\xe5"
                     "\x85\xac\xe5\x8f\xb8"),
            std::string::npos)
      << txt;
  const std::string fonts = RunTool("pdffonts", "", r.pdf);
  EXPECT_NE(fonts.find("UMing"), std::string::npos) << fonts;
  // Named by job and time; a second report of the same name in the same second does not
  // replace the first.
  EXPECT_EQ(r.pdf.filename().string().substr(0, 7), "STATUS_");
  EXPECT_EQ(r.pdf.extension(), ".pdf");
  auto again = Print(Job("status.txt", text));
  EXPECT_EQ(again.pdf.stem(), r.pdf.stem().string() + "_2");
  EXPECT_TRUE(std::filesystem::exists(r.pdf));
}

TEST_F(PdfOutputTest, WideReportIsLandscapeAndFormFeedsMakePages) {
  std::string wide = std::string(120, '-') + "END\r\n";
  std::string text =
      "WIDE HEADER\r\n" + wide + "page one\r\n\fSECOND PAGE\r\nx\r\n\fTHIRD PAGE\r\n\f";
  PrintJob job = Job("wide.txt", text);
  std::vector<std::pair<int, int>> progress;
  job.progress = [&](int done, int total) { progress.emplace_back(done, total); };
  auto r = Print(job);
  const std::string info = RunTool("pdfinfo", "", r.pdf);
  EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_NE(info.find("841.89 x 595.276"), std::string::npos) << info;
  const std::string page2 = RunTool("pdftotext", "-f 2 -l 2", r.pdf);
  EXPECT_NE(page2.find("SECOND PAGE"), std::string::npos) << page2;
  EXPECT_EQ(page2.find("THIRD PAGE"), std::string::npos) << page2;
}

TEST_F(PdfOutputTest, ColumnsLineUpAfterChineseText) {
  // Column 21 holds "1,000" after a Chinese name and "20,000" after a Latin one; on the third
  // line the Chinese name starts at column 8, after Latin text, on the same baseline.
  std::string text =
      "0005  \xa4\xa4\xb0\xea\xc3\xd2\xa8\xe9       1,000\r\n0700  ABCDEFGH       20,000\r\n"
      "TALVERO \xa4\xa4\xb0\xea\xc3\xd2\xa8\xe9 LTD\r\n";
  auto r = Print(Job("columns.txt", text));
  const std::string boxes = RunTool("pdftotext", "-bbox", r.pdf);
  auto value_of = [&](const std::string& word, const std::string& attribute) {
    auto at = boxes.find(">" + word + "<");
    auto v = boxes.rfind(attribute + "=\"", at);
    return at == std::string::npos || v == std::string::npos
               ? -1.0
               : std::stod(boxes.substr(v + attribute.size() + 2));
  };
  const double column = 25 * 72.0 / 254.0;
  EXPECT_NEAR(value_of("1,000", "xMin"), 21 * column, 0.5) << boxes;
  EXPECT_NEAR(value_of("20,000", "xMin"), 21 * column, 0.5) << boxes;
  const std::string name = "\xe4\xb8\xad\xe5\x9c\x8b\xe8\xad\x89\xe5\x88\xb8";
  EXPECT_NEAR(value_of("LTD", "xMin"), 17 * column, 0.5) << boxes;
  const double talvero_y = value_of("TALVERO", "yMin");
  ASSERT_GT(talvero_y, 0) << boxes;
  // The name's box: the last one found for it, on the third line.
  const auto last = boxes.rfind(">" + name + "<");
  const auto x = boxes.rfind("xMin=\"", last);
  const auto y = boxes.rfind("yMin=\"", last);
  EXPECT_NEAR(std::stod(boxes.substr(x + 6)), 8 * column, 0.5) << boxes;
  EXPECT_NEAR(std::stod(boxes.substr(y + 6)), talvero_y, 0.5) << boxes;
}

// A heading on every page is drawn once and shown on each page at its place, like the text
// around it.
TEST_F(PdfOutputTest, AHeadingOnEveryPageStaysInItsPlace) {
  std::string text;
  for (int page = 1; page <= 5; ++page) {
    text += "  COMPANY HEADING   (12/2026)\r\n";
    text += "  body of page " + std::to_string(page) + "\r\n\f";
  }
  auto r = Print(Job("heading.txt", text));
  const std::string boxes = RunTool("pdftotext", "-bbox", r.pdf);
  // The words of the heading, page by page, with their boxes.
  std::vector<std::string> headings;
  for (size_t at = boxes.find(">COMPANY<"); at != std::string::npos;
       at = boxes.find(">COMPANY<", at + 1)) {
    const size_t open = boxes.rfind("<word", at);
    headings.push_back(boxes.substr(open, at - open));
  }
  ASSERT_EQ(headings.size(), 5u) << boxes;
  for (const std::string& h : headings) EXPECT_EQ(h, headings[0]);
  const std::string page5 = RunTool("pdftotext", "-f 5 -l 5 -layout", r.pdf);
  EXPECT_NE(page5.find("COMPANY HEADING   (12/2026)"), std::string::npos) << page5;
  EXPECT_NE(page5.find("body of page 5"), std::string::npos) << page5;
}

TEST_F(PdfOutputTest, SameReportAndTimeGiveTheSameBytes) {
  const std::string text = "REPRODUCIBLE\r\n\xa4\xa4\xb0\xea\r\n";
  auto job = Job("same.txt", text);
  auto first = Print(job);
  const std::string bytes = ReadAll(first.pdf);
  std::filesystem::remove(first.pdf);
  auto second = Print(job);
  EXPECT_EQ(first.pdf, second.pdf);
  EXPECT_EQ(bytes, ReadAll(second.pdf));
  EXPECT_NE(RunTool("pdfinfo", "-isodates", second.pdf).find("2026-11-30T00:53:20"),
            std::string::npos);
}

TEST_F(PdfOutputTest, FailuresNameTheFileAndKeepTheReport) {
  auto empty = Job("empty.txt", "");
  EXPECT_EQ(PrintTextFile(empty).status, PrintStatus::kEmpty);
  EXPECT_FALSE(std::filesystem::exists(empty.pdf_dir));

  auto missing = Job("gone.txt", "x");
  std::filesystem::remove(missing.text_file);
  auto r = PrintTextFile(missing);
  EXPECT_EQ(r.status, PrintStatus::kFailed);
  EXPECT_NE(r.error.find("gone.txt"), std::string::npos) << r.error;

  // The PDF folder is a plain file: nothing can be written there.
  auto blocked = Job("blocked.txt", "REPORT\r\n");
  WriteAll(dir_.path() / "plain", "");
  blocked.pdf_dir = dir_.path() / "plain";
  r = PrintTextFile(blocked);
  EXPECT_EQ(r.status, PrintStatus::kFailed);
  EXPECT_NE(r.error.find("blocked.txt"), std::string::npos) << r.error;
  EXPECT_EQ(ReadAll(blocked.text_file), "REPORT\r\n");

  // A system printer that cannot be found fails before a page is drawn for it.
  auto unknown = Job("unknown.txt", "REPORT\r\n");
  unknown.to_pdf = false;
  unknown.printer = "ZUR_NO_SUCH_PRINTER";
  int drawn = 0;
  unknown.progress = [&](int, int) { ++drawn; };
  r = PrintTextFile(unknown);
  EXPECT_EQ(r.status, PrintStatus::kFailed);
  EXPECT_NE(r.error.find("unknown.txt"), std::string::npos) << r.error;
  EXPECT_NE(r.error.find("ZUR_NO_SUCH_PRINTER"), std::string::npos) << r.error;
  EXPECT_EQ(drawn, 0);

  // Damaged Big5 and control bytes still print the readable part.
  auto damaged = Job("damaged.txt", std::string("GOOD \xff\xa4\r\n\x01\x02 TAIL\0 X\r\n", 20));
  auto ok = Print(damaged);
  EXPECT_NE(RunTool("pdftotext", "", ok.pdf).find("GOOD"), std::string::npos);
}

}  // namespace
}  // namespace zur::pdf

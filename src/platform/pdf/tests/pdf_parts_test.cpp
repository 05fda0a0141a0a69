#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/pdf/font_map.h"
#include "platform/pdf/pdf_join.h"
#include "platform/pdf/pdf_render.h"
#include "platform/pdf/tests/tool_runner.h"

namespace zur::pdf {
namespace {

using testing::HaveTool;
using testing::ReadAll;
using testing::RunTool;
using testing::TempDir;
using testing::ToolComplaints;

// A report of `pages` pages: a heading repeated on every page (drawn once as a form), body
// lines that change, and a Big5 company name (drawn through the shaper) on some pages.
void LayOutReport(PageSink& sink, int pages) {
  const std::string name = "\xa4\xa4\xb0\xea\xc3\xd2\xa8\xe9";
  for (int page = 1; page <= pages; ++page) {
    sink.Piece(100, 100, "ZUR STATUS REPORT   Page: " + std::to_string(page));
    for (int row = 0; row < 5; ++row)
      sink.Piece(100 + 30 * row, 200 + 40 * row,
                 "STOCK " + std::to_string(page * 10 + row) + "   00000001   6,000");
    if (page % 3 == 0) sink.Piece(100, 500, name + " LTD " + std::to_string(page));
    if (page < pages) sink.NextPage();
  }
}

// How many page tree nodes the document holds, and how many of them hang under another one.
std::pair<int, int> PageTreeNodes(const std::string& pdf) {
  int nodes = 0;
  int hung = 0;
  for (size_t at = pdf.find("/Type /Pages"); at != std::string::npos;
       at = pdf.find("/Type /Pages", at + 1)) {
    const size_t begin = pdf.rfind(" obj", at);
    const size_t end = pdf.find("endobj", at);
    ++nodes;
    if (pdf.substr(begin, end - begin).find("/Parent ") != std::string::npos) ++hung;
  }
  return {nodes, hung};
}

class PdfPartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveTool("pdftotext") || !HaveTool("pdfinfo"))
      GTEST_SKIP() << "poppler-utils not installed (scripts/setup)";
    setup_.font_height = 30;
    setup_.font_width = 15;
    options_.font_family = InstalledFontFamily("");
    options_.title = "STATUS";
    options_.created = std::chrono::system_clock::time_point(std::chrono::seconds(1796000000));
  }
  std::filesystem::path Render(const std::string& name, int pages, int part_pages,
                               std::vector<std::pair<int, int>>* told = nullptr) {
    RenderOptions options = options_;
    options.part_pages = part_pages;
    if (told != nullptr)
      options.progress = [told](int done, int all) { told->push_back({done, all}); };
    const std::filesystem::path out = dir_.path() / name;
    EXPECT_EQ(
        RenderPdf([&](PageSink& sink) { LayOutReport(sink, pages); }, pages, setup_, options, out),
        "");
    EXPECT_FALSE(std::filesystem::exists(out.string() + ".part"));
    return out;
  }
  TempDir dir_;
  PageSetup setup_;
  RenderOptions options_;
};

// A long report is drawn in parts and joined: the joined document reads without a complaint
// and shows every page as the document drawn whole does, word for word and place for place.
TEST_F(PdfPartsTest, JoinedPartsShowThePagesOfTheWholeDocument) {
  const int pages = 11;
  const auto whole = Render("whole.pdf", pages, 1000);
  std::vector<std::pair<int, int>> told;
  const auto joined = Render("joined.pdf", pages, 3, &told);  // parts of 3, 3, 3 and 2 pages

  EXPECT_EQ(ToolComplaints("pdftotext", joined), "");
  EXPECT_NE(RunTool("pdfinfo", "", joined).find("Pages:           11"), std::string::npos);
  EXPECT_NE(RunTool("pdfinfo", "", joined).find("STATUS"), std::string::npos);
  const std::string boxes = RunTool("pdftotext", "-bbox", whole);
  ASSERT_NE(boxes.find(">STOCK<"), std::string::npos) << boxes;
  EXPECT_EQ(RunTool("pdftotext", "-bbox", joined), boxes);
  EXPECT_NE(ReadAll(whole), ReadAll(joined));
  // One tree of the parts' trees: the root and a node for each part under it.
  EXPECT_EQ(PageTreeNodes(ReadAll(joined)), std::make_pair(5, 4));

  // The progress counts every page once, in order, against the pages in all.
  ASSERT_EQ(told.size(), static_cast<size_t>(pages));
  for (int i = 0; i < pages; ++i) EXPECT_EQ(told[i], std::make_pair(i + 1, pages));

  // Drawn again, on whatever threads, the joined document has the same bytes.
  EXPECT_EQ(ReadAll(Render("again.pdf", pages, 3)), ReadAll(joined));
}

// Reports of exactly one part, and of one part and one page more, are whole documents too.
TEST_F(PdfPartsTest, PartBoundariesKeepEveryPage) {
  for (const int pages : {1, 3, 4}) {
    const auto joined = Render("p" + std::to_string(pages) + ".pdf", pages, 3);
    EXPECT_EQ(ToolComplaints("pdftotext", joined), "") << pages;
    const std::string text = RunTool("pdftotext", "-layout", joined);
    EXPECT_NE(text.find("Page: " + std::to_string(pages)), std::string::npos) << text;
    EXPECT_NE(RunTool("pdfinfo", "", joined).find("Pages:           " + std::to_string(pages)),
              std::string::npos);
  }
}

// What the joiner cannot read it refuses, and gives out nothing for it.
TEST(PdfJoinerTest, RefusesWhatItDoesNotRead) {
  const std::string one_object = "%PDF-1.5\n1 0 obj\n<< /Type /Catalog /Pages 1 0 R >>\nendobj\n";
  for (const std::string& part : {
           std::string(),
           std::string("%PDF-1.5\nnot a document"),
           one_object +
               "xref\n0 2\n0000000000 65535 f \n0000000099 00000 n \ntrailer\n<< /Root 1 0 "
               "R >>\nstartxref\n" +
               std::to_string(one_object.size()) + "\n%%EOF\n",
           one_object + "startxref\n9\n%%EOF\n",
       }) {
    PdfJoiner joiner;
    std::string out = "kept";
    EXPECT_FALSE(joiner.Add(part, out)) << part;
    EXPECT_EQ(out, "kept");
    EXPECT_NE(joiner.error().find("cannot join"), std::string::npos);
  }
}

}  // namespace
}  // namespace zur::pdf

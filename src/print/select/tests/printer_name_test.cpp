#include "print/select/printer_name.h"

#include <gtest/gtest.h>

#include <fstream>

#include "print/select/tests/dialogs_fixture.h"

namespace zur::print {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PrinterFileName, PrnIsAddedWithoutAShortExtension) {
  const struct {
    const char* typed;
    const char* file;
  } cases[] = {
      {"REPORT", "REPORT.PRN"},
      {"REPORT.TXT", "REPORT.TXT"},
      {"REPORT.A", "REPORT.A"},
      {"REPORT.LIST", "REPORT.LIST.PRN"},
      {"OUT.D/REPORT", "OUT.D/REPORT.PRN"},
      {" OUT/R.PRN ", "OUT/R.PRN"},
  };
  for (const auto& c : cases) EXPECT_EQ(PrinterFileName(c.typed), c.file) << c.typed;
}

class PrinterNameTest : public PrinterDialogsTest {
 protected:
  void Run() {
    AskPrinterName(Dialogs());
    Shown();
  }
  // Types a printer name over the one shown ("LPT1", or a name of four characters).
  void TypeName(const std::string& name, const std::string& server = "\r") {
    When("Please key in printer name",
         Padded(name, std::max<size_t>(name.size(), 4)) + "\r" + server);
  }
};

TEST_F(PrinterNameTest, TheWindowAndANewFileInANewFolder) {
  TypeName("out\\REPORT", "y");  // either separator
  Run();
  ASSERT_TRUE(AllAnswered());
  const std::string window = PictureWith("Please key in printer name");
  EXPECT_EQ(RowOf(window, 9).find(" Printer Name "), 3u * 3);  // after three line glyphs
  EXPECT_EQ(RowOf(window, 12), "\u2502Please key in printer name (LPT1,LPT2,COM1,<Text>) : LPT1" +
                                   std::string(16, ' ') + std::string(5, ' ') + "\u2502");
  EXPECT_EQ(RowOf(window, 13).substr(3), "           Type: Y=Network Printer, N=<None> (Y/N) : N" +
                                             std::string(24, ' ') + "\u2502");
  EXPECT_EQ(vars.Get("PRINT_NAME").str(), "out/REPORT.PRN");
  EXPECT_EQ(vars.Get("PRT_SERVER").str(), "Y");
  EXPECT_TRUE(fs::is_regular_file(dir / "out" / "REPORT.PRN"));
}

TEST_F(PrinterNameTest, AnExistingFileIsOverwrittenOrAppendedToAsAnswered) {
  const struct {
    const char* answer;
    const char* contents;
    const char* print_name;
  } cases[] = {
      {"xY", "", "KEEP.TXT"},
      {"n", "old lines\n", "KEEP.TXT"},
      {"\x1b", "old lines\n", "LPT1"},
  };
  for (const auto& c : cases) {
    SetUp();
    std::ofstream(dir / "KEEP.TXT") << "old lines\n";
    TypeName("KEEP.TXT");
    When("Text File Already Exist !  Overwrite (y/n) ?", c.answer);
    Run();
    EXPECT_TRUE(AllAnswered()) << c.answer;
    EXPECT_EQ(Contents(dir / "KEEP.TXT"), c.contents) << c.answer;
    EXPECT_EQ(vars.Get("PRINT_NAME").str(), c.print_name) << c.answer;
  }
}

TEST_F(PrinterNameTest, AFolderThatCannotBeMadeLeavesThePrinterAsItWas) {
  std::ofstream(dir / "blocker") << "a file, not a folder";
  TypeName("blocker/sub/REPORT");
  When("ERROR: Invalid directory name ! cannot proceed !", "x");
  Run();
  EXPECT_TRUE(AllAnswered());
  EXPECT_NE(LastPicture().find("Press any key to continue..."), std::string::npos);
  EXPECT_EQ(vars.Get("PRINT_NAME").str(), "LPT1");
}

TEST_F(PrinterNameTest, EscapeChangesNothing) {
  vars.Set("PRT_SERVER", "N");
  When("Please key in printer name", "out\r\x1b");
  Run();
  EXPECT_EQ(vars.Get("PRINT_NAME").str(), "LPT1");
  EXPECT_EQ(vars.Get("PRT_SERVER").str(), "N");
  EXPECT_FALSE(std::filesystem::exists(dir / "out1.PRN"));
}

TEST_F(PrinterNameTest, APortIsCheckedAndAnEmptyNameKeepsThePrinter) {
  const fs::path device = dir / "lp1";
  std::ofstream(device).put('\0');
  vars.Set("PORT_LPT2", device.string());
  TypeName("lpt2");
  Run();
  EXPECT_EQ(vars.Get("PRINT_NAME").str(), "lpt2");
  TypeName("");
  Run();
  EXPECT_EQ(vars.Get("PRINT_NAME").str(), "lpt2");
}

}  // namespace
}  // namespace zur::print

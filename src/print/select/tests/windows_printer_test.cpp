#include "print/select/windows_printer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "print/select/tests/dialogs_fixture.h"

namespace zur::print {
namespace {

namespace fs = std::filesystem;

class SystemPrinterTest : public PrinterDialogsTest {
 protected:
  void Run(std::optional<std::string> kind = {}) {
    SelectSystemPrinter(Dialogs(), kind, [this] { return found; });
    Shown();
  }
  DestinationList found{{{"Accounts", "Room 3", false},
                         {"CUPS-PDF", "Makes PDF files", false},
                         {"office", "Second floor", true}},
                        ""};
};

TEST_F(SystemPrinterTest, TheDefaultIsLitAndAChoiceIsKept) {
  When("Select Windows Printer", "\x1b");
  Run();
  ASSERT_TRUE(AllAnswered());
  const std::string shown = LastPicture();
  EXPECT_NE(shown.find("Accounts  Room 3"), std::string::npos) << shown;
  EXPECT_NE(shown.find("office    Second floor  (default)"), std::string::npos) << shown;
  EXPECT_EQ(Saved(), std::nullopt);
  EXPECT_FALSE(vars.Exists("DEF_ATI_PTR"));

  // From the default, Home goes to the first.
  When("Select Windows Printer", "\x01\r");
  Run();
  EXPECT_EQ(vars.Get("DEF_ATI_PTR").str(), "Accounts");
  ASSERT_TRUE(Saved());
  EXPECT_EQ(Saved()->Get("DEF_ATI_PTR").str(), "Accounts");

  // The one set is lit; a letter goes to the next line beginning with it.
  When("Select Windows Printer", "o\r");
  Run();
  EXPECT_EQ(vars.Get("DEF_ATI_PTR").str(), "office");
}

TEST_F(SystemPrinterTest, ThePdfPrinterIsAFolderOrADestination) {
  // The folder: typed in its box, made when it does not stand.
  When("Folder: PDF", "\r");
  When("PDF folder", std::string(3, '\b') + "reports/pdf\r");
  Run("PDF");
  ASSERT_TRUE(AllAnswered());
  EXPECT_EQ(vars.Get("DEF_PDF_PTR").str(), "reports/pdf");
  EXPECT_TRUE(fs::is_directory(dir / "reports" / "pdf"));
  EXPECT_EQ(Saved()->Get("DEF_PDF_PTR").str(), "reports/pdf");

  // A destination that makes PDF files.
  When("Folder: reports/pdf", "\x18\x18\r");
  Run("pdf");
  EXPECT_EQ(vars.Get("DEF_PDF_PTR").str(), "CUPS-PDF");

  // Set to a destination, the folder line offers the default folder.
  When("Folder: PDF", "\x1b");
  Run("PDF");
  EXPECT_TRUE(AllAnswered());
}

TEST_F(SystemPrinterTest, AFolderThatCannotBeMadeChangesNothing) {
  std::ofstream(dir / "blocker") << "a file";
  When("Folder: PDF", "\r");
  When("PDF folder", std::string(3, '\b') + "blocker/pdf\r");
  When("ERROR: Invalid directory name ! cannot proceed !", "\r");
  Run("PDF");
  EXPECT_TRUE(AllAnswered());
  EXPECT_FALSE(vars.Exists("DEF_PDF_PTR"));
  EXPECT_EQ(Saved(), std::nullopt);
}

TEST_F(SystemPrinterTest, NoPrinterSetUpIsSaid) {
  found = {{}, "the scheduler is not running"};
  When("ERROR: No printer is set up (the scheduler is not running) !", "\r");
  Run();
  EXPECT_TRUE(AllAnswered());
  EXPECT_FALSE(vars.Exists("DEF_ATI_PTR"));
}

}  // namespace
}  // namespace zur::print

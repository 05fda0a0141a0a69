#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/mainwindow/context_help.h"
#include "app/mainwindow/print_screen.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/pdf/tests/tool_runner.h"

namespace zur::mainwindow {
namespace {

namespace fs = std::filesystem;

using pdf::testing::ReadAll;

// On a line printer the rows go out from the next row, then one blank row; a screen of 54
// rows or more ends its page instead.
TEST(PrintScreen, RowsToALinePrinterFile) {
  dbf::testing::TempDir dir;
  VarStore vars;
  vars.Set("CUR_PTR", Value("EPSON"));
  vars.Set("PRINT_NAME", Value((dir / "screen.prn").string()));
  ASSERT_EQ(PrintScreenRows({"ONE", "", "  THREE"}, vars, dir.path()), "");
  EXPECT_EQ(ReadAll(dir / "screen.prn"), "\r\nONE\r\n\r\n  THREE\r\n ");
}

// Through the PDF printer: a PDF in the PDF folder, and no report file left in the audit folder.
TEST(PrintScreen, WindowsPrintingToPdfLeavesNoAuditFile) {
  dbf::testing::TempDir dir;
  VarStore vars;
  vars.Set("CUR_PTR", Value("WINDOW_PRINTER"));
  vars.Set("PRINT_NAME", Value("LPT1"));
  vars.Set("PRINT_PDF", Value(true));
  vars.Set("MAIN_STR", Value("SCREEN"));
  vars.Set("WinPtPort", Value((dir / "printer.rpt").string()));  // the start-up's own file
  ASSERT_EQ(PrintScreenRows({"ZUR STATUS", "LINE 2"}, vars, dir.path()), "");
  ASSERT_TRUE(fs::is_directory(dir / "PDF"));
  size_t pdfs = 0;
  for (const auto& e : fs::directory_iterator(dir / "PDF")) {
    ++pdfs;
    EXPECT_EQ(ReadAll(e.path()).substr(0, 5), "%PDF-");
  }
  EXPECT_EQ(pdfs, 1u);
  for (const auto& e : fs::directory_iterator(dir / "SBAUDIT"))
    EXPECT_NE(e.path().extension(), ".RPT") << "left behind: " << e.path();
}

// F1 opens the page of the screen's topic with the opener, which runs on its own.
TEST(ContextHelp, PageOfTheTopicIsOpened) {
  dbf::testing::TempDir dir;
  fs::create_directories(dir / "ATIHELP");
  std::ofstream(dir / "ATIHELP" / "2.HTML") << "<html/>";
  const fs::path opener = dir / "opener.sh";
  // The page name lands whole: written aside, then renamed into place.
  std::ofstream(opener) << "#!/bin/sh\necho \"$1\" > '" << (dir / "opened.tmp").string()
                        << "' && mv '" << (dir / "opened.tmp").string() << "' '"
                        << (dir / "opened").string() << "'\n";
  fs::permissions(opener, fs::perms::owner_all);
  VarStore vars;
  vars.Set("MSG", Value("(2) START CHECKING"));
  vars.Set("MAIN", Value("2"));
  EXPECT_EQ(HelpPageFor(vars, dir.path()), dir / "ATIHELP" / "2.HTML");
  ShowHelp(vars, dir.path(), opener.string());
  for (int i = 0; i < 500 && !fs::exists(dir / "opened"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ReadAll(dir / "opened"), (dir / "ATIHELP" / "2.HTML").string() + "\n");

  vars.Set("MSG", Value("(1) SYSTEM SETUP"));  // no topic: nothing is opened
  EXPECT_EQ(HelpPageFor(vars, dir.path()), fs::path());
}

}  // namespace
}  // namespace zur::mainwindow

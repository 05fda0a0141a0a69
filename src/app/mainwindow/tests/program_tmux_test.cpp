// The program itself in a real terminal, on a scratch copy of the sample broker: the system
// setup changes the settings record, "0" quits and gives the terminal back, and a run started
// from the start-checking screen writes the same upload files as `zur check`; the printer
// menu and the PDF printer's folder chosen on screen are where `zur check --pdf` prints, and
// the developer console shows a variable.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "lib/text/trim_pad.h"
#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/term/tests/tmux_server.h"

namespace zur::mainwindow {
namespace {

namespace fs = std::filesystem;
using term::testing::HaveTmux;
using term::testing::ReadFile;
using term::testing::Shell;
using term::testing::TmuxServer;

// The sample broker, its reports printed on a line printer into a file (no printer needed).
void WriteBroker(const fs::path& dir) {
  fs::copy(fs::path(ZUR_SOURCE_DIR) / "examples" / "broker", dir, fs::copy_options::recursive);
  std::ofstream(dir / "ZUR.XBS", std::ios::app) << "DEF_CUR_PTR C EPSON\n";
  std::ofstream(dir / "ATIConfig.dat")
      << "<ATIConfig><Settings><Setting><Name>PRINT_NAME</Name><Value>REPORTS.PRN</Value>"
         "</Setting></Settings></ATIConfig>";
}

std::string Setting(const fs::path& dir, const std::string& field) {
  auto sys = dbf::Table::Open(dir / "ATISYSFL.DBF", dbf::Share::kShared, dbf::Access::kReadOnly);
  sys->GoTop();
  return std::string(text::RTrim(sys->Get(field).str()));
}

// Starts the program in `dir`; the shell records the terminal's modes before and after and
// then the program's exit status (so that "after" is written once the status shows). The
// script is a file of its own, out of reach of the quoting of tmux's command line.
void StartProgram(const TmuxServer& tmux, const fs::path& dir) {
  std::ofstream(dir / "run.sh") << "cd '" << dir.string() << "' && stty -g > before && "
                                << ZUR_BINARY
                                << "\ncode=$?\nstty -g > after\necho EXIT=$code\nsleep 600\n";
  tmux.Tmux("kill-session -t zur");
  tmux.Tmux("new-session -d -s zur -x 100 -y 30 \"sh '" + (dir / "run.sh").string() + "'\"");
  tmux.Tmux("set -g escape-time 0");
}

TEST(ProgramOnScreen, SetupQuitThenARunFromTheStartScreen) {
  if (!HaveTmux()) GTEST_SKIP() << "tmux is not installed here (scripts/setup installs it)";
  dbf::testing::TempDir work;
  const fs::path screen_dir = work / "screen", batch_dir = work / "batch";
  WriteBroker(screen_dir);
  TmuxServer tmux("zur-program-test");

  // "1": the "A" clients' account typed over, Page Down saves it; "0" quits.
  StartProgram(tmux, screen_dir);
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **", 30)) << tmux.Screen();
  ASSERT_TRUE(tmux.WaitFor("CCASS Participant ID: B01234")) << tmux.Screen();
  tmux.Tmux("send-keys 1");
  ASSERT_TRUE(tmux.WaitFor("(1) SYSTEM SETUP")) << tmux.Screen();
  ASSERT_TRUE(tmux.WaitFor("CCASS A/C for \"A\" CLIENTS   04")) << tmux.Screen();
  tmux.Tmux("send-keys 08 PageDown");
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **")) << tmux.Screen();
  tmux.Tmux("send-keys 0");
  ASSERT_TRUE(tmux.WaitFor("EXIT=0")) << tmux.Screen();
  EXPECT_EQ(ReadFile(screen_dir / "after"), ReadFile(screen_dir / "before"));
  EXPECT_EQ(tmux.Tmux("display -p '#{alternate_on} #{cursor_flag} #{mouse_any_flag}'"), "0 1 0\n");
  EXPECT_EQ(Setting(screen_dir, "CLA_ATI"), "08");

  // "2": the transmission date of the report's day, then Page Down runs the checking.
  fs::copy(screen_dir, batch_dir, fs::copy_options::recursive);
  StartProgram(tmux, screen_dir);
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **", 30)) << tmux.Screen();
  tmux.Tmux("send-keys 2");
  ASSERT_TRUE(tmux.WaitFor("(2) START CHECKING")) << tmux.Screen();
  tmux.Tmux("send-keys Tab Tab Tab Tab Tab Tab Tab 081226 PageDown");
  ASSERT_TRUE(tmux.WaitFor("CCASS STI Upload File STIFILE.TXT is generated !", 60))
      << tmux.Screen();
  const std::string shown = tmux.Screen();
  for (const char* line :
       {"Scanning Report Text File ...", "Reading \"PORTFOLIO MASTER\" ...100%",
        "Determining ZUR ...100%", "Printing \"ZUR STATUS REPORT\" ...",
        "CCASS ZUR Upload File ZURFILE.TXT is generated !", "*** Hit any key to Continue"})
    EXPECT_NE(shown.find(line), std::string::npos) << line << "\n" << shown;
  tmux.Tmux("send-keys x");
  ASSERT_TRUE(tmux.WaitFor("EXIT=0")) << tmux.Screen();

  Shell("cd " + batch_dir.string() + " && " + ZUR_BINARY +
        " check --gen-date 08/12/2026 >out.txt 2>err.txt");
  for (const char* upload : {"ZURFILE.TXT", "STIFILE.TXT"}) {
    EXPECT_FALSE(ReadFile(screen_dir / upload).empty()) << upload;
    EXPECT_EQ(ReadFile(screen_dir / upload), ReadFile(batch_dir / upload)) << upload;
  }
  // The account typed on the setup screen took part: its transfer is in both files alike.
  EXPECT_NE(ReadFile(screen_dir / "ZURFILE.TXT").find("00000008"), std::string::npos);
}

// Shows a screen on the test's output when ZUR_SHOW_SCREENS is set, for reading it.
void ShowScreen(const TmuxServer& tmux) {
  if (std::getenv("ZUR_SHOW_SCREENS")) std::cout << tmux.Screen() << "----\n";
}

TEST(ProgramOnScreen, ThePrinterMenuToThePdfPrinterAndTheConsole) {
  if (!HaveTmux()) GTEST_SKIP() << "tmux is not installed here (scripts/setup installs it)";
  dbf::testing::TempDir work;
  const fs::path dir = work / "broker";
  fs::copy(fs::path(ZUR_SOURCE_DIR) / "examples" / "broker", dir, fs::copy_options::recursive);
  TmuxServer tmux("zur-printers-test");
  StartProgram(tmux, dir);
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **", 30)) << tmux.Screen();

  // "S": the system printer, kept as the default, with the second font.
  tmux.Tmux("send-keys s");
  ASSERT_TRUE(tmux.WaitFor("Your Choice : W     [ ] set as default")) << tmux.Screen();
  ShowScreen(tmux);
  tmux.Tmux("send-keys Tab Space Tab W");
  ASSERT_TRUE(tmux.WaitFor("Please select print font (1-4 ): 1")) << tmux.Screen();
  ShowScreen(tmux);
  tmux.Tmux("send-keys 2 Enter Enter Enter");
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **")) << tmux.Screen();

  // The menu bar's "S. Select Printer", "3. Select PDF Printer": the folder PDFOUT.
  tmux.Tmux("send-keys F10 Left Down Down Enter");
  ASSERT_TRUE(tmux.WaitFor("Folder: PDF")) << tmux.Screen();
  ShowScreen(tmux);
  tmux.Tmux("send-keys Enter");
  ASSERT_TRUE(tmux.WaitFor("PDF folder")) << tmux.Screen();
  tmux.Tmux("send-keys BSpace BSpace BSpace PDFOUT Enter");
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **")) << tmux.Screen();

  // Alt+F8: the console shows the PDF printer's folder; EXIT gives the menu back.
  tmux.Tmux("send-keys M-F8");
  ASSERT_TRUE(tmux.WaitFor("To view / set memvar, SAVE TO xx.XBS")) << tmux.Screen();
  tmux.Tmux("send-keys '? DEF_PDF_PTR' Enter");
  ASSERT_TRUE(tmux.WaitFor("Command: ? DEF_PDF_PTR\nPDFOUT\nCommand:")) << tmux.Screen();
  // Alt+I on the command line: Chinese typed in the input box is kept as Big5.
  tmux.Tmux("send-keys M-i");
  ASSERT_TRUE(tmux.WaitFor("Input Box")) << tmux.Screen();
  tmux.Tmux("send-keys \"NAME = '\u4e2d\u6587'\" Enter Enter");
  tmux.Tmux("send-keys 'SAVE TO NAME.XBS' Enter");
  ASSERT_TRUE(tmux.WaitFor("Command: SAVE TO NAME.XBS\nCommand:")) << tmux.Screen();
  ShowScreen(tmux);
  tmux.Tmux("send-keys EXIT Enter");
  ASSERT_TRUE(tmux.WaitFor("(Windows \u6a19\u6977\u9ad4)")) << tmux.Screen();
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **")) << tmux.Screen();
  tmux.Tmux("send-keys 0");
  ASSERT_TRUE(tmux.WaitFor("EXIT=0")) << tmux.Screen();

  const std::string saved = ReadFile(dir / "ZUR.XBS");
  EXPECT_NE(saved.find("DEF_CUR_PTR C WINDOW_PRINTER\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("DEF_PDF_PTR C PDFOUT\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("WinPtFont C \xbc\xd0\xb7\xa2\xc5\xe9\n"), std::string::npos) << saved;
  EXPECT_NE(ReadFile(dir / "NAME.XBS").find("NAME C \xa4\xa4\xa4\xe5\n"), std::string::npos);

  // The reports of a run to the PDF printer land in that folder.
  Shell("cd " + dir.string() + " && " + ZUR_BINARY + " check --pdf --gen-date 08/12/2026 >out.txt");
  size_t pdfs = 0;
  for (const auto& entry : fs::directory_iterator(dir / "PDFOUT"))
    pdfs += entry.path().extension() == ".pdf" ? 1 : 0;
  EXPECT_EQ(pdfs, 2u) << ReadFile(dir / "out.txt");
}

// A run killed between putting its ZUR and its STI file in place left the ZUR file alone: the
// program's start removes it and says so, before anyone could upload it.
TEST(ProgramOnScreen, ALoneUploadFileOfAKilledRunIsRemovedAtTheStart) {
  if (!HaveTmux()) GTEST_SKIP() << "tmux is not installed here (scripts/setup installs it)";
  dbf::testing::TempDir work;
  const fs::path dir = work / "broker";
  WriteBroker(dir);
  std::ofstream(dir / "ZURFILE.TXT") << "a ZUR file without its STI file\r\n";
  struct stat st {};
  ASSERT_EQ(::stat((dir / "ZURFILE.TXT").c_str(), &st), 0);
  std::ofstream(dir / "ZURPUB.MRK")
      << "ZURPUB 1\n"
      << st.st_dev << " " << st.st_ino << " " << (dir / "ZURFILE.TXT").string() << "\n"
      << st.st_dev << " " << st.st_ino + 1 << " " << (dir / "STIFILE.TXT").string() << "\n";
  TmuxServer tmux("zur-program-test");
  StartProgram(tmux, dir);
  ASSERT_TRUE(tmux.WaitFor("without", 30)) << tmux.Screen();
  EXPECT_FALSE(fs::exists(dir / "ZURFILE.TXT"));
  EXPECT_FALSE(fs::exists(dir / "ZURPUB.MRK"));
  tmux.Tmux("send-keys Enter");
  ASSERT_TRUE(tmux.WaitFor("** MAIN  MENU **")) << tmux.Screen();
  tmux.Tmux("send-keys 0");
  ASSERT_TRUE(tmux.WaitFor("EXIT=0")) << tmux.Screen();
}

}  // namespace
}  // namespace zur::mainwindow

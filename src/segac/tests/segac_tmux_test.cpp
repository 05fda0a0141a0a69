// The segregated account maintenance in the program itself, in a real terminal, on a scratch
// copy of the sample broker: a search, an amend with the duplicate warning, a filter by a
// Chinese name typed on the terminal, the lookup list, Exit, and the report as a PDF.
// With ZUR_SHOW_SCREENS naming a folder, the screens seen and the PDF are copied there.

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "lib/text/trim_pad.h"
#include "platform/big5/big5_text.h"
#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"
#include "platform/term/tests/tmux_server.h"

namespace zur::segac {
namespace {

namespace fs = std::filesystem;
using term::testing::HaveTmux;
using term::testing::Shell;
using term::testing::TmuxServer;

std::string Stored(const fs::path& file, std::string_view acct) {
  auto t = dbf::Table::Open(file, dbf::Share::kShared, dbf::Access::kReadOnly);
  for (t->GoTop(); !t->Eof(); t->Skip())
    if (text::RTrim(t->Get("LACCT").str()) == acct)
      return std::string(text::RTrim(t->Get("LSEGAC").str()));
  return "<none>";
}

class Session {
 public:
  explicit Session(const fs::path& dir) : tmux_("zur-segac-test") {
    const std::string script =
        "cd " + dir.string() + " && " + ZUR_BINARY + "; echo EXIT=$?; sleep 600";
    tmux_.Tmux("-u new-session -d -s zur -x 100 -y 30 \"sh -c '" + script + "'\"");
    tmux_.Tmux("set -g escape-time 0");
  }
  // Types `keys` (tmux key names), then waits for `shown`; the screen is kept.
  bool Keys(const std::string& keys, const std::string& shown) {
    if (!keys.empty()) tmux_.Tmux("send-keys " + keys);
    const bool seen = tmux_.WaitFor(shown, 30);
    screens_ += "----- after " + keys + "\n" + tmux_.Screen();
    return seen;
  }
  // Text typed as it is (Chinese in UTF-8).
  void Text(const std::string& utf8) { tmux_.Tmux("send-keys -l '" + utf8 + "'"); }
  std::string Screen() const { return tmux_.Screen(); }
  const std::string& screens() const { return screens_; }

 private:
  TmuxServer tmux_;
  std::string screens_;
};

TEST(SegregatedAccountsOnScreen, SearchAmendFilterListAndTheReportAsPdf) {
  if (!HaveTmux()) GTEST_SKIP() << "tmux is not installed here (scripts/setup installs it)";
  dbf::testing::TempDir work;
  const fs::path dir = work / "broker";
  fs::copy(fs::path(ZUR_SOURCE_DIR) / "examples" / "broker", dir, fs::copy_options::recursive);
  std::ofstream(dir / "ZUR.XBS", std::ios::app) << "PRINT_PDF L T\n";  // reports as PDF files
  const fs::path clients = dir / "OBX" / "CLMAST.DBF";
  Session s(dir);

  ASSERT_TRUE(s.Keys("", "** MAIN  MENU **")) << s.Screen();
  ASSERT_TRUE(s.Keys("3", "CLIENT MASTER DIRECTORY :")) << s.Screen();
  ASSERT_TRUE(s.Keys("PageDown", "CLIENT A/C NO : A001")) << s.Screen();
  // Search by name: the account entry cleared, the segregated account blank, "NG".
  ASSERT_TRUE(s.Keys("S", "1st SEARCH KEY:")) << s.Screen();
  ASSERT_TRUE(s.Keys("Space Enter Enter N G Enter", "CLIENT A/C NO : M002")) << s.Screen();
  ASSERT_TRUE(s.Keys("", "吳美玲")) << s.Screen();
  // Amend M002 from 22 to 21, which C003 holds: the warning, confirmed.
  ASSERT_TRUE(s.Keys("A 2 1 Enter", "WARNING: The Segregated A/C Code is used by another client !"))
      << s.Screen();
  ASSERT_TRUE(s.Keys("Y", "CCASS SEGREGATED A/C : 21")) << s.Screen();
  // Filter by a Chinese name typed on the terminal (its characters end in "]" in Big5).
  ASSERT_TRUE(s.Keys("F", "CLIENT A/C NO :M002")) << s.Screen();
  s.Keys("Space Enter", "");
  s.Text("孫");
  ASSERT_TRUE(s.Keys("Enter Space Enter", "FILTER ON")) << s.Screen();
  ASSERT_TRUE(s.Keys("", "CLIENT A/C NO : P003")) << s.Screen();
  ASSERT_TRUE(s.Keys("", "CLIENT NAME : 孫美珠")) << s.Screen();
  // The lookup list under the filter; the client chosen by its letter.
  ASSERT_TRUE(s.Keys("L", "Segregated A/C Lookup Table")) << s.Screen();
  ASSERT_TRUE(s.Keys("", "1. P003       孫美珠")) << s.Screen();
  ASSERT_TRUE(s.Keys("1", "CLIENT NAME : 孫美珠")) << s.Screen();
  // The filter off again (every entry blank), Exit, the report in account order as a PDF.
  ASSERT_TRUE(s.Keys("F Space Enter Space Enter Space Enter", "Amend")) << s.Screen();
  ASSERT_TRUE(s.Keys("E", "TO PRINT \"CLIENT SEGREGATED A/C REPORT (Y/N)")) << s.Screen();
  ASSERT_TRUE(s.Keys("Y", "1. REPORT by CLIENT A/C NO sequence")) << s.Screen();
  ASSERT_TRUE(s.Keys("1", "is in the PDF file")) << s.Screen();
  ASSERT_TRUE(s.Keys("Enter", "** MAIN  MENU **")) << s.Screen();
  ASSERT_TRUE(s.Keys("0", "EXIT=0")) << s.Screen();

  EXPECT_EQ(Stored(clients, "M002"), "21");
  EXPECT_EQ(Stored(clients, "C003"), "21");
  std::vector<fs::path> pdfs;
  for (const auto& e : fs::directory_iterator(dir / "PDF")) pdfs.push_back(e.path());
  ASSERT_EQ(pdfs.size(), 1u);
  // The text of the PDF with each run of blanks as one: the extraction guesses the blanks of
  // a line from where its words stand.
  std::string text = Shell("pdftotext -layout '" + pdfs[0].string() + "' -");
  text.erase(
      std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
      text.end());
  if (text.find("not found") == std::string::npos) {  // pdftotext is there
    for (const char* line :
         {"CLIENT SEGREGATED A/C REPORT", "C003 CHEUNG HOLDINGS LTD 21", "張氏控股有限公司",
          "M002 NG MEI LING 21", "吳美玲", "** END OF REPORT **"})
      EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_EQ(text.find("A001"), std::string::npos) << text;
  }
  if (const char* keep = std::getenv("ZUR_SHOW_SCREENS")) {
    std::ofstream(fs::path(keep) / "segac_screens.txt") << s.screens();
    fs::copy_file(pdfs[0], fs::path(keep) / "segac_report.pdf",
                  fs::copy_options::overwrite_existing);
  }
}

}  // namespace
}  // namespace zur::segac

#include "screens/start_checking.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/expr/date_text.h"
#include "platform/term/inkey_codes.h"
#include "screens/tests/screens_fixture.h"

namespace zur::screens {
namespace {

namespace fs = std::filesystem;
using term::KeyId;

// The eight fields that keep their values between visits.
constexpr const char* kKeptFields[] = {"STK_FILE", "SB_DIR",   "SBF_DIR", "CL_DIR",
                                       "ATI_TEXT", "STI_TEXT", "OWN_REF", "GEN_DATE"};

class StartCheckingTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    vars = VarStore();
    vars.Set("STK_FILE", Padded("/srv/ccass/20140707", 60));
    vars.Set("SB_DIR", Padded("/srv/OBX/DATA", 30));
    vars.Set("SBF_DIR", Padded("", 30));
    vars.Set("CL_DIR", Padded("", 30));
    vars.Set("ATI_TEXT", Padded("ATIFILE.TXT", 30));
    vars.Set("STI_TEXT", Padded("STIFILE.TXT", 30));
    vars.Set("OWN_REF", Padded("REF1", 15));
    vars.Set("GEN_DATE", *Date::FromYmd(2014, 7, 7));
    vars.Set("CUR_PTR", "WINDOW_PRINTER");
    vars.Set("PRINT_NAME", "LPT1");
    vars.Set("CUR_PATH", fs::current_path().string());
  }
  bool Run() { return StartChecking(screen, vars); }
  void ClickBrowse() { ClickCell(7, 78); }
  void ClickProcess() { ClickCell(23, 4); }
  void ClickCancel() { ClickCell(23, 27); }
};

TEST_F(StartCheckingTest, LabelsFieldsAndButtons) {
  vars.Set("CUR_PTR", "EPSON");
  Press(KeyId::kEsc);
  EXPECT_FALSE(Run());
  EXPECT_EQ(FirstRow(3).substr((80 - 18) / 2 + 1), "(2) START CHECKING");
  EXPECT_EQ(FirstRow(7), "          CCASS STOCK REPORT NAME : /srv/ccass/20140707" +
                             std::string(22, ' ') + "Browse");
  EXPECT_EQ(FirstRow(10), "        (Applicable for Finance Handling Only)");
  EXPECT_EQ(FirstRow(16).substr(10), "      TRANSMISSION DATE : 07/07/14   (dd/mm/yy)");
  EXPECT_EQ(FirstRow(17).substr(5), "ZUR Upload File in CCASS/3 Format, Please specify File No:1");
  EXPECT_EQ(FirstRow(23), "  Process   Print to PDF [Cancel]");
  // Without a Windows printer, Print to PDF is greyed out.
  EXPECT_EQ(FirstAttr(23, 14), term::Theme().disabled);
  EXPECT_NE(FirstAttr(23, 3), term::Theme().disabled);
}

TEST_F(StartCheckingTest, ButtonsConfirmOrCancel) {
  enum Act { kTabFromBrowseAndEnter, kProcess, kPageDown, kCancel };
  const struct {
    const char* printer;
    Act act;
    bool confirmed;
    bool print_pdf;
  } cases[] = {
      // Tab from Browse goes to Print to PDF, or past it to Cancel when it is greyed out.
      {"WINDOW_PRINTER", kTabFromBrowseAndEnter, true, true},
      {"EPSON", kTabFromBrowseAndEnter, false, false},
      {"EPSON", kProcess, true, false},
      {"WINDOW_PRINTER", kPageDown, true, false},
      {"WINDOW_PRINTER", kCancel, false, false},
  };
  for (const auto& c : cases) {
    SetUp();
    vars.Set("CUR_PTR", c.printer);
    vars.Set("PRINT_PDF", true);
    switch (c.act) {
      case kTabFromBrowseAndEnter:
        ClickBrowse();
        Press(KeyId::kEsc);  // the file dialog
        Press(KeyId::kTab);
        Press(KeyId::kEnter);
        break;
      case kProcess:
        ClickProcess();
        break;
      case kPageDown:
        Press(KeyId::kPgDn);
        break;
      case kCancel:
        ClickCancel();
        break;
    }
    EXPECT_EQ(Run(), c.confirmed) << c.printer << " " << c.act;
    EXPECT_EQ(vars.Get("PRINT_PDF").logical(), c.print_pdf) << c.printer << " " << c.act;
    EXPECT_EQ(vars.Get("CCASS_DIR").str(), "");
  }
}

// A printer chosen through the hot key while the screen is open counts at once: Print to PDF
// is offered as soon as the printer is a Windows printer, and greyed out again when it is not.
TEST_F(StartCheckingTest, PrinterChosenByTheHotKeyDecidesPrintToPdf) {
  for (const char* chosen : {"WINDOW_PRINTER", "EPSON"}) {
    SetUp();
    vars.Set("CUR_PTR", std::string(chosen) == "EPSON" ? "WINDOW_PRINTER" : "EPSON");
    vars.Set("PRINT_PDF", false);
    screen.hot_keys().Set(term::inkey::kAltP, [this, chosen] { vars.Set("CUR_PTR", chosen); });
    backend.Press(term::Key::Char('p', term::kAlt));
    ClickBrowse();
    Press(KeyId::kEsc);  // the file dialog
    Press(KeyId::kTab);  // to Print to PDF, or past it to Cancel
    Press(KeyId::kEnter);
    const bool windows = std::string(chosen) == "WINDOW_PRINTER";
    EXPECT_EQ(Run(), windows) << chosen;
    EXPECT_EQ(vars.Get("PRINT_PDF").logical(), windows) << chosen;
    EXPECT_FALSE(screen.after_hot_key) << "left behind by the screen";
  }
}

TEST_F(StartCheckingTest, CancelAfterEditingEveryFieldPutsAllTenBack) {
  const VarStore before = vars;
  backend.Type("/tmp/other");
  for (const char* typed : {"/x/OBX", "/fin", "/cl", "Z.TXT", "S.TXT", "R9", "010814", "3"}) {
    Press(KeyId::kTab);
    backend.Type(typed);
  }
  Press(KeyId::kTab);
  backend.Type("4");
  ClickCancel();
  EXPECT_FALSE(Run());
  for (const char* name : kKeptFields) EXPECT_EQ(vars.Get(name), before.Get(name)) << name;
  EXPECT_EQ(vars.Get("ATI_FILENO").num(), 1);
  EXPECT_EQ(vars.Get("STI_FILENO").num(), 1);
}

TEST_F(StartCheckingTest, SecondVisitShowsFileNumberOneAndTheConfirmedValues) {
  backend.Type("/srv/ccass/20140708");
  Press(KeyId::kTab, 8);
  backend.Type("7");
  Press(KeyId::kTab);
  backend.Type("x");
  Press(KeyId::kPgDn);
  ASSERT_TRUE(Run());
  EXPECT_EQ(vars.Get("STK_FILE").str(), Padded("/srv/ccass/20140708", 60));
  EXPECT_EQ(vars.Get("ATI_FILENO").num(), 7);
  EXPECT_EQ(vars.Get("STI_FILENO").num(), 0);

  SetUp();
  vars.Set("STK_FILE", Padded("/srv/ccass/20140708", 60));
  vars.Set("ATI_FILENO", 7);
  Press(KeyId::kEsc);
  EXPECT_FALSE(Run());
  EXPECT_EQ(FirstRow(7).substr(36, 19), "/srv/ccass/20140708");
  EXPECT_EQ(FirstRow(17).substr(63), "1");
  EXPECT_EQ(vars.Get("ATI_FILENO").num(), 1);
}

TEST_F(StartCheckingTest, FieldChecks) {
  const struct {
    int tabs;
    const char* typed;
    const char* message;  // empty: accepted
  } cases[] = {
      {1, "/data/obx", "ERROR: \"OBX DATA DIRECTORY\" Should contain OBX !"},
      {7, "310226", "ERROR: Invalid Date"},
      {7, "7/7/14", "ERROR: Invalid Date"},
      {7, "311226", ""},
      {7, "31122026", ""},
  };
  for (const auto& c : cases) {
    SetUp();
    Press(KeyId::kTab, c.tabs);
    backend.Type(c.typed);
    Press(KeyId::kTab);
    if (*c.message != 0) {
      Press(KeyId::kEnter);  // the message box
      Press(KeyId::kEsc);
      EXPECT_FALSE(Run()) << c.typed;
      EXPECT_EQ(WaitsShowing(c.message), 1) << c.typed;
    } else {
      Press(KeyId::kPgDn);
      EXPECT_TRUE(Run()) << c.typed;
      EXPECT_EQ(LastRow(16).substr(36, 8), "31/12/26") << c.typed;
      EXPECT_EQ(vars.Get("GEN_DATE").date(), *Date::FromYmd(2026, 12, 31)) << c.typed;
    }
  }
}

class BrowseTest : public StartCheckingTest {
 protected:
  void SetUp() override {
    StartCheckingTest::SetUp();
    folder_ = ScratchDir("zur-browse");
    std::ofstream(folder_ / "20140707") << "report";
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(vars.Get("CUR_PATH").str());
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST_F(BrowseTest, ChosenFileIsTheReportAndTheStartDirectoryComesBack) {
  const std::string start = vars.Get("CUR_PATH").str();
  ClickBrowse();
  Press(KeyId::kEnter);  // the dialog starts on the first file
  Press(KeyId::kPgDn);
  EXPECT_TRUE(Run());
  EXPECT_EQ(vars.Get("STK_FILE").str(), Padded((folder_ / "20140707").string(), 60));
  EXPECT_EQ(fs::current_path().string(), start);
}

TEST_F(BrowseTest, CancelledDialogLeavesTheFieldAsTyped) {
  backend.Type("/srv/typed");
  ClickBrowse();
  Press(KeyId::kEsc);  // the dialog
  Press(KeyId::kPgDn);
  EXPECT_TRUE(Run());
  EXPECT_EQ(vars.Get("STK_FILE").str(), Padded("/srv/typed", 60));
}

}  // namespace
}  // namespace zur::screens

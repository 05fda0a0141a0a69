#include "segac/segregated_accounts.h"

#include <gtest/gtest.h>

#include <fstream>

#include "segac/tests/segac_fixture.h"
#include "segac/tests/segac_screen_fixture.h"

namespace zur::segac {
namespace {

using term::KeyId;

class SegregatedAccounts : public testing::SegacScreenTest {};

// The back office's directory from the settings (no client master directory: the client
// master is in it), the first client, Previous from the first to the last, Next from the last
// to the first. Chinese names show as they are.
TEST_F(SegregatedAccounts, OpensOnTheFirstClientAndGoesRoundTheEnds) {
  Keys({KeyId::kPgDn});
  Type("PNN");
  Keys({KeyId::kEsc, KeyId::kEsc});
  Run();
  EXPECT_EQ(ShownAtTheBar(), (std::vector<std::string>{"A001", "P003", "A001", "A002"}));
  const std::string& last = pictures()[2];
  EXPECT_NE(RowOf(last, 3).find("(3) SETUP SEGREGATED A/C"), std::string::npos) << last;
  EXPECT_EQ(RowOf(last, 7), "              CLIENT A/C NO : P003");
  EXPECT_EQ(RowOf(last, 9), "                CLIENT NAME : 孫美珠");
  EXPECT_EQ(RowOf(last, 10).substr(30), "SUEN MEI CHU");
  EXPECT_EQ(RowOf(last, 12), "       CCASS SEGREGATED A/C :");
  // The directories went back into the settings record; the table is closed again.
  EXPECT_EQ(areas.Find("CL"), nullptr);
  EXPECT_EQ(std::string(text::RTrim(areas.Find("SYS")->Get("SBPATH").str())), "OBX");
}

// Missing or damaged files end the dialogue with a message.
TEST_F(SegregatedAccounts, MissingOrDamagedFilesEndTheDialogue) {
  const struct {
    const char* file;   // under the database directory
    const char* bytes;  // written into it; null: the file is removed
    const char* cl_dir;
    const char* message;
  } cases[] = {
      {"OBX/SB.XBS", nullptr, "", "ERROR: MESSAGE FILE NOT FOUND IN OBX/ !  PLEASE RE-TRY !"},
      {"OBX/CLMAST.DBF", nullptr, "", "ERROR: CLIENT MASTER NOT FOUND IN OBX/ !  PLEASE RE-TRY !"},
      {"", nullptr, "NOWHERE", "ERROR: CLIENT MASTER NOT FOUND IN NOWHERE/ !  PLEASE RE-TRY !"},
      {"OBX/CLMAST.DBF", "not a table", "", "ERROR: Cannot Open Client Master"},
      {"OBX/SB.XBS", "XBSMEM 1\nCO_NAME X", "", "SB.XBS: line 2"},
  };
  for (const auto& c : cases) {
    SetUp();
    if (*c.file != 0 && c.bytes == nullptr) std::filesystem::remove(dir / c.file);
    if (c.bytes != nullptr) std::ofstream(dir / c.file, std::ios::trunc) << c.bytes;
    vars.Set("CL_DIR", Padded(c.cl_dir, 30));
    Keys({KeyId::kPgDn, KeyId::kEnter});
    Run();
    EXPECT_EQ(WaitsShowing(c.message), 1) << c.message << "\n" << LastPicture();
    EXPECT_EQ(WaitsShowing(" Amend "), 0) << c.message;
    EXPECT_EQ(backend.pending(), 0u) << c.message;
  }
}

// A name alone filters on the names (a Chinese one whose characters end in "]"); a filter
// that matches nothing says so and leaves no filter in force.
TEST_F(SegregatedAccounts, FilterByAChineseNameThenOneThatMatchesNothing) {
  Keys({KeyId::kPgDn});
  Type("F");
  Type(" ");  // the account entry cleared
  Keys({KeyId::kEnter});
  Type("孫");
  Keys({KeyId::kEnter, KeyId::kEnter});
  Type("NF ");
  Keys({KeyId::kEnter});
  Type("NOBODY");
  Keys({KeyId::kEnter, KeyId::kEnter});
  Keys({KeyId::kEnter});  // the message's key
  Keys({KeyId::kEsc, KeyId::kEsc});
  Run();
  EXPECT_EQ(ShownAtTheBar(), (std::vector<std::string>{"A001", "P003", "P003", "P003"}));
  std::vector<std::string> row5;
  for (const std::string& p : AtTheBar()) row5.push_back(RowOf(p, 5));
  EXPECT_EQ(row5, (std::vector<std::string>{"", "FILTER ON", "FILTER ON", ""}));
  EXPECT_EQ(WaitsShowing("NO RECORD FOUND !"), 1);
}

// The search for another client of the account looks at every client, also those a filter
// hides.
TEST_F(SegregatedAccounts, AmendWarnsOfAnAccountAnotherClientHolds) {
  const struct {
    const char* client;  // amended: the first (A001) or C003, four clients on
    const char* typed;
    const char* answer;  // to the warning; "" for no warning
    const char* stored;
    bool filtered = false;  // a filter on the client amended in force
  } cases[] = {
      {"A001", "21", "\r", ""},         // held by C003; above "10": no default, not confirmed
      {"A001", "21", "Y", "21"},        // confirmed
      {"A001", "21", "Y", "21", true},  // C003, which holds it, is behind the filter
      {"A001", "05", "\r", "05"},       // held by C001; "10" or below: confirmed by default
      {"A001", "07", "", "07"},         // held by nobody
      {"C003", "21", "", "21"},         // its own account: no search, no warning
      {"C003", "  ", "", ""},           // cleared
  };
  for (const auto& c : cases) {
    SetUp();
    Store("C001", "LSEGAC", "05");
    Keys({KeyId::kPgDn});
    if (c.filtered) Type("F\r\r\r");  // the account and name of the first client
    if (std::string_view(c.client) == "C003") Type("NNNN");
    Type("A");
    Type(c.typed);
    Keys({KeyId::kEnter});
    Type(c.answer);
    Keys({KeyId::kEsc, KeyId::kEsc});
    Run();
    const int warned = WaitsShowing("WARNING: The Segregated A/C Code is used by another client !");
    EXPECT_EQ(warned, *c.answer != 0 ? 1 : 0) << c.client << " " << c.typed << c.filtered;
    EXPECT_EQ(Stored(c.client, "LSEGAC"), c.stored) << c.client << " " << c.typed << c.answer;
    EXPECT_EQ(backend.pending(), 0u) << c.client << " " << c.typed;
    if (c.filtered) {
      EXPECT_EQ(RowOf(AtTheBar().back(), 5), "FILTER ON");
    }
  }
}

// The first key given wins (the account entry cleared, the name searched in the name order);
// a key that is not there says so and the record stays.
TEST_F(SegregatedAccounts, SearchByTheFirstKeyGiven) {
  Keys({KeyId::kPgDn});
  Type("S ");
  Keys({KeyId::kEnter, KeyId::kEnter});
  Type("ng");
  Keys({KeyId::kEnter});
  Type("SZ999");
  Keys({KeyId::kEnter, KeyId::kEnter, KeyId::kEnter, KeyId::kEnter});
  Keys({KeyId::kEsc, KeyId::kEsc});
  Run();
  EXPECT_EQ(ShownAtTheBar(), (std::vector<std::string>{"A001", "M002", "M002"}));
  EXPECT_EQ(WaitsShowing("SEARCH KEY NOT FOUND -- Z999"), 1);
}

// Pages of 17 from the current client; Next goes on from the last client listed, and from
// the end of the file shows the last 17; Previous goes back 34; a letter chooses.
TEST_F(SegregatedAccounts, LookupListPagesAndChooses) {
  std::vector<std::string> accounts;
  for (int i = 0; i < 30; ++i) accounts.push_back("C" + std::to_string(100 + i));
  std::vector<testing::Client> clients;
  for (const std::string& a : accounts) clients.push_back({a.c_str(), "CLIENT", "", ""});
  testing::WriteClients(ClientMaster(), clients);
  Keys({KeyId::kPgDn});
  Type("LNNP3");
  Keys({KeyId::kEsc, KeyId::kEsc});
  Run();
  std::vector<std::string> firsts;
  for (const std::string& p : pictures()) {
    if (RowOf(p, 1).find(" Segregated A/C Lookup Table ") == std::string::npos) continue;
    firsts.push_back(RowOf(p, 3).substr(0, 9));
    EXPECT_EQ(RowOf(p, 2), "    Client A/C No & Name                   Segregated A/C");
  }
  EXPECT_EQ(firsts, (std::vector<std::string>{" 1. C100 ", " 1. C116 ", " 1. C113 ", " 1. C100 "}));
  EXPECT_EQ(RowOf(pictures()[2], 19).substr(0, 9), " H. C116 ");
  EXPECT_EQ(pictures()[2].find("** End of File **"), std::string::npos);
  EXPECT_NE(pictures()[3].find("** End of File **"), std::string::npos);
  EXPECT_EQ(ShownAtTheBar(), (std::vector<std::string>{"C100", "C102"}));
}

// A client master without its segregated account field gets it, unless another user has the
// table open: then it is left as it is and the operator is told.
TEST_F(SegregatedAccounts, FieldAddedOnlyWithExclusiveUse) {
  for (const bool other_user : {false, true}) {
    SetUp();
    testing::WriteClients(ClientMaster(), {{"A001", "CHAN TAI MAN", "", ""}}, false);
    std::unique_ptr<dbf::Table> held;
    if (other_user) held = dbf::Table::Open(ClientMaster(), dbf::Share::kShared);
    if (other_user) {
      Keys({KeyId::kPgDn, KeyId::kEnter});  // the message box
    } else {
      Keys({KeyId::kPgDn, KeyId::kEsc, KeyId::kEsc});
    }
    Run();
    held.reset();
    auto t = dbf::Table::Open(ClientMaster(), dbf::Share::kShared, dbf::Access::kReadOnly);
    EXPECT_EQ(t->FieldIndex("LSEGAC") >= 0, !other_user) << other_user;
    EXPECT_EQ(WaitsShowing("is in use by another"), other_user ? 1 : 0) << LastPicture();
    EXPECT_EQ(ShownAtTheBar().size(), other_user ? 0u : 1u);
    EXPECT_EQ(console_lines.str().find("Converting") != std::string::npos, !other_user);
    console_lines.str("");
  }
}

// After Exit the report in the order chosen, to the line printer's file or to the PDF
// printer; Chinese names as the client master holds them.
TEST_F(SegregatedAccounts, ReportAfterExit) {
  // Line printer: segregated account order.
  Keys({KeyId::kPgDn});
  Type("EY2");
  Run();
  const std::string printed = FileBytes(dir / "REPORT.PRN");
  EXPECT_NE(printed.find("CLIENT SEGREGATED A/C REPORT"), std::string::npos) << printed;
  EXPECT_LT(printed.find("C003"), printed.find("M002"));
  EXPECT_NE(printed.find(big5::Utf8ToBig5("吳美玲")), std::string::npos);
  EXPECT_EQ(printed.find("A001"), std::string::npos);

  // The PDF printer: a PDF, no report file left in the audit folder.
  SetUp();
  vars.Set("CUR_PTR", "WINDOW_PRINTER");
  vars.Set("PRINT_NAME", "LPT1");
  vars.Set("PRINT_PDF", true);
  vars.Set("WinPtPort", (dir / "printer.rpt").string());  // the start-up's own file
  Keys({KeyId::kPgDn});
  Type("EY1");
  Keys({KeyId::kEnter});
  Run();
  EXPECT_EQ(WaitsShowing("\"CLIENT SEGREGATED A/C REPORT\" is in the PDF file"), 1)
      << LastPicture();
  size_t pdfs = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir / "PDF"))
    pdfs += e.path().extension() == ".pdf";
  EXPECT_EQ(pdfs, 1u);
  for (const auto& e : std::filesystem::directory_iterator(dir / "SBAUDIT"))
    EXPECT_NE(e.path().extension(), ".RPT") << e.path();
}

}  // namespace
}  // namespace zur::segac

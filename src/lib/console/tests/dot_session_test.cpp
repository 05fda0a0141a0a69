#include "lib/console/dot_session.h"

#include <gtest/gtest.h>

#include "platform/vars/tests/mem_file_builder.h"
#include "platform/vars/tests/temp_dir.h"

namespace zur::console {
namespace {

using zur::testing::MemFileBuilder;
using zur::testing::ReadBytes;
using zur::testing::TempDir;
using zur::testing::WriteBytes;

class RecordedOutput : public DotOutput {
 public:
  void Line(std::string_view text) override { lines += std::string(text) + "\n"; }
  void ClearScreen() override { lines += "<clear>\n"; }
  void WaitKey() override { lines += "<key>\n"; }
  std::string lines;
};

class DotSessionTest : public ::testing::Test {
 protected:
  DotSessionTest() {
    vars.Set("PART_ID", "B01234");
    vars.Set("STKNO_LEN", 5);
    vars.Set("TRAN_DATE", *Date::FromYmd(2026, 12, 8));
    vars.Set("WIN_GUI", true);
    vars.Set("ACCOUNTS", Value::NewArray({Value("01"), Value(2), Value(false)}));
    expr::FunctionTable* table = &functions;
    table->Register("SWPRUNCMD", [this](std::span<Value>, expr::Context&, std::string&) {
      ++shells;
      return Value(true);
    });
  }
  // The lines the commands wrote.
  std::string Run(std::initializer_list<std::string_view> commands) {
    output.lines.clear();
    for (std::string_view c : commands) last = session.Execute(c);
    return output.lines;
  }

  VarStore vars;
  expr::FunctionTable functions;
  int closes = 0;
  int shells = 0;
  RecordedOutput output;
  DotSession session{DotEnvironment{&vars, nullptr, &functions, [this] { ++closes; }}, output};
  DotAction last = DotAction::kContinue;
};

TEST_F(DotSessionTest, ShowsVariables) {
  const struct {
    const char* command;
    const char* shown;
  } cases[] = {
      {"? PART_ID", "B01234"},
      {"? part_id", "B01234"},
      {"? STKNO_LEN", "5"},
      {"? TRAN_DATE", "08/12/2026"},
      {"? WIN_GUI", ".T."},
      {"? ACCOUNTS", "{\"01\", 2, .F.}"},
      {"?   PART_ID  ", "B01234"},
      {"? NOSUCH", "Variable does not exist !"},
      {"?PART_ID", "Unknown command !"},
      {"HELLO", "Unknown command !"},
  };
  for (const auto& c : cases) EXPECT_EQ(Run({c.command}), std::string(c.shown) + "\n") << c.command;
}

TEST_F(DotSessionTest, AssignsWhatAnExpressionGives) {
  EXPECT_EQ(Run({"X = STKNO_LEN * 2 + 1", "? X"}), "11\n");
  // Texts keep the letter case typed.
  EXPECT_EQ(Run({"cPath = '/home/op/' + \"Pdf\"", "? CPATH"}), "/home/op/Pdf\n");
  EXPECT_NE(Run({"Y = 1 +"}).find("of: 1 +"), std::string::npos);  // the error names the text
  EXPECT_FALSE(vars.Exists("Y"));
  EXPECT_EQ(Run({"A B = 1"}), "Unknown command !\n");
  // No shell from here, whatever the program's routines are.
  EXPECT_NE(Run({"Z = SWPRUNCMD('touch x')"}).find("the developer console runs no shell"),
            std::string::npos);
  EXPECT_NE(Run({"Z = OVERLAY('')"}).find("the developer console runs no shell"),
            std::string::npos);
  EXPECT_EQ(shells, 0);
}

TEST_F(DotSessionTest, LeavingAndQuitting) {
  const struct {
    const char* command;
    DotAction action;
  } cases[] = {
      {"EXIT", DotAction::kLeave},   {"exit", DotAction::kLeave}, {"RETU", DotAction::kLeave},
      {"return", DotAction::kLeave}, {"QUIT", DotAction::kQuit},  {"QUITE", DotAction::kContinue},
  };
  for (const auto& c : cases) {
    Run({c.command});
    EXPECT_EQ(last, c.action) << c.command;
  }
}

TEST_F(DotSessionTest, SaveRestoreReleaseAndClear) {
  TempDir dir;
  const std::string file = dir.File("SNAP.XBS");
  EXPECT_EQ(Run({"SAVE TO " + file}), "");
  EXPECT_NE(ReadBytes(file).find("PART_ID C B01234\n"), std::string::npos);

  // Made here: released by RELE ALL; the program's own stay.
  EXPECT_EQ(Run({"NEWVAR = 1", "PART_ID = 'B09999'", "RELE ALL", "? NEWVAR", "? PART_ID"}),
            "Variable does not exist !\nB09999\n");
  EXPECT_EQ(Run({"RELEASE STKNO_LEN", "? STKNO_LEN"}), "Variable does not exist !\n");

  // Restoring adds to the variables, or replaces them.
  EXPECT_EQ(
      Run({"EXTRA = 7", "rest from " + dir.File("snap.xbs") + " additive", "? PART_ID", "? EXTRA"}),
      "B01234\n7\n");
  EXPECT_EQ(Run({"REST FROM " + file, "? EXTRA", "? STKNO_LEN"}), "Variable does not exist !\n5\n");
  EXPECT_EQ(Run({"REST FROM " + dir.File("none.XBS")}),
            "Cannot find file " + dir.File("none.XBS") + "\n");

  EXPECT_EQ(Run({"CLEA SCRE"}), "<clear>\n");
  EXPECT_EQ(vars.size(), 5u);
  EXPECT_EQ(Run({"CLEAR MEMORY", "? PART_ID"}), "Variable does not exist !\n");
  EXPECT_EQ(closes, 0);
  Run({"X = 1", "CLEA ALL"});
  EXPECT_EQ(vars.size(), 0u);
  EXPECT_EQ(closes, 1);
}

TEST_F(DotSessionTest, Mem2XbsConvertsWithoutTouchingTheProgramsVariables) {
  TempDir dir;
  const std::string in = dir.File("OLD.MEM");
  WriteBytes(in, MemFileBuilder().Text("CO_NAME", "SAMPLE").Number("RATE", 2).End().bytes());
  vars.Set("COLOR_SET", "W+/B,N/W");
  EXPECT_EQ(Run({"R = MEM2XBS(\"" + in + "\")"}),
            "Reading .MEM file " + in + "\n2 variables saved to " + dir.File("OLD.XBS") + "\n");
  EXPECT_EQ(ReadBytes(dir.File("OLD.XBS")),
            "XBSMEM 1\nCOLOR_SET C N+/W,W+/G\nCO_NAME C SAMPLE\nRATE N 2\n"
            "TXT_VIEWER C TEXTVIEW.EXE\n");
  EXPECT_EQ(vars.Get("COLOR_SET").str(), "W+/B,N/W");
  EXPECT_FALSE(vars.Exists("CO_NAME"));

  EXPECT_EQ(Run({"R = MEM2XBS('" + dir.File("none.MEM") + "')"}),
            "error: cannot find file " + dir.File("none.MEM") + "\n");
  EXPECT_NE(Run({"R = MEM2XBS(1)"}).find("MEM2XBS: argument 1 must be a text"), std::string::npos);
}

}  // namespace
}  // namespace zur::console

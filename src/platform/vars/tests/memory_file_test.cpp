#include "platform/vars/memory_file.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "platform/vars/tests/temp_dir.h"

namespace zur {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

Date Ymd(int y, int m, int d) {
  return *Date::FromYmd(y, m, d);
}

VarStore SaveAndRestore(const VarStore& vars) {
  TempDir dir;
  const std::string path = dir.File("ZUR.XBS");
  const MemoryFileResult saved = SaveMemoryFile(path, vars);
  EXPECT_TRUE(saved.ok()) << saved.error;
  VarStore back;
  const MemoryFileResult restored = RestoreMemoryFile(path, back, RestoreMode::kReplace);
  EXPECT_TRUE(restored.ok()) << restored.error;
  EXPECT_EQ(restored.count, saved.count);
  return back;
}

std::string Format(const VarStore& vars, const VarSelection& sel = VarSelection::All()) {
  return FormatMemoryFile(vars, sel);
}

TEST(MemoryFile, RoundTripKeepsEveryKindOfValue) {
  VarStore vars;
  vars.Set("CO_NAME", Value("\xA4\xA4\xB0\xEA\xAA\xD1\xA5\xF7  "));  // Big5, trailing blanks
  vars.Set("Escapes", Value(std::string("a\\b\\n\n\r\t\x01\x1F\x7F\0z\\", 14)));
  vars.Set("EMPTY", Value(""));
  vars.Set("BLANKS", Value("   "));
  vars.Set("HASH", Value("# not a comment"));
  const double numbers[] = {0,      -0.0,    -12.5,    0.1,      1e20,
                            1e-300, DBL_MAX, -DBL_MIN, 4.9e-324, 123456789012345678.0,
                            1.0 / 3};
  Array nums;
  for (double d : numbers) nums.push_back(Value(d));
  vars.Set("NUMS", Value::NewArray(nums));
  vars.Set("D_BLANK", Value(Date()));
  vars.Set("D_2010", Value(Ymd(2010, 1, 1)));
  vars.Set("D_FIRST", Value(Ymd(1, 1, 1)));
  vars.Set("D_LAST", Value(Ymd(9999, 12, 31)));
  vars.Set("L_T", Value(true));
  vars.Set("L_F", Value(false));
  vars.Set("NESTED",
           Value::NewArray({Value(1), Value::NewArray({Value("x"), Value::NewArray()}),
                            Value::NewArray({Value::NewArray({Value(true)})}), Value(Date())}));

  const VarStore back = SaveAndRestore(vars);
  EXPECT_EQ(back.Names(), vars.Names());
  for (const std::string& name : vars.Names()) EXPECT_EQ(back.Get(name), vars.Get(name)) << name;
  EXPECT_TRUE(std::signbit(back.Get("NUMS").array()->at(1).num()));
}

// The format's numbers are C-locale decimal notation: a NaN or an infinity is refused on
// reading (ATI_FILENO nan gave an upload header "0-648"), and a writer never writes one.
TEST(MemoryFile, NonFiniteNumbersAreRefusedAndNeverWritten) {
  for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "INF", "infinity", "nan(1)"}) {
    const MemoryFileParse p =
        ParseMemoryFile(std::string("XBSMEM 1\nOK N 1\nATI_FILENO N ") + text + "\n", "SB.XBS");
    EXPECT_FALSE(p.ok()) << text;
    EXPECT_EQ(p.line, 3u) << text;
    EXPECT_NE(p.error.find("SB.XBS: line 3: bad number"), std::string::npos) << p.error;
    EXPECT_NE(p.error.find("not a finite number"), std::string::npos) << p.error;
    EXPECT_TRUE(p.vars.empty());
  }
  EXPECT_TRUE(ParseMemoryFile("XBSMEM 1\nBIG N 1.7976931348623157e308\n", "f").ok());

  VarStore vars;
  vars.Set("NAN", Value(std::nan("")));
  vars.Set("ODD", Value::NewArray({Value(HUGE_VAL), Value(1), Value(-HUGE_VAL)}));
  vars.Set("PLAIN", Value(2.5));
  size_t count = 0;
  // Left out as values without a written form are; in an array an empty text keeps the places.
  EXPECT_EQ(FormatMemoryFile(vars, VarSelection::All(), &count),
            "XBSMEM 1\nODD A 3\n> C \n> N 1\n> C \nPLAIN N 2.5\n");
  EXPECT_EQ(count, 2u);
  const VarStore back = SaveAndRestore(vars);
  EXPECT_EQ(back.Names(), (std::vector<std::string>{"ODD", "PLAIN"}));
}

TEST(MemoryFile, WritesTheDocumentedLayout) {
  VarStore vars;
  vars.Set("STKNO_LEN", Value(5));
  vars.Set("CAS3_0705", Value(Date()));
  vars.Set("CAS3_START", Value(Ymd(2010, 1, 1)));
  vars.Set("AppSize2", Value::NewArray({Value(817), Value::NewArray({Value(1e20)})}));
  vars.Set("CO_NAME", Value("A\\B\x01\x7F\xA4\xA4 "));
  vars.Set("SBF1_USER", Value(false));
  vars.Set("EMPTY", Value(""));
  size_t count = 0;
  EXPECT_EQ(FormatMemoryFile(vars, VarSelection::All(), &count),
            "XBSMEM 1\n"
            "AppSize2 A 2\n"
            "> N 817\n"
            "> A 1\n"
            ">> N 1e+20\n"
            "CAS3_0705 D\n"
            "CAS3_START D 20100101\n"
            "CO_NAME C A\\\\B\\x01\\x7F\xA4\xA4 \n"
            "EMPTY C \n"
            "SBF1_USER L F\n"
            "STKNO_LEN N 5\n");
  EXPECT_EQ(count, 7u);
}

TEST(MemoryFile, ReadsHandWrittenFiles) {
  // Comments, empty lines, CR LF line ends, no LF at the end, the blank date without a blank.
  const std::string text =
      "XBSMEM 1\r\n"
      "# back-office settings of one broker\r\n"
      "\r\n"
      "CO_NAME C SAMPLE SECURITIES LIMITED\r\n"
      "CAS3_0705 D\r\n"
      "AppSize2 A 2\r\n"
      "# comments may sit between elements\r\n"
      "> N 817\r\n"
      "> N +545\r\n"
      "chifont1 C \r\n"
      "ChiFont1 C second wins\r\n"
      "TAIL C trailing  ";
  const MemoryFileParse p = ParseMemoryFile(text, "SB.XBS");
  ASSERT_TRUE(p.ok()) << p.error;
  VarStore vars;
  ApplyMemoryVariables(p.vars, vars, RestoreMode::kReplace);
  EXPECT_EQ(vars.Get("CO_NAME").str(), "SAMPLE SECURITIES LIMITED");
  EXPECT_TRUE(vars.Get("CAS3_0705").date().IsBlank());
  EXPECT_EQ(vars.Get("AppSize2"), Value::NewArray({Value(817), Value(545)}));
  EXPECT_EQ(vars.Get("CHIFONT1").str(), "second wins");
  EXPECT_EQ(vars.Get("TAIL").str(), "trailing  ");
  EXPECT_EQ(vars.size(), 5u);
}

TEST(MemoryFile, RefusesADamagedFileNamingTheLine) {
  struct Case {
    std::string body;  // after the header line
    size_t line;
    const char* what;
  };
  const std::string name64(64, 'N');
  const std::string deep = [] {
    std::string s = "DEEP A 1\n";
    for (size_t level = 1; level <= kMaxArrayDepth; ++level)
      s += std::string(level, '>') + " A 1\n";
    return s;
  }();
  const Case cases[] = {
      {"1ABC C x\n", 2, "name"},
      {name64 + "X C x\n", 2, "name"},
      {"OK C x\nNAME\n", 3, "type"},
      {"NAME  C x\n", 2, "type"},
      {"NAME Q 1\n", 2, "type"},
      {"NAME CX\n", 2, "blank"},
      {"T C a\\qb\n", 2, "escape"},
      {"T C a\\x4\n", 2, "escape"},
      {"T C a\\xZZ\n", 2, "escape"},
      {"T C a\\\n", 2, "backslash"},
      {"N N 1,5\n", 2, "number"},
      {"N N\n", 2, "number"},
      {"N N 1e999\n", 2, "number"},
      {"N N 0x10\n", 2, "number"},
      {"D D 20101301\n", 2, "date"},
      {"D D 2010011\n", 2, "date"},
      {"L L Y\n", 2, "logical"},
      {"A A -1\n", 2, "count"},
      {"A A 99999999999999999999999\n", 2, "count"},
      {"> N 1\n", 2, "without"},
      {"A A 1\n>> N 1\n", 3, "level"},
      {"A A 2\n> N 1\nB N 2\n", 4, "level"},
      {"A A 3\n> N 1\n# comment\n", 5, "ends"},
      {"A A 4000000000\n", 3, "ends"},
      {deep, kMaxArrayDepth + 2, "deep"},
  };
  for (const Case& c : cases) {
    const MemoryFileParse p = ParseMemoryFile("XBSMEM 1\n" + c.body, "ZUR.XBS");
    EXPECT_FALSE(p.ok()) << c.body;
    EXPECT_EQ(p.line, c.line) << c.body << p.error;
    EXPECT_NE(p.error.find("ZUR.XBS: line " + std::to_string(c.line) + ": "), std::string::npos)
        << p.error;
    EXPECT_NE(p.error.find(c.what), std::string::npos) << p.error;
    EXPECT_TRUE(p.vars.empty());
  }
  EXPECT_TRUE(ParseMemoryFile("XBSMEM 1\n" + name64 + " C x\n", "f").ok());
  for (const char* header : {"", "XBSMEM 2\n", "XBSMEM 1 \n", "\xEF\xBB\xBFXBSMEM 1\n"}) {
    const MemoryFileParse p = ParseMemoryFile(header, "f.XBS");
    EXPECT_EQ(p.line, 1u) << header;
    EXPECT_NE(p.error.find("f.XBS: line 1"), std::string::npos);
  }
}

TEST(MemoryFile, DamagedFileChangesNoVariable) {
  TempDir dir;
  const std::string path = dir.File("ZUR.XBS");
  WriteBytes(path, "XBSMEM 1\nA N 1\nB N 2\nC N 3\nD N 4\nE N five\n");
  VarStore vars;
  vars.Set("A", Value("kept"));
  vars.Set("KEEP", Value(true));
  for (RestoreMode mode : {RestoreMode::kReplace, RestoreMode::kAdditive}) {
    const MemoryFileResult r = RestoreMemoryFile(path, vars, mode);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error.rfind(path + ": line 6: ", 0), 0u) << r.error;
    EXPECT_EQ(vars.size(), 2u);
    EXPECT_EQ(vars.Get("A").str(), "kept");
  }
  const MemoryFileResult missing =
      RestoreMemoryFile(dir.File("NONE.XBS"), vars, RestoreMode::kReplace);
  EXPECT_NE(missing.error.find("NONE.XBS"), std::string::npos);
  EXPECT_EQ(vars.size(), 2u);
}

TEST(MemoryFile, RestoreReplacesAndAdditiveAdds) {
  TempDir dir;
  const std::string path = dir.File("ZUR.XBS");
  WriteBytes(path, "XBSMEM 1\nSHARED C from file\nFILE_ONLY N 1\n");
  auto start = [] {
    VarStore vars;
    vars.Set("Shared", Value("before"));
    vars.Set("MINE", Value(true));
    return vars;
  };
  VarStore replaced = start();
  EXPECT_EQ(RestoreMemoryFile(path, replaced, RestoreMode::kReplace).count, 2u);
  EXPECT_EQ(replaced.Names(), (std::vector<std::string>{"FILE_ONLY", "SHARED"}));

  VarStore added = start();
  EXPECT_EQ(RestoreMemoryFile(path, added, RestoreMode::kAdditive).count, 2u);
  EXPECT_EQ(added.Names(), (std::vector<std::string>{"FILE_ONLY", "MINE", "Shared"}));
  EXPECT_EQ(added.Get("SHARED").str(), "from file");
}

TEST(MemoryFile, SelectionByNamePattern) {
  VarStore vars;
  for (const char* n : {"SCREEN1", "screen_2", "SCRN", "DotCmd", "DOTVAR", "Other"})
    vars.Set(n, Value(1));
  size_t count = 0;
  EXPECT_EQ(FormatMemoryFile(vars, VarSelection::Like("SCREEN*"), &count),
            "XBSMEM 1\nSCREEN1 N 1\nscreen_2 N 1\n");
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(Format(vars, VarSelection::Except("Dot*")),
            "XBSMEM 1\nOther N 1\nSCREEN1 N 1\nscreen_2 N 1\nSCRN N 1\n");
}

TEST(MemoryFile, ValuesWithoutAWrittenFormDegradeSafely) {
  VarStore vars;
  vars.Set("OBJ", Value(std::make_shared<Object>()));
  vars.Set("CODE", Value::NewCode([](std::vector<Value>&) { return Value(); }));
  vars.Set("NOTHING", Value());
  vars.Set("BAD NAME", Value(1));
  vars.Set(std::string(65, 'L'), Value(1));
  vars.Set("FAR", Value(*Date::FromYmd(9999, 12, 31)));
  vars.Set("FARTHER", Value(Date::FromYmd(9999, 12, 31)->AddDays(1)));
  // Objects, code and nothing inside an array keep their places as empty texts.
  vars.Set("MIXED", Value::NewArray({Value(1), Value(std::make_shared<Object>()), Value(),
                                     Value::NewCode([](std::vector<Value>&) { return Value(); }),
                                     Value(2)}));
  Value self = Value::NewArray({Value("a")});
  self.array()->push_back(self);  // an array holding itself
  vars.Set("SELF", self);
  Value deep = Value::NewArray({Value("bottom")});
  for (size_t i = 0; i < kMaxArrayDepth + 5; ++i) deep = Value::NewArray({deep});
  vars.Set("DEEP", deep);

  const std::string text = Format(vars);
  EXPECT_NE(text.find("FAR D 99991231\nFARTHER D\nMIXED A 5\n> N 1\n> C \n> C \n> C \n> N 2\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("SELF A 2\n> C a\n> A 0\n"), std::string::npos) << text;

  const VarStore back = SaveAndRestore(vars);
  EXPECT_EQ(back.Names(), (std::vector<std::string>{"DEEP", "FAR", "FARTHER", "MIXED", "SELF"}));
  EXPECT_EQ(back.Get("MIXED").array()->size(), 5u);
  EXPECT_EQ(back.Get("MIXED").array()->at(4), Value(2));
  // The nesting is kept down to the deepest level a file can hold.
  size_t depth = 0;
  Value hold = back.Get("DEEP");
  while (hold.IsArray() && !hold.array()->empty()) {
    hold = hold.array()->front();
    ++depth;
  }
  EXPECT_EQ(depth, kMaxArrayDepth);
  self.array()->clear();  // break the cycle so that the array can be freed
}

}  // namespace
}  // namespace zur

#include "lib/console/mem2xbs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "platform/vars/tests/mem_file_builder.h"
#include "platform/vars/tests/temp_dir.h"

namespace zur {
namespace {

using testing::MemFileBuilder;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct Outcome {
  int status = 0;
  std::string out, err;
  int keys = 0;
};

Outcome Convert(const std::vector<std::string>& args, VarStore& vars) {
  Outcome r;
  std::ostringstream out, err;
  r.status = Mem2XbsCommand(args, vars, out, err, [&r] { ++r.keys; });
  r.out = out.str();
  r.err = err.str();
  return r;
}

TEST(Mem2Xbs, ConvertsAMemFileIntoAMemoryFile) {
  TempDir dir;
  const std::string in = dir.File("SETUP.MEM");
  WriteBytes(in, MemFileBuilder()
                     .Text("CO_NAME", "SAMPLE \xA4\xA4\\ ")
                     .Number("STKNO_LEN", 5)
                     .Number("RATE", -0.125)
                     .Logical("SBF1_USER", false)
                     .DayNumber("CAS3_START", 2455198)
                     .DayNumber("CAS3_0705", 0)
                     .End()
                     .bytes());
  VarStore vars;
  vars.Set("GETLIST", Value::NewArray());
  vars.Set("PromptList", Value::NewArray());
  vars.Set("COLOR_SET", Value("W/N"));
  const Outcome r = Convert({in}, vars);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "Reading .MEM file " + in + "\n6 variables saved to " + dir.File("SETUP.XBS") + "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.keys, 0);
  EXPECT_EQ(ReadBytes(dir.File("SETUP.XBS")),
            "XBSMEM 1\n"
            "CAS3_0705 D\n"
            "CAS3_START D 20100101\n"
            "COLOR_SET C N+/W,W+/G\n"
            "CO_NAME C SAMPLE \xA4\xA4\\\\ \n"
            "RATE N -0.125\n"
            "SBF1_USER L F\n"
            "STKNO_LEN N 5\n"
            "TXT_VIEWER C TEXTVIEW.EXE\n");
  EXPECT_FALSE(vars.Exists("GETLIST"));
  EXPECT_FALSE(vars.Exists("PROMPTLIST"));
}

TEST(Mem2Xbs, QuietOptionAndOutputName) {
  TempDir dir;
  const std::string in = dir.File("old.mem");
  WriteBytes(in, MemFileBuilder().Logical("FLAG", true).End().bytes());
  for (const char* q : {"-q", "-Q", "/q", "/Q"}) {
    VarStore vars;
    const std::string outName = dir.File(std::string("out") + (q[1] == 'q' ? "1" : "2") + ".x");
    const Outcome r = Convert({q, in, outName}, vars);
    EXPECT_EQ(r.status, 0) << q;
    EXPECT_EQ(r.out, "") << q;
    EXPECT_NE(ReadBytes(outName).find("FLAG L T\n"), std::string::npos) << q;
  }
  EXPECT_EQ(Mem2XbsOutputName("old.mem"), "old.XBS");
  EXPECT_EQ(Mem2XbsOutputName("dir.d/NAME"), "dir.d/NAME.XBS");
  EXPECT_EQ(Mem2XbsOutputName("a.b.MEM"), "a.b.XBS");
  EXPECT_EQ(Mem2XbsOutputName("dir/.hidden"), "dir/.hidden.XBS");
}

TEST(Mem2Xbs, UsageWhenNoFileIsGiven) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, std::vector<std::string>{"-q"}}) {
    VarStore vars;
    const Outcome r = Convert(args, vars);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
    EXPECT_NE(r.out.find("-q"), std::string::npos);
    EXPECT_NE(r.out.find(".MEM"), std::string::npos);
    EXPECT_EQ(vars.size(), 0u);
  }
}

TEST(Mem2Xbs, FilesThatCannotBeFoundOpenedOrWritten) {
  TempDir dir;
  VarStore vars;
  Outcome r = Convert({dir.File("NONE.MEM")}, vars);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: cannot find file " + dir.File("NONE.MEM") + "\n");

  r = Convert({dir.path()}, vars);  // a directory exists but cannot be read as a file
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error: cannot open file " + dir.path() +
                       "errorCode: " + std::to_string(EISDIR) + "\n");

  const std::string in = dir.File("A.MEM");
  WriteBytes(in, MemFileBuilder().Logical("FLAG", true).bytes());
  const std::string out = dir.File("missing/dir/A.XBS");
  r = Convert({in, out}, vars);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(out), std::string::npos);
  EXPECT_EQ(r.out.find("saved"), std::string::npos);  // no success reported
}

TEST(Mem2Xbs, DamagedMemFileIsConvertedAsFarAsItGoesAndReported) {
  TempDir dir;
  const std::string in = dir.File("BAD.MEM");
  WriteBytes(in, MemFileBuilder()
                     .Number("GOOD", 1)
                     .Number("9BAD", 2)
                     .Header("CUT", 'C' + 128, 200, 0)
                     .Raw("short")
                     .bytes());
  VarStore vars;
  Outcome r = Convert({in}, vars);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.keys, 1);
  EXPECT_NE(r.out.find("1 variables saved to"), std::string::npos);
  EXPECT_NE(r.err.find("ERROR in Memory File, Please check !\n"), std::string::npos);
  EXPECT_NE(r.err.find(in), std::string::npos);
  EXPECT_EQ(ReadBytes(dir.File("BAD.XBS")),
            "XBSMEM 1\nCOLOR_SET C N+/W,W+/G\nGOOD N 1\nTXT_VIEWER C TEXTVIEW.EXE\n");

  r = Convert({"-q", in}, vars);  // quiet: reported, but no waiting for a key
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.keys, 0);
  EXPECT_NE(r.err.find("ERROR in Memory File"), std::string::npos);
}

}  // namespace
}  // namespace zur

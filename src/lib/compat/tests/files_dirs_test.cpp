#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "lib/compat/directories.h"
#include "lib/compat/list_split.h"
#include "lib/compat/program_exit.h"
#include "lib/compat/tests/scratch_dir.h"
#include "lib/compat/unique_file.h"

namespace zur::compat {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

TEST(Directories, ExistenceTestLeavesTheCurrentDirectory) {
  testing::ScratchDir dir;
  std::string before = CurPath();
  EXPECT_TRUE(DirExists(dir.path() + "/"));
  EXPECT_TRUE(DirExists("  " + dir.path() + "  "));
  EXPECT_TRUE(DirExists("/"));
  EXPECT_TRUE(DirExists(""));
  EXPECT_FALSE(DirExists(dir.File("missing")));
  EXPECT_FALSE(DirExists(dir.Write("plain", "x")));
  EXPECT_EQ(CurPath(), before);
}

TEST(Directories, MakeAndChange) {
  testing::ScratchDir dir;
  std::string before = CurPath();
  EXPECT_TRUE(MakeDir(dir.File("SBAUDIT") + "   "));
  EXPECT_FALSE(MakeDir(dir.File("SBAUDIT")));  // already there
  EXPECT_FALSE(MakeDir(""));
  ASSERT_TRUE(ChangeDir(dir.File("SBAUDIT")));
  EXPECT_EQ(fs::path(CurPath()), fs::canonical(dir.File("SBAUDIT")));
  EXPECT_TRUE(DirExists("."));
  ASSERT_TRUE(ChangeDir(before));
  EXPECT_FALSE(ChangeDir(dir.File("missing")));
  EXPECT_EQ(CurPath(), before);
}

TEST(UniqueFile, NewEmptyFilesThatNeverCollide) {
  testing::ScratchDir dir;
  std::string a = FUnique(dir.path(), ".RPT");
  std::string b = FUnique(dir.path() + "/ ", "RPT");
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(FileExt(a), ".RPT");
  EXPECT_EQ(FileExt(b), ".RPT");
  EXPECT_EQ(fs::path(a).parent_path(), fs::path(dir.path()));
  EXPECT_EQ(fs::file_size(a), 0u);

  std::string t = GetTemp(dir.path());
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back(), '.');
  // The name given names the file made; no file of the name without the "." is left.
  EXPECT_TRUE(fs::is_regular_file(t));
  t.pop_back();
  EXPECT_FALSE(fs::exists(t));
  EXPECT_EQ(FileExt(t), "");
  EXPECT_EQ(FUnique(dir.path()).back(), '.');

  EXPECT_EQ(FUnique(dir.File("missing"), ".TXT"), "");
  EXPECT_EQ(GetTemp(dir.File("missing")), "");
}

TEST(UniqueFile, ExtensionOfTheLastComponent) {
  EXPECT_EQ(FileExt("A.B.TXT"), ".TXT");
  EXPECT_EQ(FileExt("README"), "");
  EXPECT_EQ(FileExt("dir.d/README"), "");
  EXPECT_EQ(FileExt("NAME."), ".");
}

TEST(ListAsArray, PiecesBetweenDelimiters) {
  EXPECT_THAT(ListAsArray("1,2,,3"), ElementsAre("1", "2", "", "3"));
  EXPECT_THAT(ListAsArray(""), ElementsAre(""));
  EXPECT_THAT(ListAsArray("a,"), ElementsAre("a", ""));
  EXPECT_THAT(ListAsArray("a::b", "::"), ElementsAre("a", "b"));
  EXPECT_THAT(ListAsArray("a,b", ""), ElementsAre("a,b"));
}

TEST(ProgramExit, DeletesThePrinterFileOnly) {
  testing::ScratchDir dir;
  VarStore vars;
  int closed = 0;
  auto close = [&] { ++closed; };
  std::string port = dir.Write("ABC.RPT", "report");
  vars.Set("WinPtPort", Value(port + "  "));
  EXPECT_TRUE(ExitXbSend(vars, close));
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(fs::exists(port));
  EXPECT_FALSE(ExitXbSend(vars, close));  // already gone

  vars.Set("WinPtPort", Value(dir.path()));
  EXPECT_FALSE(ExitXbSend(vars, nullptr));
  EXPECT_TRUE(fs::is_directory(dir.path()));
  vars.Set("WinPtPort", Value(1));
  EXPECT_FALSE(ExitXbSend(vars, close));
  EXPECT_EQ(closed, 3);
}

}  // namespace
}  // namespace zur::compat

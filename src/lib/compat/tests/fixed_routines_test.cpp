#include "lib/compat/fixed_routines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "lib/compat/tests/scratch_dir.h"

namespace zur::compat {
namespace {

TEST(FixedRoutine, AnswersByName) {
  std::vector<Value> two = {Value("tick"), Value(5)};
  auto answer = [&](std::string_view name, std::span<const Value> args) {
    Value out("unset");
    EXPECT_TRUE(FixedRoutine(name, args, out)) << name;
    return out;
  };
  EXPECT_EQ(answer("n_ontick", two), Value("tick"));
  EXPECT_EQ(answer("N_ENCODEST", two), Value("tick"));
  EXPECT_EQ(answer("N_CODELVL", {}), Value(1));
  EXPECT_EQ(answer("SX_KILLSEM", two), Value(0));
  EXPECT_EQ(answer("N_SLOCK", {}), Value(true));
  EXPECT_EQ(answer("N_ISRLOCK", two), Value(false));
  EXPECT_TRUE(answer("N_SETKEY", two).IsNil());
  EXPECT_TRUE(answer("N_ONNOKEY", {}).IsNil());
  Value untouched("x");
  EXPECT_FALSE(FixedRoutine("N_MLOCK", two, untouched));
  EXPECT_EQ(untouched, Value("x"));
  for (std::string_view name : FixedRoutineNames()) answer(name, two);
}

TEST(EncodeFile, CopiesOverTheTarget) {
  testing::ScratchDir dir;
  std::string src = dir.Write("src.dat", std::string("binary\0data", 11));
  std::string dst = dir.Write("dst.dat", "old contents that are longer");
  std::string error;
  ASSERT_TRUE(EncodeFile(src + " ", dst + " ", error)) << error;
  EXPECT_EQ(testing::ScratchDir::Read(dst), std::string("binary\0data", 11));

  EXPECT_FALSE(EncodeFile(dir.File("missing.dat"), dst, error));
  EXPECT_NE(error.find("missing.dat"), std::string::npos);
  EXPECT_EQ(testing::ScratchDir::Read(dst), std::string("binary\0data", 11));

  EXPECT_FALSE(EncodeFile(src, dir.File("no/such/dir/out.dat"), error));
  EXPECT_NE(error.find("out.dat"), std::string::npos);
  EXPECT_FALSE(EncodeFile(dir.path(), dst, error));  // a directory is no source
}

}  // namespace
}  // namespace zur::compat

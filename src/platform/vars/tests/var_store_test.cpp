#include "platform/vars/var_store.h"

#include <gtest/gtest.h>

namespace zur {
namespace {

TEST(VarStore, NamesAreCaseInsensitiveAndKeepFirstSpelling) {
  VarStore vars;
  vars.Set("ChiFont1", Value("MingLiU"));
  vars.Set("CHIFONT1", Value("PMingLiU"));
  ASSERT_EQ(vars.size(), 1u);
  EXPECT_EQ(vars.Names().front(), "ChiFont1");
  EXPECT_EQ(vars.Get("chifont1").str(), "PMingLiU");
}

TEST(VarStore, TypeLettersAndUndefined) {
  VarStore vars;
  vars.Set("C1", Value("x"));
  vars.Set("N1", Value(1.5));
  vars.Set("D1", Value(Date()));
  vars.Set("L1", Value(true));
  vars.Set("A1", Value::NewArray(2));
  vars.Set("O1", Value(std::make_shared<Object>()));
  vars.Set("B1", Value::NewCode([](std::vector<Value>&) { return Value(); }));
  EXPECT_EQ(vars.Type("C1"), 'C');
  EXPECT_EQ(vars.Type("n1"), 'N');
  EXPECT_EQ(vars.Type("D1"), 'D');
  EXPECT_EQ(vars.Type("L1"), 'L');
  EXPECT_EQ(vars.Type("A1"), 'A');
  EXPECT_EQ(vars.Type("O1"), 'O');
  EXPECT_EQ(vars.Type("B1"), 'O');
  EXPECT_EQ(vars.Type("NOPE"), 'U');
  EXPECT_TRUE(vars.Get("NOPE").IsNil());
}

TEST(VarStore, ArraysAreSharedByReference) {
  VarStore vars;
  Value a = Value::NewArray(1);
  vars.Set("A", a);
  (*a.array())[0] = Value(7);
  EXPECT_EQ((*vars.Get("A").array())[0].num(), 7);
}

TEST(VarStore, ReleaseByNameAndPattern) {
  VarStore vars;
  for (const char* n : {"DotCmd", "DotVar", "SCREEN1", "ScreenX", "OTHER"}) vars.Set(n, Value(1));
  EXPECT_TRUE(vars.Release("other"));
  EXPECT_FALSE(vars.Release("other"));
  vars.ReleaseAllLike("SCREEN*");
  EXPECT_EQ(vars.Names(), (std::vector<std::string>{"DotCmd", "DotVar"}));
  vars.Set("KEEP", Value(1));
  vars.ReleaseAllExcept("Dot*");
  EXPECT_EQ(vars.size(), 2u);
  vars.ReleaseAll();
  EXPECT_EQ(vars.size(), 0u);
}

TEST(NameMatches, Wildcards) {
  EXPECT_TRUE(NameMatches("DotCmdAry", "Dot*"));
  EXPECT_TRUE(NameMatches("dotcmd", "DOT*"));
  EXPECT_TRUE(NameMatches("SCREEN", "SCREEN*"));
  EXPECT_FALSE(NameMatches("XSCREEN", "SCREEN*"));
  EXPECT_TRUE(NameMatches("AB", "A?"));
  EXPECT_FALSE(NameMatches("ABC", "A?"));
  EXPECT_TRUE(NameMatches("ABXCD", "A*C*"));
  EXPECT_TRUE(NameMatches("", "*"));
}

}  // namespace
}  // namespace zur

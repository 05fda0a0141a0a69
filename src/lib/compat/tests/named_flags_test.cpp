#include "lib/compat/named_flags.h"

#include <gtest/gtest.h>

namespace zur::compat {
namespace {

TEST(NamedFlags, OnlyATrueLogicalCounts) {
  VarStore vars;
  vars.Set("WIN_GUI", Value(1));
  vars.Set("PRINT_PDF", Value("T"));
  EXPECT_FALSE(IsFlagSet(vars, "WIN_GUI"));
  EXPECT_FALSE(IsFlagSet(vars, "PRINT_PDF"));
  EXPECT_FALSE(IsFlagSet(vars, "NOT_THERE"));
  vars.Set("WIN_GUI", Value(true));
  EXPECT_TRUE(IsFlagSet(vars, " win_gui "));
}

TEST(NamedFlags, SetThenClearLeavesFalseAndAsksForASave) {
  VarStore vars;
  SetFlag(vars, "PRINT_PDF  ");
  EXPECT_TRUE(vars.Get("PRINT_PDF").IsTrue());
  EXPECT_TRUE(vars.Get("SAVE_MSG").IsTrue());
  EXPECT_EQ(vars.Names().front(), "PRINT_PDF");  // created under the trimmed name
  ClearFlag(vars, "print_pdf");
  ASSERT_TRUE(vars.Get("PRINT_PDF").IsLogical());
  EXPECT_FALSE(vars.Get("PRINT_PDF").logical());
  EXPECT_TRUE(vars.Get("SAVE_MSG").IsTrue());
}

TEST(NamedFlags, NoChangeNoSave) {
  VarStore vars;
  vars.Set("WIN_GUI", Value(true));
  vars.Set("SAVE_MSG", Value(false));
  SetFlag(vars, "WIN_GUI");
  ClearFlag(vars, "PRINT_PDF");
  SetFlag(vars, "   ");
  EXPECT_FALSE(vars.Get("SAVE_MSG").IsTrue());
  EXPECT_FALSE(vars.Exists("PRINT_PDF"));
  EXPECT_EQ(vars.size(), 2u);
  // A flag held as another type is replaced when set.
  vars.Set("PRINT_PDF", Value(1));
  SetFlag(vars, "PRINT_PDF");
  EXPECT_TRUE(IsFlagSet(vars, "PRINT_PDF"));
}

}  // namespace
}  // namespace zur::compat

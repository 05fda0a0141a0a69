#include "lib/compat/compat_functions.h"
#include "lib/compat/tests/routines_fixture.h"

#include <gtest/gtest.h>

#include "lib/compat/tests/scratch_dir.h"
#include "platform/dbf/work_areas.h"

namespace zur::compat {
namespace {

class CompatFunctions : public compat::testing::RoutinesTest<&RegisterCompatFunctions> {};

TEST_F(CompatFunctions, MenuFlags) {
  EXPECT_EQ(Eval("ISFLAGSET('WIN_GUI')"), Value(false));
  EXPECT_TRUE(ok_);
  Eval("SETFLAG('WIN_GUI')");
  EXPECT_TRUE(vars_.Get("WIN_GUI").IsTrue());
  EXPECT_TRUE(vars_.Get("SAVE_MSG").IsTrue());
  EXPECT_EQ(Eval("ISFLAGSET('win_gui') .AND. .T."), Value(true));
  Eval("CLEARFLAG('WIN_GUI')");
  EXPECT_EQ(Eval("ISFLAGSET('WIN_GUI')"), Value(false));

  Eval("ISFLAGSET(1)");
  EXPECT_FALSE(ok_);
  EXPECT_NE(message_.find("ISFLAGSET"), std::string::npos) << message_;
}

TEST_F(CompatFunctions, FilesListsAndFixedAnswers) {
  testing::ScratchDir dir;
  vars_.Set("D", Value(dir.path() + "/"));
  EXPECT_EQ(Eval("O_DIREXIST(D)"), Value(true));
  EXPECT_EQ(Eval("N_FEXT(N_FUNIQUE(D, '.TXT'))"), Value(".TXT"));
  EXPECT_EQ(Eval("RIGHT(O_GETTEMP(D), 1)"), Value("."));
  Value pieces = Eval("LISTASARRAY('1,2,,3')");
  ASSERT_TRUE(pieces.IsArray());
  EXPECT_EQ(pieces.array()->size(), 4u);
  EXPECT_EQ(Eval("LEN(LISTASARRAY('a;b', ';'))"), Value(2));
  EXPECT_EQ(Eval("N_ONTICK('x', 2)"), Value("x"));
  EXPECT_EQ(Eval("N_CODELVL()"), Value(1));
  EXPECT_EQ(Eval("O_ERRMAJOR()"), Value("Error in NEW Shell."));
  EXPECT_EQ(Eval("SWPRUNCMD('true')"), Value(true));

  Eval("N_ENCODE('" + dir.File("missing") + "', '" + dir.File("out") + "')");
  EXPECT_FALSE(ok_);
  EXPECT_NE(message_.find("missing"), std::string::npos) << message_;
}

// N_MLOCK works on the table of the current work area: "5, 7" with 7 held by another open
// leaves 5 unlocked and answers false; without a table nothing is locked.
TEST_F(CompatFunctions, MultiLockAllOrNothing) {
  testing::ScratchDir dir;
  const std::string file = dir.File("CLMAST.DBF");
  dbf::Table::Create(file, {{"LACCT", 'C', 8, 0}});
  {
    auto t = dbf::Table::Open(file, dbf::Share::kExclusive);
    for (int i = 0; i < 8; ++i) t->Append();
  }
  dbf::WorkAreas areas;
  ctx_.fields = &areas;
  EXPECT_EQ(Eval("N_MLOCK('1')"), Value(false));
  dbf::Table& mine = areas.Use(file, "CL", dbf::Share::kShared);
  auto other = dbf::Table::Open(file, dbf::Share::kShared);
  ASSERT_TRUE(other->Lock(7));

  EXPECT_EQ(Eval("N_MLOCK('5, 7')"), Value(false));
  EXPECT_TRUE(ok_);
  EXPECT_FALSE(mine.IsLocked(5));
  EXPECT_EQ(Eval("N_MLOCK(' 5 ,6')"), Value(true));
  EXPECT_TRUE(mine.IsLocked(5) && mine.IsLocked(6));
}

}  // namespace
}  // namespace zur::compat

// Tables written by an independent implementation (python3-dbf, see tests/data/dbf/) are read
// here, and tables written here are read back by it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

using testing::TempDir;

std::filesystem::path Fixture(const std::string& name) {
  const char* root = std::getenv("ZUR_TEST_DATA");
  return std::filesystem::path(root ? root : "tests/data") / "dbf" / name;
}

// Copies a fixture into `dir` so that opening it read-write cannot change the original.
std::filesystem::path Copy(const TempDir& dir, const std::string& name) {
  std::filesystem::copy_file(Fixture(name), dir / name);
  return dir / name;
}

TEST(Interop, ReadsTablesWrittenElsewhere) {
  TempDir dir;
  auto t = Table::Open(Copy(dir, "pfmast.dbf"), Share::kShared, Access::kReadOnly);
  ASSERT_EQ(t->RecCount(), 5u);
  EXPECT_EQ(t->version(), 3);
  EXPECT_EQ(t->fields()[3], (FieldSpec{"FAVG", 'N', 10, 3}));
  EXPECT_EQ(t->Get("FACCT"), Value("C100001   "));
  EXPECT_EQ(t->Get("FSTKNO"), Value("5    "));
  EXPECT_EQ(t->Get("FQTY"), Value(1200.0));
  EXPECT_EQ(t->Get("FAVG"), Value(12.345));
  EXPECT_EQ(t->Get("FDATE").date(), *Date::FromYmd(2026, 12, 8));
  EXPECT_EQ(t->Get("FOK"), Value(true));
  t->Skip();
  EXPECT_TRUE(t->Deleted());
  EXPECT_EQ(t->Get("FQTY"), Value(-300.0));
  t->Skip();
  EXPECT_TRUE(t->Get("FDATE").date().IsBlank());
  EXPECT_EQ(t->Get("FOK"), Value(false));  // stored as "?"
  t->Skip();
  EXPECT_EQ(t->Get("FQTY"), Value(99999999999.0));
  t->Skip();
  EXPECT_EQ(t->Get("FACCT"), Value("          "));
  EXPECT_EQ(t->Get("FQTY"), Value(0.0));

  auto memo = Table::Open(Copy(dir, "clmast.dbf"), Share::kShared, Access::kReadOnly);
  EXPECT_EQ(memo->version(), 0x83);
  EXPECT_EQ(memo->fields()[2].type, 'M');
  EXPECT_EQ(memo->Get("LNAME"), Value("CHAN TAI MAN        "));
  auto empty = Table::Open(Copy(dir, "empty.dbf"), Share::kShared, Access::kReadOnly);
  EXPECT_EQ(empty->RecCount(), 0u);
  EXPECT_TRUE(empty->Eof());
}

TEST(Interop, AppendsToATableWrittenElsewhere) {
  TempDir dir;
  auto p = Copy(dir, "pfmast.dbf");
  {
    auto t = Table::Open(p, Share::kExclusive);
    t->Append();
    t->Replace("FACCT", Value("C9"));
    t->Replace("FAVG", Value(-1.25));
  }
  auto t = Table::Open(p, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(t->RecCount(), 6u);
  t->GoBottom();
  EXPECT_EQ(t->Get("FAVG"), Value(-1.25));
}

TEST(Interop, TablesWrittenHereReadElsewhere) {
  constexpr const char* kPython = "/usr/bin/python3";
  if (std::system((std::string(kPython) + " -c 'import dbf' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "python3-dbf is not installed (scripts/setup installs it); cross-check skipped";
  TempDir dir;
  auto p = dir / "OURS.DBF";
  Table::Create(p,
                {{"ACCT", 'C', 8, 0}, {"QTY", 'N', 11, 2}, {"DAY", 'D', 8, 0}, {"OK", 'L', 1, 0}});
  {
    auto t = Table::Open(p, Share::kExclusive);
    t->Append();
    t->Replace("ACCT", Value("C100001"));
    t->Replace("QTY", Value(-1234.5));
    t->Replace("DAY", Value(*Date::FromYmd(2026, 12, 8)));
    t->Replace("OK", Value(true));
    t->Append();
    t->Replace("ACCT", Value("GONE"));
    t->Delete();
    t->Append();
  }
  const auto script = dir / "read.py";
  std::ofstream(script) << "import dbf, sys\n"
                           "t = dbf.Table(sys.argv[1]); t.open()\n"
                           "print(len(t), [f for f in t.field_names])\n"
                           "for r in t:\n"
                           "    print(repr(r.acct), r.qty, r.day, r.ok, dbf.is_deleted(r))\n"
                           "t.close()\n";
  const auto out = dir / "out.txt";
  const std::string cmd = std::string(kPython) + " " + script.string() + " " + p.string() + " > " +
                          out.string() + " 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::ifstream in(out);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text,
            "3 ['acct', 'qty', 'day', 'ok']\n"
            "'C100001 ' -1234.5 2026-12-08 True False\n"
            "'GONE    ' None None None True\n"
            "'        ' None None None False\n");  // blank numbers read as none
}

}  // namespace
}  // namespace zur::dbf

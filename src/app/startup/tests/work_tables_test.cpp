// Start-up with damaged work tables and odd memory-file numbers.
#include <gmock/gmock.h>

#include "app/startup/tests/startup_fixture.h"
#include "app/upgrade/table_files.h"

namespace zur::startup::testing {
namespace {

using ::testing::HasSubstr;
using Files = std::set<std::string>;

Files FilesOf(const TempDir& dir) {
  return dir.Files();
}

// The work tables are rebuilt by every run: a damaged one is set aside under a new name and
// made afresh, instead of stopping every start until someone deletes it by hand.
TEST_F(StartupTest, DamagedWorkTablesAreSetAsideAndMadeAfresh) {
  for (const char* name : {"RPINFO", "RPOPTN", "ATIMAST"}) {
    SCOPED_TRACE(name);
    vars.ReleaseAll();
    MakeSettings({});
    const std::string file = std::string(name) + ".DBF";
    WriteBytes(dir.path() / file, "\x03garbage that is no table header");
    const StartupResult r = Start();
    ASSERT_TRUE(r.ok()) << r.message;
    areas.CloseAll();
    const std::string aside = std::string(name) + "_ZURBAD.DBF";
    EXPECT_EQ(ReadBytes(dir.path() / aside), "\x03garbage that is no table header");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_THAT(r.warnings[0], HasSubstr(file + " is damaged ("));
    EXPECT_THAT(r.warnings[0], HasSubstr("set aside as " + aside + " and created afresh"));
    EXPECT_THAT(console.lines, ::testing::Contains("WARNING: " + r.warnings[0]));
    auto fresh = dbf::Table::Open(dir.path() / file, dbf::Share::kShared);
    EXPECT_EQ(fresh->RecCount(), 0u);
    EXPECT_FALSE(fresh->fields().empty());
  }
  // A second damaged one does not take the first one's place.
  WriteBytes(dir.path() / "RPINFO.DBF", "\x03more garbage");
  vars.ReleaseAll();
  ASSERT_TRUE(Start().ok());
  areas.CloseAll();
  EXPECT_EQ(ReadBytes(dir.path() / "RPINFO_ZURBAD2.DBF"), "\x03more garbage");
  EXPECT_TRUE(FilesOf(dir).count("RPINFO_ZURBAD.DBF"));
}

TEST_F(StartupTest, AWorkTableWithUncountedRecordsIsSetAsideToo) {
  MakeSettings({});
  ASSERT_TRUE(Start().ok());
  areas.CloseAll();
  // One record more in the file than the header counts.
  std::string bytes = ReadBytes(dir.path() / "RPINFO.DBF");
  auto t = dbf::Table::Open(dir.path() / "RPINFO.DBF", dbf::Share::kShared);
  const uint32_t length = t->record_length();
  t.reset();
  bytes.pop_back();  // the end-of-file byte
  bytes += std::string(length, ' ') + "\x1A";
  WriteBytes(dir.path() / "RPINFO.DBF", bytes);
  vars.ReleaseAll();
  const StartupResult r = Start();
  ASSERT_TRUE(r.ok()) << r.message;
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_THAT(r.warnings[0], HasSubstr("counts 0 records but the file holds 1"));
  EXPECT_EQ(ReadBytes(dir.path() / "RPINFO_ZURBAD.DBF"), bytes);
}

// The settings table is no work table: a damaged one still ends the program, untouched.
TEST_F(StartupTest, ADamagedSettingsTableIsNotSetAside) {
  WriteBytes(dir.path() / "ATISYSFL.DBF", "\x03garbage");
  EXPECT_FALSE(Start().ok());
  EXPECT_EQ(ReadBytes(dir.path() / "ATISYSFL.DBF"), "\x03garbage");
  EXPECT_FALSE(FilesOf(dir).count("ATISYSFL_ZURBAD.DBF"));
}

// STKNO_LEN from ZUR.XBS becomes the width of ATIMAST's stock number: a number that is no
// width is not taken (the float-to-int cast the sanitizer reported), and NaN is refused with
// the file.
TEST_F(StartupTest, StockNumberWidthFromTheMemoryFileIsChecked) {
  MakeSettings({});
  WriteBytes(dir.path() / "ZUR.XBS", "XBSMEM 1\nSTKNO_LEN N 1e300\n");
  StartupResult r = Start();
  ASSERT_TRUE(r.ok()) << r.message;
  areas.CloseAll();
  auto work = dbf::Table::Open(dir.path() / "ATIMAST.DBF", dbf::Share::kShared);
  EXPECT_EQ(work->fields()[0].length, 5);
  work.reset();

  for (const char* bad : {"nan", "inf", "-inf", "NaN"}) {
    SCOPED_TRACE(bad);
    WriteBytes(dir.path() / "ZUR.XBS", std::string("XBSMEM 1\nSTKNO_LEN N ") + bad + "\n");
    vars.ReleaseAll();
    r = Start();
    EXPECT_THAT(r.message, HasSubstr("ZUR.XBS: line 2: bad number"));
    EXPECT_THAT(r.message, HasSubstr("not a finite number"));
  }
}

}  // namespace
}  // namespace zur::startup::testing

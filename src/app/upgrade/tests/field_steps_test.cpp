#include "app/upgrade/field_steps.h"

#include <gtest/gtest.h>

#include "app/upgrade/disk_space.h"
#include "app/upgrade/required_fields.h"
#include "app/upgrade/tests/recording_console.h"
#include "app/upgrade/tests/test_tables.h"
#include "app/upgrade/upgrade_paths.h"

namespace zur::upgrade {
namespace {

using dbf::FieldSpec;

TEST(FieldSteps, CharacterWidthFollowsTheRequiredWidthBothWays) {
  Structure s = {{"USERKEY", 'C', 10, 0}, {"STKFILE", 'C', 80, 0}, {"PARTID", 'C', 6, 0}};
  EXPECT_EQ(CtLocate(s, "USERKEY", 15), StepResult::kChanged);
  EXPECT_EQ(CtLocate(s, "stkfile", 60), StepResult::kChanged);  // names ignore letter case
  EXPECT_EQ(CtLocate(s, "PARTID", 6), StepResult::kSame);
  EXPECT_EQ(s,
            (Structure{{"USERKEY", 'C', 15, 0}, {"STKFILE", 'C', 60, 0}, {"PARTID", 'C', 6, 0}}));
}

TEST(FieldSteps, NumericFieldsOnlyGrow) {
  Structure s = {{"XPSCRDEN", 'N', 4, 0}, {"RPAGE", 'N', 3, 0}, {"AMT", 'N', 12, 0}};
  EXPECT_EQ(NtLocate(s, "XPSCRDEN", 3, 0), StepResult::kSame);
  EXPECT_EQ(NtLocate(s, "RPAGE", 5, 0), StepResult::kChanged);
  // More decimals wanted: the width that exists is kept, not narrowed to 11.
  EXPECT_EQ(NtLocate(s, "AMT", 11, 2), StepResult::kChanged);
  EXPECT_EQ(s, (Structure{{"XPSCRDEN", 'N', 4, 0}, {"RPAGE", 'N', 5, 0}, {"AMT", 'N', 12, 2}}));
}

TEST(FieldSteps, MissingFieldsAreAppendedAndWrongTypesLeaveTheStructure) {
  Structure s = {{"RNAME", 'C', 60, 0}, {"RPAGE", 'C', 5, 0}};
  EXPECT_EQ(DtLocate(s, "when"), StepResult::kChanged);
  EXPECT_EQ(NtLocate(s, "REPAGE", 5, 0), StepResult::kChanged);
  EXPECT_EQ(DtLocate(s, "WHEN"), StepResult::kSame);
  const Structure before = s;
  EXPECT_EQ(NtLocate(s, "RPAGE", 5, 0), StepResult::kWrongType);
  EXPECT_EQ(CtLocate(s, "WHEN", 8), StepResult::kWrongType);
  EXPECT_EQ(s, before);
  EXPECT_EQ(s[2], (FieldSpec{"WHEN", 'D', 8, 0}));
  EXPECT_EQ(s[3], (FieldSpec{"REPAGE", 'N', 5, 0}));
  EXPECT_EQ(WrongTypeMessage("RPINFO", "RPAGE", 'N'),
            "ERROR: file (RPINFO) field (RPAGE) - data type is not \"N\" !");
}

TEST(RequiredFields, ChosenByName) {
  EXPECT_EQ(RequiredFieldsFor("RPINFO").size(), 6u);
  EXPECT_EQ(RequiredFieldsFor("RPOPTN").size(), 9u);
  const auto settings = RequiredFieldsFor("ATISYSFL");
  ASSERT_EQ(settings.size(), 44u);
  EXPECT_EQ(settings.front().name, "PARTID");
  EXPECT_EQ(settings.back().name, "NETBUYDAY");
  const auto work = RequiredFieldsFor("ATIMAST", 7);
  ASSERT_EQ(work.size(), 17u);
  EXPECT_EQ(work[0].length, 7);
  const auto clients = RequiredFieldsFor("/srv/obx/data/CLMAST");
  ASSERT_EQ(clients.size(), 1u);
  EXPECT_EQ(clients[0].name, "LSEGAC");
  EXPECT_TRUE(RequiredFieldsFor("PFMAST").empty());
  EXPECT_TRUE(RequiredFieldsFor("CLMASTX").empty());
}

TEST(UpgradePaths, BackupStemOfAMemoTable) {
  testing::TempDir dir;
  EXPECT_EQ(UpgradePaths::For(dir / "RPINFO").BackupStem(), "RPINFOO");
  EXPECT_EQ(UpgradePaths::For(dir / "ABCLMAST").BackupStem(), "ABCLMASA");
  // Moves on only while a file of exactly that name, without extension, exists.
  testing::WriteBytes(dir / "ABCLMASA", "x");
  testing::WriteBytes(dir / "ABCLMASB.DBF", "x");
  EXPECT_EQ(UpgradePaths::For(dir / "ABCLMAST").BackupStem(), "ABCLMASB");
}

TEST(DiskSpace, FullWhenFreeSpaceIsBelowTheRecordsAndHeader) {
  testing::TempDir dir;
  testing::MakeTable(dir / "T.DBF", {{"A", 'C', 9, 0}}, {});  // record length 10
  auto t = dbf::Table::Open(dir / "T.DBF", dbf::Share::kExclusive);
  const uint64_t needed = SpaceNeeded(10, 100, t->header_length());
  EXPECT_EQ(needed, 1000u + t->header_length() + 1);
  testing::RecordingConsole console;
  EXPECT_FALSE(DiskFull(*t, 100, console, [&](const auto&) { return needed; }));
  EXPECT_EQ(console.bells, 0);
  EXPECT_TRUE(DiskFull(*t, 100, console, [&](const auto&) { return needed - 1; }));
  EXPECT_EQ(console.bells, 1);
  EXPECT_FALSE(DiskFull(*t, 100, console, [](const auto&) { return std::nullopt; }));
  EXPECT_TRUE(FreeBytes(dir.path()).has_value());
}

}  // namespace
}  // namespace zur::upgrade

#include "app/upgrade/flconv.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/upgrade/delete_index.h"
#include "app/upgrade/tests/recording_console.h"
#include "app/upgrade/tests/test_tables.h"

namespace zur::upgrade {
namespace {

using dbf::FieldSpec;
using testing::MakeTable;
using testing::ReadBytes;
using testing::ReadTable;
using testing::RecordingConsole;
using testing::TempDir;
using testing::WriteBytes;
using Files = std::set<std::string>;

std::vector<FieldSpec> Fields(const std::vector<RequiredField>& required) {
  std::vector<FieldSpec> out;
  for (const auto& r : required) out.push_back({r.name, r.type, r.length, r.decimals});
  return out;
}

FieldSpec* Find(std::vector<FieldSpec>& fields, std::string_view name) {
  for (auto& f : fields)
    if (f.name == name) return &f;
  return nullptr;
}

ino_t Inode(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_ino;
}

TEST(Flconv, UpToDateTableIsLeftAsItIs) {
  TempDir dir;
  MakeTable(dir / "RPINFO.DBF", Fields(RequiredFieldsFor("RPINFO")), {{"REPORT.TXT", 3}});
  const std::string before = ReadBytes(dir / "RPINFO.DBF");
  const ino_t inode = Inode(dir / "RPINFO.DBF");
  RecordingConsole console;
  const auto r = Flconv(dir / "RPINFO", console);
  EXPECT_EQ(r.status, UpgradeStatus::kUpToDate);
  EXPECT_TRUE(console.lines.empty());
  EXPECT_EQ(dir.Files(), Files{"RPINFO.DBF"});
  EXPECT_EQ(Inode(dir / "RPINFO.DBF"), inode);
  EXPECT_EQ(ReadBytes(dir / "RPINFO.DBF"), before);
  EXPECT_FALSE(std::filesystem::exists("FILESTRU.DBF"));

  // Names without required fields are never touched, even when the table is not there.
  EXPECT_EQ(Flconv(dir / "PFMAST", console).status, UpgradeStatus::kUpToDate);
  EXPECT_EQ(dir.Files(), Files{"RPINFO.DBF"});
}

TEST(Flconv, MissingWorkTableIsCreated) {
  TempDir dir;
  RecordingConsole console;
  const std::string name = dir / "ATIMAST";
  UpgradeOptions options;
  options.stkno_len = 6;
  EXPECT_EQ(Flconv(name, console, options).status, UpgradeStatus::kConverted);
  EXPECT_EQ(console.lines, std::vector<std::string>{"Converting " + name + "... "});
  EXPECT_EQ(dir.Files(), Files{"ATIMAST.DBF"});
  const auto t = ReadTable(dir / "ATIMAST.DBF");
  EXPECT_EQ(t.fields, Fields(RequiredFieldsFor("ATIMAST", 6)));
  EXPECT_EQ(t.fields.size(), 17u);
  EXPECT_EQ(t.fields[0], (FieldSpec{"ASTKNO", 'C', 6, 0}));
  EXPECT_TRUE(t.rows.empty());
}

TEST(Flconv, SettingsTableIsRebuiltKeepingItsRecord) {
  TempDir dir;
  auto old = Fields(RequiredFieldsFor("ATISYSFL"));
  old.pop_back();  // no NETBUYDAY yet
  Find(old, "USERKEY")->length = 10;
  Find(old, "STKFILE")->length = 80;
  Find(old, "XPSCRDEN")->length = 4;
  old.push_back({"CLS_ATI", 'C', 8, 0});  // an optional field the upgrade keeps
  std::vector<Value> row(old.size());
  row[0] = "P12345";
  row[3] = "ROVERU";
  row[10] = std::string(70, 'S') + "TAIL";
  row[41] = 1250;
  row[old.size() - 1] = "07";
  MakeTable(dir / "ATISYSFL.DBF", old, {row});

  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "ATISYSFL", console).status, UpgradeStatus::kConverted);
  EXPECT_EQ(console.lines.size(), 1u);
  EXPECT_EQ(dir.Files(), Files{"ATISYSFL.DBF"});

  const auto t = ReadTable(dir / "ATISYSFL.DBF");
  ASSERT_EQ(t.fields.size(), 45u);
  EXPECT_EQ(t.fields[3], (FieldSpec{"USERKEY", 'C', 15, 0}));
  EXPECT_EQ(t.fields[10], (FieldSpec{"STKFILE", 'C', 60, 0}));
  EXPECT_EQ(t.fields[41], (FieldSpec{"XPSCRDEN", 'N', 4, 0}));
  EXPECT_EQ(t.fields[43].name, "CLS_ATI");
  EXPECT_EQ(t.fields[44], (FieldSpec{"NETBUYDAY", 'C', 1, 0}));
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_EQ(t.Value(0, "PARTID"), "P12345");
  EXPECT_EQ(t.Value(0, "USERKEY"), "ROVERU");
  EXPECT_EQ(t.Value(0, "STKFILE"), std::string(60, 'S'));
  EXPECT_EQ(t.Value(0, "XPSCRDEN"), "1250");
  EXPECT_EQ(t.Value(0, "CLS_ATI"), "07");
  EXPECT_EQ(t.Value(0, "NETBUYDAY"), "");

  console.lines.clear();
  EXPECT_EQ(Flconv(dir / "ATISYSFL", console).status, UpgradeStatus::kUpToDate);
  EXPECT_TRUE(console.lines.empty());
}

TEST(Flconv, WrongFieldTypeStopsAndLeavesTheTable) {
  TempDir dir;
  auto fields = Fields(RequiredFieldsFor("RPINFO"));
  fields[1].type = 'C';  // RPAGE
  fields[4].length = 5;  // RTIME would be widened
  MakeTable(dir / "RPINFO.DBF", fields, {{"A", "12"}});
  const std::string before = ReadBytes(dir / "RPINFO.DBF");
  RecordingConsole console;
  const std::string name = dir / "RPINFO";
  const auto r = Flconv(name, console);
  EXPECT_EQ(r.status, UpgradeStatus::kQuit);
  EXPECT_TRUE(r.EndsProgram());
  const std::string message = "ERROR: file (" + name + ") field (RPAGE) - data type is not \"N\" !";
  EXPECT_EQ(console.lines, std::vector<std::string>{message});
  EXPECT_EQ(console.prompts, std::vector<std::string>{"Press any key to continue..."});
  EXPECT_EQ(r.message, message);
  EXPECT_EQ(ReadBytes(dir / "RPINFO.DBF"), before);
  EXPECT_EQ(dir.Files(), Files{"RPINFO.DBF"});
}

TEST(Flconv, FullDiskStopsAndLeavesTheOldTable) {
  TempDir dir;
  auto fields = Fields(RequiredFieldsFor("RPOPTN"));
  fields.pop_back();
  MakeTable(dir / "RPOPTN.DBF", fields, {{"A"}, {"B"}});
  const std::string before = ReadBytes(dir / "RPOPTN.DBF");
  RecordingConsole console;
  UpgradeOptions options;
  options.free_space = [](const auto&) { return uint64_t{100}; };
  const auto r = Flconv(dir / "RPOPTN", console, options);
  EXPECT_EQ(r.status, UpgradeStatus::kQuit);
  ASSERT_EQ(console.lines.size(), 2u);
  EXPECT_EQ(console.lines[1], "ERROR: There is not enough diskspace to convert the file !");
  EXPECT_EQ(console.bells, 1);
  EXPECT_EQ(console.prompts, std::vector<std::string>{"Press any key to continue..."});
  EXPECT_EQ(ReadBytes(dir / "RPOPTN.DBF"), before);
  EXPECT_EQ(dir.Files(), Files{"RPOPTN.DBF"});
}

TEST(Flconv, TableInUseIsSkippedSilently) {
  TempDir dir;
  MakeTable(dir / "RPINFO.DBF", {{"RNAME", 'C', 60, 0}}, {{"A"}});
  auto holder = dbf::Table::Open(dir / "RPINFO.DBF", dbf::Share::kShared);
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "RPINFO", console).status, UpgradeStatus::kInUse);
  EXPECT_TRUE(console.lines.empty());
  EXPECT_EQ(holder->fields().size(), 1u);
}

TEST(Flconv, DamagedTableFailsNamingTheFile) {
  TempDir dir;
  WriteBytes(dir / "RPINFO.DBF", "this is not a table at all, only some text");
  RecordingConsole console;
  const auto r = Flconv(dir / "RPINFO", console);
  EXPECT_EQ(r.status, UpgradeStatus::kFailed);
  EXPECT_FALSE(r.EndsProgram());
  EXPECT_NE(r.message.find("RPINFO.DBF"), std::string::npos) << r.message;
  EXPECT_EQ(ReadBytes(dir / "RPINFO.DBF"), "this is not a table at all, only some text");
  EXPECT_EQ(dir.Files(), Files{"RPINFO.DBF"});
}

TEST(Flconv, LetterCaseOfTheFileIsKept) {
  TempDir dir;
  MakeTable(dir / "rpinfo.dbf", {{"RNAME", 'C', 60, 0}}, {{"KEPT"}});
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "RPINFO", console).status, UpgradeStatus::kConverted);
  EXPECT_EQ(dir.Files(), Files{"rpinfo.dbf"});
  EXPECT_EQ(ReadTable(dir / "rpinfo.dbf").Value(0, "RNAME"), "KEPT");
}

TEST(Flconv, LinkedTableIsUpgradedWhereItLies) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "obx");
  MakeTable(dir / "obx/CLIENTS.DBF", {{"CLNO", 'C', 8, 0}}, {{"A1"}});
  std::filesystem::create_symlink("obx/CLIENTS.DBF", dir.path() / "CLMAST.DBF");
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "CLMAST", console).status, UpgradeStatus::kConverted);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "CLMAST.DBF"));
  EXPECT_EQ(dir.Files(), (Files{"CLMAST.DBF", "obx"}));
  const auto t = ReadTable(dir / "obx/CLIENTS.DBF");
  EXPECT_EQ(t.fields.size(), 2u);
  EXPECT_EQ(t.Value(0, "CLNO"), "A1");
}

TEST(Flconv, OrphanedBackupIsRestoredBeforeTheUpgrade) {
  TempDir dir;
  // An older version crashed after moving the table to .BAK.
  MakeTable(dir / "RPINFO.BAK", {{"RNAME", 'C', 60, 0}}, {{"ONE"}, {"TWO"}});
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "RPINFO", console).status, UpgradeStatus::kConverted);
  EXPECT_EQ(dir.Files(), Files{"RPINFO.DBF"});
  const auto t = ReadTable(dir / "RPINFO.DBF");
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.Value(1, "RNAME"), "TWO");

  // Beside a table that exists, a .BAK may hold the only complete copy: it is kept.
  MakeTable(dir / "RPINFO.BAK", {{"RNAME", 'C', 60, 0}}, {{"OLD"}});
  EXPECT_EQ(Flconv(dir / "RPINFO", console).status, UpgradeStatus::kUpToDate);
  EXPECT_EQ(dir.Files(), (Files{"RPINFO.BAK", "RPINFO.DBF"}));
}

TEST(Flconv, DamagedSwapMarkerNamesNoOtherFile) {
  TempDir dir;
  MakeTable(dir / "RPINFO.DBF", {{"RNAME", 'C', 60, 0}}, {{"KEPT"}});
  MakeTable(dir / "OTHER.DBF", {{"X", 'C', 1, 0}}, {});
  WriteBytes(dir / "RPINFO_ZURSWAP.TXT", "OTHER\n");
  RecordingConsole console;
  EXPECT_EQ(Flconv(dir / "RPINFO", console).status, UpgradeStatus::kConverted);
  EXPECT_EQ(dir.Files(), (Files{"OTHER.DBF", "RPINFO.DBF"}));
  EXPECT_EQ(ReadTable(dir / "RPINFO.DBF").Value(0, "RNAME"), "KEPT");
}

TEST(DelNsx, DeletesTheIndexFileInAnyLetterCase) {
  TempDir dir;
  WriteBytes(dir / "atimast.nsx", "index");
  EXPECT_TRUE(DelNsx(dir / "ATIMAST"));
  EXPECT_FALSE(DelNsx(dir / "ATIMAST"));
  EXPECT_TRUE(dir.Files().empty());
}

}  // namespace
}  // namespace zur::upgrade

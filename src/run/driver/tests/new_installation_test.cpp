// A new broker from `zur init`: the directory it makes, the refusal of a second one, and a
// checking run there once the settings are filled in, which gives the sample broker's files.
#include <sys/wait.h>

#include <cstdlib>

#include "brokers/sample_broker.h"
#include "platform/pdf/tests/tool_runner.h"
#include "platform/vars/memory_file.h"
#include "run/driver/tests/e2e_fixture.h"

namespace zur::driver::testing {
namespace {

namespace fs = std::filesystem;
using pdf::testing::ReadAll;
using ::testing::HasSubstr;

int Zur(const fs::path& dir, const std::string& args) {
  const std::string command = "cd '" + dir.string() + "' && SOURCE_DATE_EPOCH=1796000000 '" +
                              ZUR_BINARY + "' " + args + " >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(NewInstallation, InitThenSettingsThenTheSampleRun) {
  dbf::testing::TempDir work;
  ASSERT_EQ(Zur(work.path(), "init NEW --participant B01234 --site SAMPLE"), 0)
      << ReadAll(work / "err.txt");
  const fs::path db = work / "NEW";
  for (const char* file : {"ATISYSFL.DBF", "RPINFO.DBF", "RPOPTN.DBF", "ATIMAST.DBF", "ZUR.XBS"})
    EXPECT_TRUE(fs::is_regular_file(db / file)) << file;
  {
    auto sys = dbf::Table::Open(db / "ATISYSFL.DBF", dbf::Share::kShared, dbf::Access::kReadOnly);
    ASSERT_EQ(sys->RecCount(), 1u);
    sys->GoTop();
    EXPECT_EQ(sys->Get("PARTID").str(), "B01234");
    EXPECT_EQ(text::RTrim(sys->Get("USERKEY").str()), "SAMPLE");
    EXPECT_TRUE(text::IsBlank(sys->Get("EXSTRQTY").str()));
  }

  // A second init in the same place changes nothing.
  const std::string settings_before = ReadAll(db / "ATISYSFL.DBF");
  EXPECT_EQ(Zur(work.path(), "init NEW --participant B09999"), 1);
  EXPECT_THAT(ReadAll(work / "err.txt"), HasSubstr("already holds a settings table"));
  EXPECT_EQ(ReadAll(db / "ATISYSFL.DBF"), settings_before);
  EXPECT_EQ(Zur(work.path(), "init OTHER"), 2);  // the participant is required

  // The operator fills in the settings (here: the sample broker's) and the day's files arrive.
  dbf::testing::TempDir sample;
  brokers::WriteInstallation(brokers::SampleBroker(), sample.path());
  fs::copy(sample / "OBX", db / "OBX", fs::copy_options::recursive);
  fs::copy_file(sample / "CCASS.TXT", db / "CCASS.TXT");
  {
    auto from =
        dbf::Table::Open(sample / "ATISYSFL.DBF", dbf::Share::kShared, dbf::Access::kReadOnly);
    auto to = dbf::Table::Open(db / "ATISYSFL.DBF", dbf::Share::kExclusive);
    from->GoTop();
    to->GoTop();
    for (const dbf::FieldSpec& field : from->fields()) {
      if (field.name != "PARTID" && field.name != "USERKEY")
        to->Replace(field.name, from->Get(field.name));
    }
    to->Flush();
  }
  VarStore saved;
  ASSERT_TRUE(RestoreMemoryFile((db / "ZUR.XBS").string(), saved, RestoreMode::kReplace).ok());
  ASSERT_TRUE(RestoreMemoryFile((sample / "ZUR.XBS").string(), saved, RestoreMode::kAdditive).ok());
  ASSERT_TRUE(SaveMemoryFile((db / "ZUR.XBS").string(), saved).ok());

  ASSERT_EQ(Zur(db, "check --gen-date 08/12/2026 --pdf"), 0) << ReadAll(db / "err.txt");
  ASSERT_EQ(Zur(sample.path(), "check --gen-date 08/12/2026 --pdf"), 0)
      << ReadAll(sample / "err.txt");
  for (const char* upload : {"ZURFILE.TXT", "STIFILE.TXT"}) {
    EXPECT_FALSE(ReadAll(db / upload).empty()) << upload;
    EXPECT_EQ(ReadAll(db / upload), ReadAll(sample / upload)) << upload;
  }
}

}  // namespace
}  // namespace zur::driver::testing

#include "app/startup/settings_write.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/startup/tests/startup_fixture.h"

namespace zur::startup::testing {
namespace {

class SettingsWriteTest : public StartupTest {
 protected:
  void StartWith(const std::map<std::string, Value>& values,
                 std::vector<dbf::FieldSpec> fields = SettingsFields()) {
    MakeSettings(values, std::move(fields));
    const StartupResult r = Start();
    ASSERT_TRUE(r.ok()) << r.message;
  }
  // The record as another open sees it after the settings table has been closed.
  Value Stored(std::string_view field) {
    areas.CloseAll();
    auto t = dbf::Table::Open(dir.path() / "ATISYSFL.DBF", dbf::Share::kShared);
    t->GoTop();
    return t->Get(field);
  }
};

TEST_F(SettingsWriteTest, BlankFlagsTakeTheirDefaultsAndTheSetupFieldsAreWritten) {
  StartWith({{"XPSCRDEN", 125}, {"PARTID", "B01234"}});
  vars.Set("ATI_A", "11");
  vars.Set("EX_BANQTY", "  ");
  vars.Set("COVER_SS", "");
  vars.Set("CHINESE", "Y");
  vars.Set("PART_ID", "CHANGED");  // written by its own screen, never here
  const SettingsWriteResult r = WriteSettingsBack(vars, areas, 125);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_FALSE(r.density_changed);
  EXPECT_EQ(vars.Get("EX_BANQTY"), Value("Y"));
  EXPECT_EQ(vars.Get("COVER_SS"), Value("N"));
  EXPECT_EQ(Stored("CLA_ATI"), Value("11      "));
  EXPECT_EQ(Stored("EXBANQTY"), Value("Y"));
  EXPECT_EQ(Stored("EXSTRQTY"), Value("Y"));
  EXPECT_EQ(Stored("COVERSS"), Value("N"));
  EXPECT_EQ(Stored("CHINESES"), Value("Y"));
  EXPECT_EQ(Stored("CLF_ATI"), Value("03      "));  // the start-up default is now stored
  EXPECT_EQ(Stored("PARTID"), Value("B01234"));
  EXPECT_EQ(Stored("XPSCRDEN"), Value(125));
}

TEST_F(SettingsWriteTest, OptionalAccountsOnlyWhenTheRecordHasThem) {
  auto fields = SettingsFields();
  fields.push_back({"CLB_ATI", 'C', 8, 0});
  StartWith({{"CLB_ATI", "55"}}, fields);
  vars.Set("ATI_B", "66");
  vars.Set("ATI_S", "77");  // the record has no CLS_ATI: nothing to write, nothing fails
  ASSERT_TRUE(WriteSettingsBack(vars, areas, 100).ok());
  EXPECT_EQ(Stored("CLB_ATI"), Value("66      "));
}

TEST_F(SettingsWriteTest, SiteFieldsFollowTheSite) {
  StartWith({{"USERKEY", "ROVERU"}});
  vars.Set("EX_CLA29", "Y");
  vars.Set("ATI_BM", "99");
  ASSERT_TRUE(WriteSettingsBack(vars, areas, 100).ok());
  EXPECT_EQ(areas.Find("SYS")->Get("EXCLA29"), Value("Y       "));
  EXPECT_EQ(areas.Find("SYS")->Get("CLBM_ATI"), Value("        "));
}

TEST_F(SettingsWriteTest, ChangedDensityEndsTheProgram) {
  StartWith({});
  vars.Set("nXPSCRDEN", 150);
  const SettingsWriteResult r = WriteSettingsBack(vars, areas, 100);
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(r.density_changed);
  EXPECT_EQ(Stored("XPSCRDEN"), Value(150));
}

TEST_F(SettingsWriteTest, DensityTooWideForItsFieldIsRefusedNamingTheTable) {
  StartWith({});
  vars.Set("nXPSCRDEN", 1000);
  const SettingsWriteResult r = WriteSettingsBack(vars, areas, 100);
  EXPECT_THAT(r.error, ::testing::HasSubstr("ATISYSFL"));
  EXPECT_FALSE(r.density_changed);
}

TEST_F(SettingsWriteTest, RunInputsReplaceOnlyTheirFields) {
  StartWith({{"PARTID", "B01234"}});
  vars.Set("CCASS_DIR", "/data/ccass");
  vars.Set("STI_TEXT", "STI2.TXT");
  vars.Set("ATI_A", "11");
  ASSERT_TRUE(WriteRunInputsBack(vars, areas).ok());
  EXPECT_EQ(Stored("CCASSPATH"), Value("/data/ccass" + std::string(19, ' ')));
  EXPECT_EQ(Stored("STITEXT"), Value("STI2.TXT" + std::string(22, ' ')));
  EXPECT_EQ(Stored("CLA_ATI"), Value("        "));
}

TEST_F(SettingsWriteTest, WithoutTheSettingsTableNothingIsWritten) {
  VarStore v;
  dbf::WorkAreas none;
  EXPECT_FALSE(WriteSettingsBack(v, none, 100).ok());
  EXPECT_FALSE(WriteRunInputsBack(v, none).ok());
}

}  // namespace
}  // namespace zur::startup::testing

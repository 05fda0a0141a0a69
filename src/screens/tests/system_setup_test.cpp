#include "screens/system_setup.h"

#include <gtest/gtest.h>

#include "screens/account_check.h"
#include "screens/tests/screens_fixture.h"

namespace zur::screens {
namespace {

using term::KeyId;

class SystemSetupTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    vars = VarStore();
    const char* accounts[] = {"ATI_A", "ATI_C", "ATI_I", "ATI_M", "ATI_P",
                              "ATI_F", "ATI_S", "ATI_T", "ATI_B", "ATI_OTHER"};
    int n = 4;
    for (const char* a : accounts) vars.Set(a, Padded(std::to_string(n++), 8));
    for (const char* flag :
         {"EX_STRQTY", "EX_COMQTY", "EX_TDQTY", "EX_BANQTY", "EX_OTHQTY", "COVER_SS", "ATI_02",
          "COMPRESS", "ATI_ONLY", "ATI_01OUT", "NO_SHRATI"})
      vars.Set(flag, "N");
    vars.Set("EX_CLA29", Padded("N", 8));
    vars.Set("EX_CLTYPE", Padded("IM", 10));
    vars.Set("EX_SLATI", Padded("", 8));
    vars.Set("SEND_BIC", Padded("SAMPHKHH", 8));
    vars.Set("COLOR_SET", Padded("W+/B,N/W", 20));
    vars.Set("MONO_SET", Padded("W/N", 20));
    vars.Set("nXPSCRDEN", 100);
    vars.Set("USER_KEY", Padded("DEMO", 15));
    vars.Set("SYSTEM_KEY", "HK  ");
    for (const char* flag : {"CHECK_CLS", "CHECK_CLT", "CHECK_CLB"}) vars.Set(flag, false);
  }
  bool Run() { return SystemSetup(screen, vars); }
};

TEST_F(SystemSetupTest, OptionalRowsMoveTheRowsBelowThemAndTheMultiAccountSiteHasNoAField) {
  vars.Set("CHECK_CLT", true);
  vars.Set("USER_KEY", Padded("ROVERU", 15));
  Press(KeyId::kEsc);
  EXPECT_FALSE(Run());
  EXPECT_EQ(FirstRow(5).substr(0, 36), "   CCASS A/C for \"A\" CLIENTS   Multi");
  EXPECT_EQ(FirstRow(10).substr(3, 29), "CCASS A/C for \"F\" CLIENTS   9");
  EXPECT_EQ(FirstRow(11).substr(3, 30), "CCASS A/C for \"T\" CLIENTS   11");
  EXPECT_EQ(FirstRow(12).substr(3, 30), "CCASS A/C for \"Other\"       13");
  EXPECT_EQ(FirstRow(14).substr(3, 29), "Exclude \"A29\" Clients (Y/N) N");
  EXPECT_EQ(FirstRow(13).find("CLIENTS"), std::string::npos);
  EXPECT_EQ(FirstRow(23), "   Screen density (100, 125, 150, 200)  100");
  EXPECT_EQ(FirstRow(3).substr((80 - 16) / 2 + 1), "(1) SYSTEM SETUP");
}

TEST_F(SystemSetupTest, FocusStartsOnTheFirstAccountField) {
  const struct {
    const char* site;
    const char* edited;
  } cases[] = {{"DEMO", "ATI_A"}, {"ROVERU", "ATI_C"}};
  for (const auto& c : cases) {
    SetUp();
    vars.Set("USER_KEY", Padded(c.site, 15));
    backend.Type("12");
    Press(KeyId::kPgDn);
    EXPECT_TRUE(Run()) << c.site;
    EXPECT_EQ(vars.Get(c.edited).str(), "12      ") << c.site;
  }
}

TEST_F(SystemSetupTest, AccountCheck) {
  const struct {
    const char* typed;
    bool eight_digit;
    const char* problem;
  } cases[] = {
      {"01", false, "ERROR: \"CCASS A/C\" CANNOT BE \"01\" !"},
      {"00000001", true, "ERROR: \"CCASS A/C\" CANNOT BE \"01\" !"},
      {"01", true, ""},
      {"00", false, "ERROR: \"CCASS A/C\" CANNOT BE \"00\" !"},
      {"00000000", true, "ERROR: \"CCASS A/C\" CANNOT BE \"00\" !"},
      {"12A", false, "ERROR: \"CCASS A/C\" MUST BE NUMERIC !"},
      {"1 2", false, ""},
      {"        ", false, ""},
      {"", true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AccountProblem(c.typed, c.eight_digit), c.problem) << c.typed << " " << c.eight_digit;
}

TEST_F(SystemSetupTest, RefusedAccountIsShownRebuiltWithWhatWasTypedAndEscRestoresIt) {
  backend.Type("01");
  Press(KeyId::kPgDn);
  Press(KeyId::kEnter, 2);  // the field's check and the confirmation's check
  Press(KeyId::kEsc);
  EXPECT_FALSE(Run());
  EXPECT_EQ(WaitsShowing("ERROR: \"CCASS A/C\" CANNOT BE \"01\" !"), 2);
  EXPECT_EQ(LastRow(5).substr(31, 3), "01 ");
  EXPECT_EQ(vars.Get("ATI_A").str(), "4       ");
}

TEST_F(SystemSetupTest, ReadOnlyTransferOptionOfTheMainlandMarketsIsSkippedByTab) {
  const struct {
    const char* market;
    const char* edited;
    const char* kept;
  } cases[] = {{"HK  ", "ATI_01OUT", "NO_SHRATI"}, {"SZMK", "NO_SHRATI", "ATI_01OUT"}};
  for (const auto& c : cases) {
    SetUp();
    vars.Set("SYSTEM_KEY", c.market);
    Press(KeyId::kTab, 18);
    backend.Type("Y");
    Press(KeyId::kPgDn);
    EXPECT_TRUE(Run()) << c.market;
    EXPECT_EQ(vars.Get(c.edited).str(), "Y") << c.market;
    EXPECT_EQ(vars.Get(c.kept).str(), "N") << c.market;
  }
}

TEST_F(SystemSetupTest, DensityIsStoredAsTheNumberTypedAndEnterOnItConfirms) {
  const struct {
    const char* typed;
    double stored;
  } cases[] = {{"150", 150}, {"abc", 0}, {"", 0}};
  for (const auto& c : cases) {
    SetUp();
    Press(KeyId::kTab, 23);
    if (*c.typed == 0)
      Press(KeyId::kDelete);
    else
      backend.Type(c.typed);
    Press(KeyId::kEnter);
    EXPECT_TRUE(Run()) << c.typed;
    EXPECT_EQ(vars.Get("nXPSCRDEN").num(), c.stored) << c.typed;
  }
}

TEST_F(SystemSetupTest, TabOnTheLastFieldWrapsToTheFirstAndATextKeepsItsWidth) {
  Press(KeyId::kTab, 24);
  backend.Type("7");
  Press(KeyId::kPgDn);
  EXPECT_TRUE(Run());
  EXPECT_EQ(vars.Get("ATI_A").str(), "7       ");
  EXPECT_EQ(vars.Get("nXPSCRDEN").num(), 100);
}

TEST_F(SystemSetupTest, ExitKeysLeaveEveryVariableAsItWas) {
  for (KeyId exit : {KeyId::kEsc, KeyId::kPgUp}) {
    SetUp();
    const VarStore before = vars;
    backend.Type("11");
    Press(KeyId::kTab);
    backend.Type("22");
    Press(KeyId::kTab);
    backend.Type("3");
    Press(exit);
    EXPECT_FALSE(Run());
    for (const std::string& name : before.Names())
      EXPECT_EQ(vars.Get(name), before.Get(name)) << name;
  }
}

}  // namespace
}  // namespace zur::screens

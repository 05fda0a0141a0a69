#include "lib/format/format_functions.h"
#include "lib/compat/tests/routines_fixture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace zur::format {
namespace {

class FormatFunctions : public compat::testing::RoutinesTest<&RegisterFormatFunctions> {};

TEST_F(FormatFunctions, IndexKeysFollowTheStore) {
  EXPECT_EQ(Eval("STRVAL('5')"), Value("    5"));
  EXPECT_TRUE(vars_.Exists("AFTER_SAS_CONV"));
  vars_.Set("SAS_MKT", Value(true));
  vars_.Set("STKNO_LEN2", Value(6));
  EXPECT_EQ(Eval("STRVAL3('5') + '|'"), Value("     5|"));
  EXPECT_EQ(Eval("STRVAL2('600519')"), Value("00519"));
  EXPECT_EQ(Eval("LEADZERO('7', 3)"), Value("007"));

  Eval("STRVAL(5)");
  EXPECT_FALSE(ok_);
  EXPECT_NE(message_.find("STRVAL"), std::string::npos) << message_;
}

TEST_F(FormatFunctions, UploadLineAndAccounts) {
  vars_.Set("P_STR", Value("H"));
  vars_.Set("IS_CCASS3", Value(true));
  vars_.Set("CAS3_CHAR", Value(" ABC0123456789"));
  Eval("SIEXCATC('A&B', 6)");
  Eval("SIEXCATN(12, 4)");
  EXPECT_EQ(vars_.Get("P_STR"), Value("HA B  0012"));

  vars_.Set("GEN_DATE", Value(*Date::FromYmd(2007, 5, 7)));
  vars_.Set("CAS3_0705", Value(*Date::FromYmd(2007, 5, 7)));
  EXPECT_EQ(Eval("FMTACNUM(' 5 ')"), Value("00000005"));
  EXPECT_EQ(Eval("CCASS0705R()"), Value(false));
}

TEST_F(FormatFunctions, DatesAndSplitting) {
  EXPECT_EQ(Eval("SHORTDATE(DATECONV('06JUN07'))"), Value("06-Jun-07"));
  EXPECT_EQ(Eval("FDMY('060607', 'M_DATE')"), Value(true));
  EXPECT_EQ(vars_.Get("M_DATE"), Value("06/06/07"));
  EXPECT_EQ(Eval("FDMY('310207')"), Value(false));
  EXPECT_EQ(Eval("CUTCOMMA('1,000-')"), Value(-1000));
  EXPECT_EQ(Eval("ISHKMARKET('HKEX')"), Value(true));

  vars_.Set("A", Value::NewArray(1));
  Eval("CUTCSV2('a,\"b,c\",d', A)");
  ASSERT_TRUE(ok_) << message_;
  EXPECT_EQ(vars_.Get("A"), Value::NewArray({Value("a"), Value("b,c"), Value("d")}));
  Eval("CUTFIELD(' x ; y ; z ', ';', A)");
  EXPECT_EQ(vars_.Get("A"), Value::NewArray({Value("x"), Value("y"), Value("z")}));

  vars_.Set("M_STR", Value("AB\r\nCD"));
  Eval("SETLEN()");
  EXPECT_EQ(vars_.Get("LINE_LEN"), Value(3));
}

TEST_F(FormatFunctions, ReadTextReportsTheMissingFile) {
  Eval("READTEXT2ARRARY('/nonexistent/ASSTKMAP.TXT')");
  EXPECT_FALSE(ok_);
  EXPECT_NE(message_.find("/nonexistent/ASSTKMAP.TXT"), std::string::npos) << message_;

  char name[] = "/tmp/zur_map_XXXXXX";
  int fd = ::mkstemp(name);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "1600519005\r\n", 12), 12);
  ::close(fd);
  Value lines = Eval("READTEXT2ARRARY('" + std::string(name) + "')");
  EXPECT_EQ(lines, Value::NewArray({Value("1600519005")}));
  ::unlink(name);
}

}  // namespace
}  // namespace zur::format

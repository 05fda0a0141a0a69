#include "app/upgrade/check_dbf.h"

#include <gtest/gtest.h>

#include "app/upgrade/tests/test_tables.h"

namespace zur::upgrade {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string TableBytes(uint8_t version) {
  return std::string(1, char(version)) + std::string(40, 'x');
}

TEST(CheckDbf, RestoresThePlainVersionByte) {
  struct Case {
    uint8_t before;
    bool mark;
    uint8_t after;
  };
  const Case cases[] = {{0x03, false, 0x03}, {0x01, false, 0x03}, {0x30, false, 0x03},
                        {0x7F, false, 0x03}, {0x83, false, 0x83}, {0x80, false, 0x83},
                        {0x81, false, 0x83}, {0xF5, false, 0x83}, {0x03, true, 0x01},
                        {0x01, true, 0x01},  {0x83, true, 0x81},  {0x81, true, 0x81}};
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.before));
    WriteBytes(dir / "PFMAST.DBF", TableBytes(c.before));
    EXPECT_EQ(CheckDbf(dir / "PFMAST", c.mark), c.before != c.after);
    EXPECT_EQ(ReadBytes(dir / "PFMAST.DBF"), TableBytes(c.after));
  }
}

TEST(CheckDbf, FindsTheFileByNameInAnyLetterCase) {
  TempDir dir;
  WriteBytes(dir / "smmast.dbf", TableBytes(0x30));
  EXPECT_TRUE(CheckDbf(dir / "SMMAST", false));  // ".dbf" appended, case ignored
  EXPECT_EQ(ReadBytes(dir / "smmast.dbf")[0], 3);
  WriteBytes(dir / "smmast.dbf", TableBytes(0x30));
  EXPECT_TRUE(CheckDbf(dir / "SMMAST.DBF", false));  // no second extension
  EXPECT_EQ(ReadBytes(dir / "smmast.dbf")[0], 3);
}

TEST(CheckDbf, LeavesMissingAndShortFilesAlone) {
  TempDir dir;
  EXPECT_FALSE(CheckDbf(dir / "NONE", false));
  EXPECT_TRUE(dir.Files().empty());
  WriteBytes(dir / "SHORT.DBF", "\x30xyz");
  EXPECT_FALSE(CheckDbf(dir / "SHORT", false));
  EXPECT_EQ(ReadBytes(dir / "SHORT.DBF"), "\x30xyz");
}

}  // namespace
}  // namespace zur::upgrade

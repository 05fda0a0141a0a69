// Damaged table files: every one gives an error that names the file, never a crash.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

using testing::TempDir;

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

class DamagedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_ / "DAMAGED.DBF";
    Table::Create(path_, {{"A", 'C', 4, 0}, {"N", 'N', 5, 0}});
    auto t = Table::Open(path_, Share::kExclusive);
    for (int i = 0; i < 3; ++i) {
      t->Append();
      t->Replace("A", Value("abcd"));
    }
    t.reset();
    good_ = ReadAll(path_);
  }

  // Opens the damaged bytes; expects a kDamaged error naming the file and mentioning `what`.
  void ExpectDamaged(const std::string& bytes, const std::string& what) {
    WriteAll(path_, bytes);
    try {
      Table::Open(path_, Share::kShared, Access::kReadOnly);
      ADD_FAILURE() << "opened a damaged file: " << what;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::kDamaged) << e.what();
      EXPECT_NE(std::string(e.what()).find("DAMAGED.DBF"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
    }
  }

  TempDir dir_;
  std::filesystem::path path_;
  std::string good_;
};

TEST_F(DamagedFile, EachKindOfDamageIsReported) {
  ExpectDamaged("", "shorter than a table header");
  ExpectDamaged(good_.substr(0, 20), "shorter than a table header");
  ExpectDamaged(good_.substr(0, 50), "cut short");

  std::string b = good_;
  b[8] = 20, b[9] = 0;  // header length below the fixed part
  ExpectDamaged(b, "header length too small");

  b = good_;
  b[8] = 40;  // header length cuts the second field descriptor
  ExpectDamaged(b, "header length does not fit");

  b = good_;
  b[32 + 32 + 32] = 'X';  // terminator overwritten: descriptors run into the data
  ExpectDamaged(b, "does not fit");

  b = good_;
  b[10] = 11;  // record length not the sum of the widths
  ExpectDamaged(b, "record length");

  b = good_;
  b[4] = 50;  // more records than the file holds
  ExpectDamaged(b, "shorter than its 50 records");

  b = good_;
  b[32 + 11] = 'Q';  // unknown field type
  ExpectDamaged(b, "unknown type");

  b = good_;
  b[32 + 16] = 0;  // width 0
  ExpectDamaged(b, "width 0");

  b = good_;
  b[32 + 32] = 'A', b[32 + 33] = 0;  // second field also named A
  ExpectDamaged(b, "twice");

  b = good_;
  b[32] = 0;  // no name
  ExpectDamaged(b, "no valid name");
}

TEST_F(DamagedFile, OtherVersionBytesAndAMissingEndByteAreRead) {
  std::string b = good_;
  b[0] = 0x30;
  b.pop_back();  // no 0x1A
  WriteAll(path_, b);
  auto t = Table::Open(path_, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(t->version(), 0x30);
  EXPECT_EQ(t->RecCount(), 3u);
  t->GoBottom();
  EXPECT_EQ(t->Get("A"), Value("abcd"));
}

TEST_F(DamagedFile, GarbageInFieldsReadsAsBlankValues) {
  std::string b = good_;
  const size_t rec1 = 32 + 2 * 32 + 1;
  b.replace(rec1 + 5, 5, "*#!x ");  // N field holding no number
  WriteAll(path_, b);
  auto t = Table::Open(path_, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(t->Get("N"), Value(0.0));
}

TEST_F(DamagedFile, FileTruncatedWhileOpenIsReportedOnRead) {
  auto t = Table::Open(path_, Share::kShared, Access::kReadOnly);
  std::filesystem::resize_file(path_, 32 + 2 * 32 + 1 + 10);
  EXPECT_THROW(t->GoBottom(), Error);
  EXPECT_THROW(t->RefreshHeader(), Error);
}

}  // namespace
}  // namespace zur::dbf

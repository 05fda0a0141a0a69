// The seek index against the table engine's own orders: the same records found for every text
// sought, the same walks, also while records are appended during a walk.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/dbf/record_scan.h"
#include "platform/dbf/seek_index.h"
#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

class SeekIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Table::Create(dir_ / "KEYS.DBF", {{"KEY", 'C', 6, 0}, {"QTY", 'N', 5, 0}});
    t_ = Table::Open(dir_ / "KEYS.DBF", Share::kExclusive);
    t_->CreateOrder("K", "KEY");
  }

  // A key of a few letters, blanks and one control character, so that many keys share a
  // prefix and some sort before a blank.
  std::string RandomText(size_t max_length) {
    static const char kLetters[] = {'A', 'B', ' ', '\x01', 'A'};
    std::string s(rng_() % (max_length + 1), ' ');
    for (char& c : s) c = kLetters[rng_() % sizeof kLetters];
    return s;
  }

  void Append(const std::string& key) {
    t_->Append();
    t_->Replace("KEY", Value(key));
    index_.Add(t_->Raw(0));
  }

  uint32_t EngineSeek(const std::string& want) { return t_->Seek(Value(want)) ? t_->RecNo() : 0; }

  std::vector<uint32_t> EngineWalk() {
    std::vector<uint32_t> out;
    for (t_->GoTop(); !t_->Eof(); t_->Skip()) out.push_back(t_->RecNo());
    return out;
  }

  std::vector<uint32_t> IndexWalk() {
    std::vector<uint32_t> out;
    for (SeekIndex::Walk w = index_.Begin(); w.recno() != 0; w.Next()) out.push_back(w.recno());
    return out;
  }

  testing::TempDir dir_;
  std::unique_ptr<Table> t_;
  SeekIndex index_{6};
  std::mt19937 rng_{11};
};

TEST_F(SeekIndexTest, FindsWhatTheEngineFindsForEveryLengthSought) {
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < 150; ++i) Append(RandomText(6));
    for (int i = 0; i < 600; ++i) {
      const std::string want = RandomText(8);
      ASSERT_EQ(index_.Seek(want), EngineSeek(want)) << "\"" << want << "\"";
    }
    ASSERT_EQ(IndexWalk(), EngineWalk());
  }
}

TEST_F(SeekIndexTest, AWalkMeetsRecordsAppendedAfterItsPlace) {
  for (int i = 0; i < 200; ++i) Append(RandomText(4));
  // The same appends on the walks of both: at every tenth record one key sorting anywhere.
  std::vector<std::string> appended;
  for (int i = 0; i < 40; ++i) appended.push_back(RandomText(6));
  std::vector<uint32_t> by_engine;
  size_t next = 0;
  for (t_->GoTop(); !t_->Eof(); t_->Skip()) {
    by_engine.push_back(t_->RecNo());
    if (by_engine.size() % 10 == 0 && next < appended.size()) {
      const uint32_t here = t_->RecNo();
      t_->Append();
      t_->Replace("KEY", Value(appended[next++]));
      t_->GoTo(here);
    }
  }
  // The index over a copy of the first 200 records, then the walk with the same appends.
  SeekIndex index(6);
  TableCopy copy(*t_);
  for (uint32_t r = 1; r <= 200; ++r) index.Add(copy.Record(r).Field(0));
  std::vector<uint32_t> by_index;
  next = 0;
  for (SeekIndex::Walk w = index.Begin(); w.recno() != 0; w.Next()) {
    by_index.push_back(w.recno());
    if (by_index.size() % 10 == 0 && next < appended.size()) index.Add(appended[next++]);
  }
  EXPECT_EQ(by_index, by_engine);
  // A walk from a record goes on from there.
  SeekIndex::Walk from = index.At(by_index[5]);
  from.Next();
  EXPECT_EQ(from.recno(), by_index[6]);
}

TEST(RecordScan, ReadsEveryRecordInBlocksWithThePendingChange) {
  testing::TempDir dir;
  for (Share share : {Share::kExclusive, Share::kShared}) {
    const std::string name = share == Share::kShared ? "SHARED.DBF" : "EXCL.DBF";
    Table::Create(dir / name, {{"N", 'N', 6, 0}});
    auto t = Table::Open(dir / name, share);
    for (int i = 1; i <= 1000; ++i) {
      t->Append();
      t->Replace("N", Value(static_cast<double>(i)));
      if (share == Share::kShared) t->Unlock(t->RecNo());
    }
    if (share == Share::kShared) t->Lock(1000);
    t->Replace("N", Value(-1.0));  // the last record's change, not yet written back
    RecordScan scan(*t, 70);       // blocks of a few records
    double sum = 0;
    uint32_t last = 0;
    while (scan.Next()) {
      sum += std::stod(std::string(scan.record().Field(0)));
      last = scan.recno();
    }
    EXPECT_EQ(last, 1000u);
    EXPECT_EQ(sum, 999.0 * 1000 / 2 - 1);
    EXPECT_TRUE(TableCopy(*t).Record(0).bytes().find_first_not_of(' ') == std::string::npos);
  }
}

}  // namespace
}  // namespace zur::dbf

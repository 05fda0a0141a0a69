#include "platform/dbf/table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <tuple>

#include "platform/dbf/dbf_format.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::dbf {
namespace {

using testing::TempDir;

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::vector<FieldSpec> kFields = {
    {"FACCT", 'C', 10, 0}, {"FQTY", 'N', 12, 2}, {"FDATE", 'D', 8, 0}, {"FOK", 'L', 1, 0}};

// A table with records whose FACCT is "A1".."An" and FQTY is 10 * i.
std::unique_ptr<Table> Filled(const std::filesystem::path& p, int n,
                              Share share = Share::kExclusive) {
  Table::Create(p, kFields);
  auto t = Table::Open(p, share);
  for (int i = 1; i <= n; ++i) {
    t->Append();
    t->Replace("FACCT", Value("A" + std::to_string(i)));
    t->Replace("FQTY", Value(10.0 * i));
  }
  return t;
}

TEST(TableFile, CreateWritesHeaderRecordsAndEndByte) {
  TempDir dir;
  auto p = dir / "T.DBF";
  {
    auto t = Filled(p, 2);
    t->GoTo(1);
    t->Replace("FDATE", Value(*Date::FromYmd(2024, 2, 29)));
    t->Replace("FOK", Value(true));
  }
  std::string bytes = ReadAll(p);
  const size_t header = 32 + 4 * 32 + 1, rec = 1 + 10 + 12 + 8 + 1;
  ASSERT_EQ(bytes.size(), header + 2 * rec + 1);
  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 2);  // record count
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8,
            header);
  EXPECT_EQ(static_cast<unsigned char>(bytes[10]), rec);
  EXPECT_EQ(bytes[header - 1], 0x0D);
  EXPECT_EQ(bytes.substr(header, rec), " A1               10.0020240229T");
  EXPECT_EQ(bytes.substr(header + rec, rec), " A2               20.00         ");
  EXPECT_EQ(bytes.back(), 0x1A);
  Date today = Date::Today();
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), today.Year() - 1900);
  EXPECT_EQ(bytes[2], today.Month());
  EXPECT_EQ(bytes[3], today.Day());
}

TEST(TableFile, ReadsValuesAsStored) {
  TempDir dir;
  auto p = dir / "T.DBF";
  Filled(p, 2).reset();
  auto t = Table::Open(p, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(t->RecCount(), 2u);
  EXPECT_EQ(t->Get("facct"), Value("A1        "));  // trailing blanks kept
  EXPECT_EQ(t->Get("FQTY"), Value(10.0));
  EXPECT_TRUE(t->Get("FDATE").date().IsBlank());
  EXPECT_EQ(t->Get("FOK"), Value(false));
  EXPECT_EQ(t->FieldIndex("nope"), -1);
  EXPECT_THROW(t->Get("nope"), Error);
  EXPECT_THROW(t->Replace("FACCT", Value("X")), Error);  // read-only
}

TEST(TableFile, NumbersThatDoNotFitAreRefusedNotStarred) {
  TempDir dir;
  auto p = dir / "T.DBF";
  Table::Create(p, {{"N", 'N', 5, 2}, {"C", 'C', 3, 0}});
  auto t = Table::Open(p, Share::kExclusive);
  t->Append();
  t->Replace("N", Value(12.345));
  EXPECT_EQ(t->Raw(0), "12.35");  // rounded to the decimals
  t->Replace("N", Value(-0.001));
  EXPECT_EQ(t->Raw(0), " 0.00");  // no minus zero
  try {
    t->Replace("N", Value(123.0));
    FAIL() << "a 6-character number fitted a 5-wide field";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kValue);
    EXPECT_NE(std::string(e.what()).find("T.DBF"), std::string::npos);
  }
  EXPECT_EQ(t->Raw(0), " 0.00");  // unchanged
  EXPECT_THROW(t->Replace("N", Value("12")), Error);
  EXPECT_THROW(t->Replace("C", Value(1.0)), Error);
  t->Replace("C", Value("ABCDEF"));
  EXPECT_EQ(t->Get("C"), Value("ABC"));
}

TEST(TableFile, NumbersAreWrittenRightAlignedToTheirDecimals) {
  TempDir dir;
  auto p = dir / "T.DBF";
  Table::Create(p, {{"W", 'N', 16, 0}, {"D", 'N', 18, 2}});
  auto t = Table::Open(p, Share::kExclusive);
  t->Append();
  const std::vector<std::tuple<double, std::string, std::string>> cases = {
      {7, "7", "7.00"},
      {-7, "-7", "-7.00"},
      {-0.0, "0", "0.00"},
      {123456789012345, "123456789012345", "123456789012345.00"},
      {-99999999999999, "-99999999999999", "-99999999999999.00"},
      {2.5, "2", "2.50"},
      {-0.4, "0", "-0.40"}};
  for (const auto& [value, whole, hundredths] : cases) {
    t->Replace("W", Value(value));
    t->Replace("D", Value(value));
    EXPECT_EQ(t->Raw(0), std::string(16 - whole.size(), ' ') + whole) << value;
    EXPECT_EQ(t->Raw(1), std::string(18 - hundredths.size(), ' ') + hundredths) << value;
  }
}

TEST(TableFile, StoredNumbersReadAsTheirValue) {
  const std::vector<std::pair<std::string, double>> cases = {
      {"   12", 12},
      {"-7", -7},
      {"+5", 5},
      {"007", 7},
      {" 12.50", 12.5},
      {"1 2", 1},
      {"", 0},
      {"  abc", 0},
      {"-1e3", -1000},
      {"999999999999999", 999999999999999},
      {"1234567890123456789", 1234567890123456789.0}};
  for (const auto& [bytes, value] : cases) EXPECT_EQ(DecodeNumber(bytes), value) << bytes;
  EXPECT_TRUE(std::signbit(DecodeNumber(" -0")));
}

TEST(TableNavigation, EofBofAndThePhantomRecord) {
  TempDir dir;
  auto t = Filled(dir / "T.DBF", 3);
  t->GoTop();
  EXPECT_EQ(t->RecNo(), 1u);
  EXPECT_FALSE(t->Bof());
  t->Skip(-1);
  EXPECT_TRUE(t->Bof());
  EXPECT_EQ(t->RecNo(), 1u);
  t->Skip(2);
  EXPECT_EQ(t->RecNo(), 3u);
  EXPECT_FALSE(t->Eof());
  t->Skip();
  EXPECT_TRUE(t->Eof());
  EXPECT_EQ(t->RecNo(), 4u);
  EXPECT_EQ(t->Get("FACCT"), Value("          "));
  EXPECT_EQ(t->Get("FQTY"), Value(0.0));
  EXPECT_THROW(t->Replace("FACCT", Value("X")), Error);
  t->Skip(-1);
  EXPECT_EQ(t->RecNo(), 3u);
  t->GoBottom();
  EXPECT_EQ(t->RecNo(), 3u);
  t->GoTo(9);
  EXPECT_TRUE(t->Eof());
  t->GoTo(2);
  EXPECT_EQ(t->Get("FQTY"), Value(20.0));

  Table::Create(dir / "E.DBF", kFields);
  auto e = Table::Open(dir / "E.DBF", Share::kShared);
  e->GoTop();
  EXPECT_TRUE(e->Eof());
  EXPECT_TRUE(e->Bof());
  e->GoBottom();
  EXPECT_TRUE(e->Eof());
}

TEST(TableRecords, DeleteRecallZapAndReopen) {
  TempDir dir;
  auto p = dir / "T.DBF";
  {
    auto t = Filled(p, 3);
    t->GoTo(2);
    t->Delete();
    EXPECT_TRUE(t->Deleted());
    t->GoTo(3);
    t->Delete();
    t->Recall();
  }
  {
    auto t = Table::Open(p, Share::kExclusive);
    t->GoTo(2);
    EXPECT_TRUE(t->Deleted());
    t->GoTo(3);
    EXPECT_FALSE(t->Deleted());
    EXPECT_EQ(t->Get("FQTY"), Value(30.0));
    t->Zap();
    EXPECT_EQ(t->RecCount(), 0u);
    EXPECT_TRUE(t->Eof());
  }
  auto t = Table::Open(p, Share::kShared);
  EXPECT_EQ(t->RecCount(), 0u);
  EXPECT_EQ(std::filesystem::file_size(p), t->header_length() + 1);
  EXPECT_THROW(t->Zap(), Error);  // shared
}

TEST(TableRecords, ExclusiveAppendsSurviveAHeaderRefresh) {
  TempDir dir;
  auto t = Filled(dir / "T.DBF", 3);
  t->RefreshHeader();  // the header on disk still says 0 records
  EXPECT_EQ(t->RecCount(), 3u);
  t->GoBottom();
  EXPECT_EQ(t->Get("FQTY"), Value(30.0));
}

TEST(TableRecords, ExclusiveChangesReachTheFileOnFlushAndClose) {
  TempDir dir;
  auto p = dir / "T.DBF";
  {
    auto t = Filled(p, 50);
    t->Flush();
    // Changes scattered over the table, then appends and a record read back at once.
    for (uint32_t r : {40u, 3u, 27u, 50u, 1u}) {
      t->GoTo(r);
      t->Replace("FQTY", Value(1000.0 + r));
    }
    t->Flush();
    // On the file now, while the table is still open.
    const std::string bytes = ReadAll(p);
    EXPECT_EQ(bytes.substr(t->header_length() + 39 * t->record_length() + 11, 12), "     1040.00");
  }
  {
    auto t = Table::Open(p, Share::kExclusive);
    for (uint32_t r = 1; r <= 50; ++r) {
      t->GoTo(r);
      const bool changed = r == 40 || r == 3 || r == 27 || r == 50 || r == 1;
      EXPECT_EQ(t->Get("FQTY"), Value(changed ? 1000.0 + r : 10.0 * r)) << r;
    }
    t->Append();
    t->Replace("FACCT", Value("NEW"));
    t->GoTo(2);
    t->GoTo(51);
    EXPECT_EQ(t->Get("FACCT"), Value("NEW       "));
  }
  auto t = Table::Open(p, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(t->RecCount(), 51u);
  t->GoBottom();
  EXPECT_EQ(t->Get("FACCT"), Value("NEW       "));
  EXPECT_EQ(std::filesystem::file_size(p), t->header_length() + 51u * t->record_length() + 1);
}

TEST(TableRecords, SharedReplaceNeedsTheRecordLock) {
  TempDir dir;
  auto p = dir / "T.DBF";
  Filled(p, 2).reset();
  auto t = Table::Open(p, Share::kShared);
  t->GoTo(1);
  EXPECT_THROW(t->Replace("FQTY", Value(1.0)), Error);
  ASSERT_TRUE(t->LockCurrent());
  t->Replace("FQTY", Value(1.0));
  t->UnlockAll();
  t->Append();  // the new record comes locked
  EXPECT_TRUE(t->IsLocked(3));
  t->Replace("FACCT", Value("NEW"));
  t.reset();
  auto r = Table::Open(p, Share::kShared, Access::kReadOnly);
  EXPECT_EQ(r->RecCount(), 3u);
  EXPECT_EQ(r->Get("FQTY"), Value(1.0));
  r->GoBottom();
  EXPECT_EQ(r->Get("FACCT"), Value("NEW       "));
}

TEST(TableFile, MissingFileAndCaseInsensitiveLookup) {
  TempDir dir;
  try {
    Table::Open(dir / "NONE.DBF", Share::kShared);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::kNotFound);
    EXPECT_NE(std::string(e.what()).find("NONE.DBF"), std::string::npos);
  }
  Filled(dir / "pfmast.dbf", 1).reset();
  auto t = Table::Open(dir / "PFMAST.DBF", Share::kShared);
  EXPECT_EQ(t->RecCount(), 1u);
  EXPECT_EQ(t->alias(), "PFMAST");
}

TEST(TableStructure, StructureExtendedRoundTripAndCreateFromRows) {
  TempDir dir;
  Table::Create(dir / "T.DBF", kFields);
  auto t = Table::Open(dir / "T.DBF", Share::kShared);
  t->CopyStructureExtended(dir / "FILESTRU.DBF");
  auto rows = Table::Open(dir / "FILESTRU.DBF", Share::kExclusive);
  EXPECT_EQ(rows->RecCount(), 4u);
  rows->GoTo(2);
  EXPECT_EQ(rows->Get("FIELD_NAME"), Value("FQTY      "));
  EXPECT_EQ(rows->Get("FIELD_TYPE"), Value("N"));
  EXPECT_EQ(rows->Get("FIELD_LEN"), Value(12.0));
  EXPECT_EQ(rows->Get("FIELD_DEC"), Value(2.0));
  EXPECT_EQ(Table::StructureFromRows(*rows), kFields);

  // Widen FACCT, drop nothing, add a field, then build a new table from the rows.
  rows->GoTo(1);
  rows->Replace("FIELD_LEN", Value(15.0));
  rows->Append();
  rows->Replace("FIELD_NAME", Value("FNEW"));
  rows->Replace("FIELD_TYPE", Value("C"));
  rows->Replace("FIELD_LEN", Value(4.0));
  auto spec = Table::StructureFromRows(*rows);
  Table::Create(dir / "U.DBF", spec);
  auto u = Table::Open(dir / "U.DBF", Share::kShared);
  EXPECT_EQ(u->fields(), spec);
  EXPECT_EQ(u->fields()[0].length, 15);

  EXPECT_THROW(Table::StructureFromRows(*u), Error);  // not a structure table
  EXPECT_THROW(Table::Create(dir / "BAD.DBF", {{"1X", 'C', 3, 0}}), Error);
  EXPECT_THROW(Table::Create(dir / "BAD.DBF", {{"X", 'C', 3, 0}, {"x", 'N', 3, 0}}), Error);
  EXPECT_THROW(Table::Create(dir / "BAD.DBF", {{"X", 'Q', 3, 0}}), Error);
  EXPECT_FALSE(std::filesystem::exists(dir / "BAD.DBF"));
}

TEST(TableStructure, CreateRefusesToReplaceAnOpenTable) {
  TempDir dir;
  Table::Create(dir / "T.DBF", kFields);
  auto t = Table::Open(dir / "T.DBF", Share::kShared);
  EXPECT_TRUE(Table::InUse(dir / "T.DBF"));
  EXPECT_THROW(Table::Create(dir / "T.DBF", kFields), Error);
  t.reset();
  EXPECT_FALSE(Table::InUse(dir / "T.DBF"));
  Table::Create(dir / "T.DBF", {{"ONLY", 'C', 1, 0}});
  EXPECT_EQ(Table::Open(dir / "T.DBF", Share::kShared)->fields().size(), 1u);
}

TEST(TableStructure, MemoTableGetsVersionAndMemoFile) {
  TempDir dir;
  Table::Create(dir / "M.DBF", {{"NOTE", 'M', 10, 0}, {"K", 'C', 2, 0}});
  auto t = Table::Open(dir / "M.DBF", Share::kExclusive);
  EXPECT_EQ(t->version(), 0x83);
  EXPECT_TRUE(std::filesystem::exists(dir / "M.DBT"));
  t->Append();
  t->Replace("NOTE", Value("0000000007"));
  EXPECT_EQ(t->Get("NOTE"), Value("0000000007"));  // the block pointer, kept as stored
}

TEST(TableStructure, AppendFromCopiesByNameAndCutsText) {
  TempDir dir;
  Table::Create(dir / "OLD.DBF",
                {{"A", 'C', 8, 0}, {"GONE", 'C', 2, 0}, {"N", 'N', 4, 0}, {"D", 'D', 8, 0}});
  {
    auto old = Table::Open(dir / "OLD.DBF", Share::kExclusive);
    for (int i = 0; i < 3; ++i) {
      old->Append();
      old->Replace("A", Value("ABCDEFG" + std::to_string(i)));
      old->Replace("GONE", Value("xx"));
      old->Replace("N", Value(1000.0 + i));
      old->Replace("D", Value(*Date::FromYmd(2020, 1, 1 + i)));
    }
    old->GoTo(2);
    old->Delete();
  }
  Table::Create(dir / "NEW.DBF",
                {{"N", 'N', 7, 1}, {"A", 'C', 5, 0}, {"D", 'D', 8, 0}, {"X", 'L', 1, 0}});
  auto old = Table::Open(dir / "OLD.DBF", Share::kShared, Access::kReadOnly);
  auto neu = Table::Open(dir / "NEW.DBF", Share::kExclusive);
  EXPECT_EQ(neu->AppendFrom(*old), 3u);
  EXPECT_EQ(neu->RecCount(), 3u);
  neu->GoTo(3);
  EXPECT_EQ(neu->Get("A"), Value("ABCDE"));
  EXPECT_EQ(neu->Raw(0), " 1002.0");
  EXPECT_EQ(neu->Get("D").date(), *Date::FromYmd(2020, 1, 3));
  EXPECT_EQ(neu->Get("X"), Value(false));
  neu->GoTo(2);
  EXPECT_TRUE(neu->Deleted());

  // A number too wide for the new field stops the copy with an error.
  Table::Create(dir / "NARROW.DBF", {{"N", 'N', 3, 0}});
  auto narrow = Table::Open(dir / "NARROW.DBF", Share::kExclusive);
  EXPECT_THROW(narrow->AppendFrom(*old), Error);
}

}  // namespace
}  // namespace zur::dbf

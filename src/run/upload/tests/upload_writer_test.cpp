// The upload writer on real files: what appears under the upload names, when, and what a
// failure leaves behind.
#include "run/upload/upload_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "run/upload/upload_lines.h"

namespace zur::upload {
namespace {

namespace fs = std::filesystem;

const std::string kZurMessage =
    "ERROR: cannot generate ZUR BATCH INPUT text file ! Please check and re-try";
const std::string kStiMessage =
    "ERROR: cannot generate STI BATCH INPUT text file ! Please check and re-try";
const std::string kNothingLeft = "No upload file was left in place.";

class UploadWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zur-upload-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  UploadSettings Settings(bool ccass3, bool eight_char) const {
    UploadSettings s;
    s.is_ccass3 = ccass3;
    s.eight_char_accounts = eight_char;
    s.zur_file_no = 1;
    s.sti_file_no = 1;
    s.part_id = "B01234";
    s.send_bic = "ABCDHKHH";
    s.own_ref = "DAILY";
    s.gen_date = *Date::FromYmd(2026, 12, 8);
    s.zur_path = dir_ / "ATIFILE.TXT";
    s.sti_path = dir_ / "STIFILE.TXT";
    return s;
  }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(entry.path().filename().string());
    return names;
  }
  static void Plant(const fs::path& path) { std::ofstream(path) << "yesterday\r\n"; }

  fs::path dir_;
};

// write(2) that writes `good_calls` times, then writes half of what it is given once, then
// fails as a full disk does.
WriteBytesFn FailingAfter(int good_calls) {
  auto calls = std::make_shared<int>(0);
  return [calls, good_calls](int fd, const void* data, size_t size) -> ssize_t {
    int call = (*calls)++;
    if (call < good_calls) return ::write(fd, data, size);
    if (call == good_calls) return ::write(fd, data, size / 2);
    errno = ENOSPC;
    return -1;
  };
}

TEST_F(UploadWriterTest, EmptyRunGivesHeaderAndZeroTrailerOnly) {
  UploadWriter writer(Settings(true, false));
  EXPECT_EQ(writer.layout(), ZurLayout::kB);
  EXPECT_EQ(writer.zur_line_length(), 87);
  EXPECT_FALSE(writer.has_sti_file());
  writer.Finish();
  EXPECT_EQ(Read(dir_ / "ATIFILE.TXT"),
            std::string("0") + "0001" + "B01234" + "ABCDHKHH" + "DAILY" + std::string(10, ' ') +
                "20261208" + "ZUR BATCH INPUT" + std::string(30, ' ') + "\r\n" + "2" + "0000" +
                std::string(7 + 14 + 17, '0') + std::string(44, ' ') + "\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"ATIFILE.TXT"});  // no STI file, no leftovers
}

TEST_F(UploadWriterTest, TransfersGoToTheirFilesWithTheirOwnChecksums) {
  UploadSettings s = Settings(true, true);
  UploadWriter writer(s);
  EXPECT_EQ(writer.layout(), ZurLayout::kA);
  EXPECT_EQ(writer.zur_line_length(), 99);
  Transfer to_main{5, "HK0005000001", "00000015", "00000001", 500};
  Transfer to_client{700, "KYG875721634", "00000001", "00000025", 1200};
  writer.WriteZurDetail(to_main);
  writer.WriteStiDetail(to_client);
  writer.WriteStiDetail(Transfer{12'345, "HK0000123456", "00000001", "00000030", 7});
  writer.Finish();

  EXPECT_EQ(writer.zur_totals().lines, 1);
  EXPECT_EQ(writer.zur_totals().record_sum, 505);
  EXPECT_EQ(writer.sti_totals().lines, 2);
  EXPECT_EQ(writer.sti_totals().stock_sum, 13'045);
  EXPECT_EQ(writer.sti_totals().quantity_sum, 1'207);
  EXPECT_EQ(writer.sti_totals().record_sum, 14'252);

  std::string zur = Read(s.zur_path);
  ASSERT_EQ(zur.size(), 3u * 101);
  EXPECT_EQ(zur.substr(101, 101), ZurDetailLine(s, to_main) + "\r\n");
  EXPECT_EQ(zur.substr(202, 43),
            std::string("2") + "0001" + "0000005" + "00000000000500" + "00000000000000505");
  std::string sti = Read(s.sti_path);
  ASSERT_EQ(sti.size(), 4u * 122);
  EXPECT_EQ(sti.substr(0, 57), std::string("0") + "0001" + "B01234" + "ABCDHKHH" + "DAILY" +
                                   std::string(10, ' ') + "20261208" + "STI BATCH INPUT");
  EXPECT_EQ(sti.substr(122, 122), StiDetailLine(to_client) + "\r\n");
  EXPECT_EQ(sti.substr(366, 59), std::string("2") + "0002" + "0013045" + "00000000001207" +
                                     "0000000000000000" + "00000000000014252");
}

TEST_F(UploadWriterTest, FilesAppearOnlyWhenFinished) {
  UploadSettings s = Settings(true, true);
  Plant(s.zur_path);
  Plant(s.sti_path);
  {
    UploadWriter writer(s);
    writer.WriteZurDetail(Transfer{5, "HK0005000001", "00000015", "00000001", 500});
    // Yesterday's files are gone; today's are being written beside them.
    EXPECT_FALSE(fs::exists(s.zur_path));
    EXPECT_FALSE(fs::exists(s.sti_path));
    EXPECT_EQ(Names().size(), 2u);
    for (const std::string& name : Names()) EXPECT_NE(name.find(".tmp-"), std::string::npos);
  }
  EXPECT_TRUE(Names().empty());  // an abandoned run leaves nothing behind

  UploadWriter writer(s);
  writer.Finish();
  EXPECT_TRUE(writer.finished());
  EXPECT_EQ(Names().size(), 2u);
  EXPECT_EQ(Read(s.zur_path).size(), 2u * 101);
  EXPECT_EQ(Read(s.sti_path).size(), 2u * 122);
}

TEST_F(UploadWriterTest, ShortWriteOfAnyLineEndsWithNoFileInPlace) {
  struct Case {
    int zur_lines;  // detail lines of the ZUR file
    int good_writes;
    const std::string* message;
  };
  // Lines reach the system a block at a time: a few lines when the files are sealed, the ZUR
  // file's first; with many lines, a block as soon as it is full.
  for (Case c :
       {Case{1, 0, &kZurMessage}, Case{1, 1, &kStiMessage}, Case{2000, 0, &kZurMessage},
        Case{2000, 1, &kZurMessage}, Case{2000, 3, &kZurMessage}, Case{2000, 4, &kStiMessage}}) {
    SCOPED_TRACE(c.zur_lines);
    SCOPED_TRACE(c.good_writes);
    UploadSettings s = Settings(true, true);
    Plant(s.zur_path);
    std::string shown;
    try {
      UploadWriter writer(s, FailingAfter(c.good_writes));
      for (int i = 0; i < c.zur_lines; ++i)
        writer.WriteZurDetail(Transfer{5, "HK0005000001", "00000015", "00000001", 500});
      writer.WriteStiDetail(Transfer{5, "HK0005000001", "00000001", "00000025", 300});
      writer.Finish();
    } catch (const UploadError& e) {
      shown = e.what();
      EXPECT_NE(e.reason().find("No space left"), std::string::npos) << e.reason();
    }
    EXPECT_EQ(shown, *c.message + "\n" + kNothingLeft);
    EXPECT_TRUE(Names().empty());
  }
}

TEST_F(UploadWriterTest, PartialWritesThatCompleteAreNoFailure) {
  // write(2) may take a line in several pieces.
  WriteBytesFn piecewise = [](int fd, const void* data, size_t size) {
    return ::write(fd, data, size > 7 ? 7 : size);
  };
  UploadWriter writer(Settings(false, false), piecewise);
  writer.WriteZurDetail(Transfer{5, "", "25", "01", 500});
  writer.Finish();
  EXPECT_EQ(Read(dir_ / "ATIFILE.TXT").size(), 3u * 76);
}

TEST_F(UploadWriterTest, NumbersThatDoNotFitTheirFieldStopTheRun) {
  // Layout C holds four digits of a stock number: 12345 would become stock 2345. A quantity of
  // twelve digits, or a negative one, would move another number of shares.
  for (Transfer bad : {Transfer{12'345, "", "25", "01", 500}, Transfer{5, "", "25", "01", -1},
                       Transfer{5, "", "25", "01", 100'000'000'000}}) {
    UploadWriter writer(Settings(false, false));
    EXPECT_THROW(writer.WriteZurDetail(bad), UploadError);
    EXPECT_TRUE(Names().empty());
    // The writer stays failed: no trailer can put a file in place afterwards.
    EXPECT_THROW(writer.Finish(), UploadError);
    EXPECT_TRUE(Names().empty());
  }
  UploadWriter sti(Settings(true, true));
  try {
    sti.WriteStiDetail(Transfer{5, "HK0005000001", "00000001", "00000025", 100'000'000'000});
    ADD_FAILURE() << "a 12-digit quantity was written";
  } catch (const UploadError& e) {
    EXPECT_EQ(std::string(e.what()), kStiMessage + "\n" + kNothingLeft);
    EXPECT_NE(e.reason().find("quantity"), std::string::npos);
  }
}

TEST_F(UploadWriterTest, FileThatCannotBeCreatedNamesItsFile) {
  UploadSettings s = Settings(true, true);
  s.sti_path = dir_ / "missing" / "STIFILE.TXT";
  try {
    UploadWriter writer(s);
    ADD_FAILURE() << "created a file in a missing directory";
  } catch (const UploadError& e) {
    EXPECT_EQ(std::string(e.what()), kStiMessage + "\n" + kNothingLeft);
    EXPECT_NE(e.reason().find("missing"), std::string::npos);
  }
  EXPECT_TRUE(Names().empty());  // the ZUR file created first is removed too
}

TEST_F(UploadWriterTest, FailingLastRenameTakesBackTheFirstFile) {
  UploadSettings s = Settings(true, true);
  UploadWriter writer(s);
  // Something that is not a file takes the STI name while the run works.
  fs::create_directories(s.sti_path / "inside");
  try {
    writer.Finish();
    ADD_FAILURE() << "finished over a directory";
  } catch (const UploadError& e) {
    EXPECT_EQ(std::string(e.what()), kStiMessage + "\n" + kNothingLeft);
  }
  EXPECT_FALSE(fs::exists(s.zur_path));
  EXPECT_EQ(Names(), std::vector<std::string>{"STIFILE.TXT"});
}

TEST_F(UploadWriterTest, OldFileThatCannotBeRemovedIsNamedInTheMessage) {
  if (::geteuid() == 0) GTEST_SKIP() << "root removes files from read-only directories";
  UploadSettings s = Settings(false, false);
  fs::path locked = dir_ / "locked";
  fs::create_directory(locked);
  s.zur_path = locked / "ATIFILE.TXT";
  Plant(s.zur_path);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  std::string shown;
  try {
    UploadWriter writer(s);
  } catch (const UploadError& e) {
    shown = e.what();
  }
  fs::permissions(locked, fs::perms::owner_all);
  EXPECT_EQ(shown, kZurMessage + "\nThe file " + s.zur_path.string() +
                       " could not be removed: do not upload it.");
}

TEST_F(UploadWriterTest, RefusedSettingsCreateNothing) {
  UploadSettings s = Settings(false, true);
  std::optional<std::string> refused = CheckUploadSettings(s);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->rfind("ERROR: ", 0), 0u);
  EXPECT_NE(refused->find("CAS3_0705"), std::string::npos);
  EXPECT_NE(refused->find("CAS3_START"), std::string::npos);
  Plant(s.zur_path);
  try {
    UploadWriter writer(s);
    ADD_FAILURE() << "8-digit accounts written into the old layout";
  } catch (const UploadError& e) {
    EXPECT_EQ(std::string(e.what()), *refused);
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"ATIFILE.TXT"});  // nothing touched

  // One name for both files.
  s = Settings(true, true);
  s.sti_path = dir_ / "." / "ATIFILE.TXT";
  ASSERT_TRUE(CheckUploadSettings(s).has_value());
  EXPECT_THROW(UploadWriter{s}, UploadError);
  // Good combinations.
  EXPECT_FALSE(CheckUploadSettings(Settings(true, true)).has_value());
  EXPECT_FALSE(CheckUploadSettings(Settings(true, false)).has_value());
  EXPECT_FALSE(CheckUploadSettings(Settings(false, false)).has_value());
}

}  // namespace
}  // namespace zur::upload

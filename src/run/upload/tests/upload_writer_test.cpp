// The upload writer on real files: what appears under the upload names, when, and what a
// failure, a kill or a signal leaves behind.
#include "run/upload/upload_writer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
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

  // ---- kills and signals
  using NameSet = std::set<std::string>;
  UploadSettings Pair(bool pair = true) const { return Settings(true, pair); }
  NameSet Files() const {
    const std::vector<std::string> names = Names();
    return NameSet(names.begin(), names.end());
  }
  size_t TempFiles() const {
    size_t n = 0;
    for (const std::string& name : Names()) n += name.find(".tmp-") != std::string::npos;
    return n;
  }
  // Writes the files in a child process; `at_step` runs there at every step. Returns the
  // child's wait status.
  int WriteInChild(const StepHook& at_step, bool pair = true) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      try {
        UploadWriter writer(Pair(pair), {}, at_step);
        writer.WriteZurDetail(Transfer{5, "HK0005000001", "00000015", "00000001", 500});
        if (pair) writer.WriteStiDetail(Transfer{5, "HK0005000001", "00000001", "00000025", 7});
        writer.Finish();
      } catch (...) {
        ::_exit(3);
      }
      ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
  }

  fs::path dir_;
};

constexpr int kStopped = 42;
const std::vector<std::string> kSteps = {"created",       "sealed",        "marker-written",
                                         "zur-published", "sti-published", "marker-removed"};

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
  // A file that nobody, root included, can remove: the kernel's own files refuse unlink(2).
  // (CI runs as root, for whom a read-only directory would not do.)
  UploadSettings s = Settings(false, false);
  s.zur_path = "/proc/self/comm";
  ASSERT_TRUE(fs::is_regular_file(s.zur_path));
  std::string shown, reason;
  try {
    UploadWriter writer(s);
  } catch (const UploadError& e) {
    shown = e.what();
    reason = e.reason();
  }
  EXPECT_EQ(shown, kZurMessage + "\nThe file " + s.zur_path.string() +
                       " could not be removed: do not upload it.");
  EXPECT_NE(reason.find("/proc/self/comm"), std::string::npos) << reason;
  EXPECT_TRUE(fs::exists(s.zur_path));
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

// Killed at every step, the next run finds the pair whole or finds neither file.
TEST_F(UploadWriterTest, APairKilledAtAnyStepIsBothOrNeitherAfterTheNextStart) {
  for (const std::string& step : kSteps) {
    SCOPED_TRACE(step);
    fs::remove_all(dir_);
    fs::create_directory(dir_);
    const int status = WriteInChild([&](std::string_view at) {
      if (at == step) ::_exit(kStopped);  // as a kill -9 there: nothing runs after it
    });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kStopped);
    const bool half_done = step == "zur-published";
    EXPECT_EQ(fs::exists(dir_ / std::string(kPublishMarker)),
              step == "marker-written" || step == "zur-published" || step == "sti-published");

    const std::vector<std::string> warnings =
        RecoverInterruptedPublish(dir_ / std::string(kPublishMarker));
    EXPECT_EQ(fs::exists(dir_ / "ATIFILE.TXT"), fs::exists(dir_ / "STIFILE.TXT"));
    EXPECT_FALSE(fs::exists(dir_ / std::string(kPublishMarker)));
    if (half_done) {
      ASSERT_EQ(warnings.size(), 1u);
      EXPECT_EQ(warnings[0],
                "WARNING: A run stopped while putting its upload files in place left " +
                    (dir_ / "ATIFILE.TXT").string() + " without " +
                    (dir_ / "STIFILE.TXT").string() +
                    ": it is removed. Please run the checking again !");
    } else {
      EXPECT_TRUE(warnings.empty()) << warnings[0];
    }
    if (step == "sti-published" || step == "marker-removed") {
      EXPECT_EQ(Read(dir_ / "ATIFILE.TXT").size(), 3u * 101);  // the whole pair stays
      EXPECT_EQ(Read(dir_ / "STIFILE.TXT").size(), 3u * 122);
    }
    // What the killed process had not renamed is its to remove no more: the next run does.
    RemoveStaleTempFiles(dir_ / "ATIFILE.TXT");
    RemoveStaleTempFiles(dir_ / "STIFILE.TXT");
    EXPECT_EQ(TempFiles(), 0u);
  }
}

// The marker names the very files the run renamed: a file that only has the name (copied
// there afterwards) is not taken for the run's, and a pair in place is never split.
TEST_F(UploadWriterTest, RecoveryRemovesOnlyTheFileTheRunPutInPlace) {
  const int status = WriteInChild([](std::string_view at) {
    if (at == "zur-published") ::_exit(kStopped);
  });
  ASSERT_TRUE(WIFEXITED(status));
  // Someone puts another file under the STI name before the next start.
  std::ofstream(dir_ / "STIFILE.TXT") << "not the run's";
  fs::copy_file(dir_ / "ATIFILE.TXT", dir_ / "ZURFILE.KEEP");
  const auto warnings = RecoverInterruptedPublish(dir_ / std::string(kPublishMarker));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_FALSE(fs::exists(dir_ / "ATIFILE.TXT"));
  EXPECT_EQ(Read(dir_ / "STIFILE.TXT"), "not the run's");
  EXPECT_TRUE(fs::exists(dir_ / "ZURFILE.KEEP"));
}

TEST_F(UploadWriterTest, ADamagedMarkerIsRemovedWithAWarning) {
  std::ofstream(dir_ / std::string(kPublishMarker)) << "garbage";
  const auto warnings = RecoverInterruptedPublish(dir_ / std::string(kPublishMarker));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("cannot be read"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / std::string(kPublishMarker)));
  EXPECT_TRUE(RecoverInterruptedPublish(dir_ / std::string(kPublishMarker)).empty());
}

TEST_F(UploadWriterTest, AFinishedPairLeavesNoMarker) {
  UploadWriter writer(Pair());
  writer.Finish();
  EXPECT_EQ(Files(), (NameSet{"ATIFILE.TXT", "STIFILE.TXT"}));
  UploadWriter single(Pair(false));
  single.Finish();
  EXPECT_EQ(Files(), (NameSet{"ATIFILE.TXT", "STIFILE.TXT"}));
}

// SIGINT, SIGTERM and SIGHUP end the run as they always did, but its temporary files go first.
TEST_F(UploadWriterTest, ASignalRemovesTheTemporaryFiles) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    const int status = WriteInChild([&](std::string_view at) {
      if (at == "sealed") ::raise(signal_number);
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_TRUE(Files().empty()) << *Files().begin();
  }
}

// A signal between the renames waits until the pair stands: both files are there.
TEST_F(UploadWriterTest, ASignalWhilePublishingWaitsForThePair) {
  const int status = WriteInChild([](std::string_view at) {
    if (at == "zur-published") ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(Files(), (NameSet{"ATIFILE.TXT", "STIFILE.TXT"}));
}

// A signal the program was started to ignore (nohup) stays ignored.
TEST_F(UploadWriterTest, AnIgnoredSignalStaysIgnored) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGHUP, SIG_IGN);
    UploadWriter writer(Pair(), {}, [](std::string_view at) {
      if (at == "created") ::raise(SIGHUP);
    });
    writer.Finish();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Files(), (NameSet{"ATIFILE.TXT", "STIFILE.TXT"}));
}

// A killed run's temporary files go at the next run; a live run's never, in two processes.
TEST_F(UploadWriterTest, StaleTemporaryFilesGoButALiveRunsStay) {
  int to_parent[2], to_child[2];
  ASSERT_EQ(::pipe(to_parent), 0);
  ASSERT_EQ(::pipe(to_child), 0);
  const pid_t live = ::fork();
  if (live == 0) {
    UploadWriter writer(Pair(), {}, [&](std::string_view at) {
      if (at != "created") return;
      char byte = 1;
      if (::write(to_parent[1], &byte, 1) != 1 || ::read(to_child[0], &byte, 1) != 1) ::_exit(4);
    });
    writer.Finish();
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(to_parent[0], &byte, 1), 1);
  ASSERT_EQ(TempFiles(), 2u);
  // Another run starts meanwhile: the live run's files stay.
  EXPECT_TRUE(RemoveStaleTempFiles(dir_ / "ATIFILE.TXT").empty());
  EXPECT_TRUE(RemoveStaleTempFiles(dir_ / "STIFILE.TXT").empty());
  EXPECT_EQ(TempFiles(), 2u);
  // A killed run's file, and one whose process is gone but whose lock is held (a run on
  // another computer sharing the folder, whose process cannot be seen here).
  const int killed = WriteInChild([](std::string_view at) {
    if (at == "created") ::raise(SIGKILL);
  });
  ASSERT_TRUE(WIFSIGNALED(killed));
  ASSERT_EQ(TempFiles(), 4u);
  const fs::path far = dir_ / "atifile.txt.tmp-999999999-0";  // any letter case
  std::ofstream(far) << "another computer's";
  const int far_fd = ::open(far.c_str(), O_RDWR);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(far_fd, F_OFD_SETLK, &lock), 0);
  const std::vector<fs::path> removed = RemoveStaleTempFiles(dir_ / "ATIFILE.TXT");
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].filename().string().rfind("ATIFILE.TXT.tmp-", 0), 0u);
  EXPECT_EQ(RemoveStaleTempFiles(dir_ / "STIFILE.TXT").size(), 1u);
  EXPECT_TRUE(fs::exists(far));
  ::close(far_fd);
  EXPECT_EQ(RemoveStaleTempFiles(dir_ / "ATIFILE.TXT"), std::vector<fs::path>{far});

  ASSERT_EQ(::write(to_child[1], &byte, 1), 1);
  int status = 0;
  ::waitpid(live, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Files(), (NameSet{"ATIFILE.TXT", "STIFILE.TXT"}));
  for (int fd : {to_parent[0], to_parent[1], to_child[0], to_child[1]}) ::close(fd);
}

TEST_F(UploadWriterTest, OnlyNamesOfThePatternAreTouched) {
  for (const char* name :
       {"ATIFILE.TXT.tmp-999999999-", "ATIFILE.TXT.tmp--1-0", "ATIFILE.TXT.tmp-999999999-0x",
        "ATIFILE.TXTX.tmp-999999999-0", "ATIFILE.TXT.tmp-999999999"})
    std::ofstream(dir_ / name) << "x";
  fs::create_directory(dir_ / "ATIFILE.TXT.tmp-999999998-0");
  EXPECT_TRUE(RemoveStaleTempFiles(dir_ / "ATIFILE.TXT").empty());
  EXPECT_EQ(Files().size(), 6u);
}

}  // namespace
}  // namespace zur::upload

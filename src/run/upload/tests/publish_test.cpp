// The upload files across kills and signals: a writer in a child process ended at each named
// step, the pair put in place both or neither, and the temporary files of runs that are gone.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "run/upload/upload_writer.h"

namespace zur::upload {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

constexpr int kStopped = 42;
const std::vector<std::string> kSteps = {"created",       "sealed",        "marker-written",
                                         "zur-published", "sti-published", "marker-removed"};

class PublishTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zur-publish-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  UploadSettings Settings(bool pair = true) const {
    UploadSettings s;
    s.is_ccass3 = true;
    s.eight_char_accounts = pair;
    s.part_id = "B01234";
    s.send_bic = "ABCDHKHH";
    s.own_ref = "DAILY";
    s.gen_date = *Date::FromYmd(2026, 12, 8);
    s.zur_path = dir_ / "ZURFILE.TXT";
    s.sti_path = dir_ / "STIFILE.TXT";
    s.publish_marker = dir_ / std::string(kPublishMarker);
    return s;
  }

  // Writes the files in a child process; `at_step` runs in the child at every step. Returns
  // the child's wait status.
  int WriteInChild(const std::function<void(std::string_view)>& at_step, bool pair = true) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      try {
        UploadWriter writer(Settings(pair), {}, at_step);
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

  Names Files() const {
    Names names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
    return names;
  }
  size_t TempFiles() const {
    size_t n = 0;
    for (const std::string& name : Files()) n += name.find(".tmp-") != std::string::npos;
    return n;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
};

// Killed at every step, the next run finds the pair whole or finds neither file.
TEST_F(PublishTest, APairKilledAtAnyStepIsBothOrNeitherAfterTheNextStart) {
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
    EXPECT_EQ(fs::exists(dir_ / "ZURFILE.TXT"), fs::exists(dir_ / "STIFILE.TXT"));
    EXPECT_FALSE(fs::exists(dir_ / std::string(kPublishMarker)));
    if (half_done) {
      ASSERT_EQ(warnings.size(), 1u);
      EXPECT_EQ(warnings[0],
                "WARNING: A run stopped while putting its upload files in place left " +
                    (dir_ / "ZURFILE.TXT").string() + " without " +
                    (dir_ / "STIFILE.TXT").string() +
                    ": it is removed. Please run the checking again !");
    } else {
      EXPECT_TRUE(warnings.empty()) << warnings[0];
    }
    if (step == "sti-published" || step == "marker-removed") {
      EXPECT_EQ(Read(dir_ / "ZURFILE.TXT").size(), 3u * 101);  // the whole pair stays
      EXPECT_EQ(Read(dir_ / "STIFILE.TXT").size(), 3u * 122);
    }
    // What the killed process had not renamed is its to remove no more: the next run does.
    RemoveStaleTempFiles(dir_ / "ZURFILE.TXT");
    RemoveStaleTempFiles(dir_ / "STIFILE.TXT");
    EXPECT_EQ(TempFiles(), 0u);
  }
}

// The marker names the very files the run renamed: a file that only has the name (copied
// there afterwards) is not taken for the run's, and a pair in place is never split.
TEST_F(PublishTest, RecoveryRemovesOnlyTheFileTheRunPutInPlace) {
  const int status = WriteInChild([](std::string_view at) {
    if (at == "zur-published") ::_exit(kStopped);
  });
  ASSERT_TRUE(WIFEXITED(status));
  // Someone puts another file under the STI name before the next start.
  std::ofstream(dir_ / "STIFILE.TXT") << "not the run's";
  fs::copy_file(dir_ / "ZURFILE.TXT", dir_ / "ZURFILE.KEEP");
  const auto warnings = RecoverInterruptedPublish(dir_ / std::string(kPublishMarker));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_FALSE(fs::exists(dir_ / "ZURFILE.TXT"));
  EXPECT_EQ(Read(dir_ / "STIFILE.TXT"), "not the run's");
  EXPECT_TRUE(fs::exists(dir_ / "ZURFILE.KEEP"));
}

TEST_F(PublishTest, ADamagedMarkerIsRemovedWithAWarning) {
  std::ofstream(dir_ / std::string(kPublishMarker)) << "garbage";
  const auto warnings = RecoverInterruptedPublish(dir_ / std::string(kPublishMarker));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("cannot be read"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / std::string(kPublishMarker)));
  EXPECT_TRUE(RecoverInterruptedPublish(dir_ / std::string(kPublishMarker)).empty());
}

TEST_F(PublishTest, AFinishedPairLeavesNoMarker) {
  UploadWriter writer(Settings());
  writer.Finish();
  EXPECT_EQ(Files(), (Names{"STIFILE.TXT", "ZURFILE.TXT"}));
  UploadWriter single(Settings(false));
  single.Finish();
  EXPECT_EQ(Files(), (Names{"STIFILE.TXT", "ZURFILE.TXT"}));
}

// SIGINT, SIGTERM and SIGHUP end the run as they always did, but its temporary files go first.
TEST_F(PublishTest, ASignalRemovesTheTemporaryFiles) {
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
TEST_F(PublishTest, ASignalWhilePublishingWaitsForThePair) {
  const int status = WriteInChild([](std::string_view at) {
    if (at == "zur-published") ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(Files(), (Names{"STIFILE.TXT", "ZURFILE.TXT"}));
}

// A signal the program was started to ignore (nohup) stays ignored.
TEST_F(PublishTest, AnIgnoredSignalStaysIgnored) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGHUP, SIG_IGN);
    UploadWriter writer(Settings(), {}, [](std::string_view at) {
      if (at == "created") ::raise(SIGHUP);
    });
    writer.Finish();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Files(), (Names{"STIFILE.TXT", "ZURFILE.TXT"}));
}

// A killed run's temporary files go at the next run; a live run's never, in two processes.
TEST_F(PublishTest, StaleTemporaryFilesGoButALiveRunsStay) {
  int to_parent[2], to_child[2];
  ASSERT_EQ(::pipe(to_parent), 0);
  ASSERT_EQ(::pipe(to_child), 0);
  const pid_t live = ::fork();
  if (live == 0) {
    UploadWriter writer(Settings(), {}, [&](std::string_view at) {
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
  EXPECT_TRUE(RemoveStaleTempFiles(dir_ / "ZURFILE.TXT").empty());
  EXPECT_TRUE(RemoveStaleTempFiles(dir_ / "STIFILE.TXT").empty());
  EXPECT_EQ(TempFiles(), 2u);
  // A killed run's file, and one whose process is gone but whose lock is held (a run on
  // another computer sharing the folder, whose process cannot be seen here).
  const int killed = WriteInChild([](std::string_view at) {
    if (at == "created") ::raise(SIGKILL);
  });
  ASSERT_TRUE(WIFSIGNALED(killed));
  ASSERT_EQ(TempFiles(), 4u);
  const fs::path far = dir_ / "zurfile.txt.tmp-999999999-0";  // any letter case
  std::ofstream(far) << "another computer's";
  const int far_fd = ::open(far.c_str(), O_RDWR);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(far_fd, F_OFD_SETLK, &lock), 0);
  const std::vector<fs::path> removed = RemoveStaleTempFiles(dir_ / "ZURFILE.TXT");
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_EQ(removed[0].filename().string().rfind("ZURFILE.TXT.tmp-", 0), 0u);
  EXPECT_EQ(RemoveStaleTempFiles(dir_ / "STIFILE.TXT").size(), 1u);
  EXPECT_TRUE(fs::exists(far));
  ::close(far_fd);
  EXPECT_EQ(RemoveStaleTempFiles(dir_ / "ZURFILE.TXT"), std::vector<fs::path>{far});

  ASSERT_EQ(::write(to_child[1], &byte, 1), 1);
  int status = 0;
  ::waitpid(live, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Files(), (Names{"STIFILE.TXT", "ZURFILE.TXT"}));
  for (int fd : {to_parent[0], to_parent[1], to_child[0], to_child[1]}) ::close(fd);
}

TEST_F(PublishTest, OnlyNamesOfThePatternAreTouched) {
  for (const char* name :
       {"ZURFILE.TXT.tmp-999999999-", "ZURFILE.TXT.tmp--1-0", "ZURFILE.TXT.tmp-999999999-0x",
        "ZURFILE.TXTX.tmp-999999999-0", "ZURFILE.TXT.tmp-999999999"})
    std::ofstream(dir_ / name) << "x";
  fs::create_directory(dir_ / "ZURFILE.TXT.tmp-999999998-0");
  EXPECT_TRUE(RemoveStaleTempFiles(dir_ / "ZURFILE.TXT").empty());
  EXPECT_EQ(Files().size(), 6u);
}

}  // namespace
}  // namespace zur::upload

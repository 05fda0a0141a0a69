// Whole runs against bad names, kills, signals and a second run at the same time: what the
// program guarantees for the files it reads and writes.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>

#include "brokers/sample_broker.h"
#include "run/driver/tests/e2e_fixture.h"
#include "run/upload/staged_file.h"

namespace zur::driver::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr int kStopped = 42;

class DataSafetyTest : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    spec = SampleBroker();  // CCASS/3 with 8-digit accounts: a ZUR and an STI file
  }

  CheckCommandOptions Options(upload::StepHook steps) const {
    CheckCommandOptions options = EndToEndTest::Options();
    options.upload_steps = std::move(steps);
    return options;
  }

  // `zur check` in a child process; `at_step` runs there at each step of the upload writer.
  // Returns the child's wait status.
  int CheckInChild(upload::StepHook at_step) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      run::QuietOperator quiet;
      ::_exit(CheckCommand(Options(std::move(at_step)), quiet));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
  }

  std::set<std::string> TempFiles() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path())) {
      const std::string name = e.path().filename().string();
      if (name.find(".tmp-") != std::string::npos) names.insert(name);
    }
    return names;
  }

  std::string Bytes(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  void ExpectCompletePair() {
    EXPECT_EQ(fs::file_size(dir.path() / "ZURFILE.TXT"), 7u * 101);
    EXPECT_EQ(fs::file_size(dir.path() / "STIFILE.TXT"), 5u * 122);
    EXPECT_FALSE(Exists(std::string(upload::kPublishMarker)));
    EXPECT_TRUE(TempFiles().empty());
  }
};

// An upload name that names another file of the run destroyed it, and the run said
// "generated". Every such name is refused before anything is written or removed.
TEST_F(DataSafetyTest, AnUploadNameThatNamesAnotherFileIsRefusedBeforeAnythingIsTouched) {
  Write();
  fs::create_symlink(dir.path() / "OBX" / "SMMAST.DBF", dir.path() / "LINK.TXT");
  fs::create_hard_link(dir.path() / "OBX" / "MGNUNSTL.DBF", dir.path() / "HARD.TXT");
  fs::create_directory(dir.path() / "UP");
  fs::create_symlink(dir.path() / "OBX", dir.path() / "UP" / "BO");
  struct Case {
    std::string zur, sti;  // "" keeps the settings' name
    fs::path target;       // the file that must survive
    std::string what;
  };
  const fs::path obx = dir.path() / "OBX";
  const Case cases[] = {
      {"ATISYSFL.DBF", "", dir.path() / "ATISYSFL.DBF", "the settings table"},
      {"atisysfl.dbf", "", dir.path() / "ATISYSFL.DBF", "the settings table"},
      {"OBX/../ATISYSFL.DBF", "", dir.path() / "ATISYSFL.DBF", "the settings table"},
      {"", "ZUR.XBS", dir.path() / "ZUR.XBS", "the program's memory file"},
      {"CCASS.TXT", "", dir.path() / "CCASS.TXT", "the CCASS report file"},
      {"OBX/PFMAST.DBF", "", obx / "PFMAST.DBF", "the portfolio master"},
      {"obx/Sb.Xbs", "", obx / "SB.XBS", "the back office's memory file"},
      {"./OBX/./CLMAST.DBF", "", obx / "CLMAST.DBF", "the client master"},
      {"", "UP/BO/SBSYSFL.DBF", obx / "SBSYSFL.DBF", "the back office's system file"},
      {"LINK.TXT", "", obx / "SMMAST.DBF", "the stock master"},
      {"HARD.TXT", "", obx / "MGNUNSTL.DBF", "the unsettled trades table"},
      {"RPINFO.DBF", "", dir.path() / "RPINFO.DBF", "the program's table RPINFO"},
      {"ATIMAST.NSX", "", dir.path() / "ATIMAST.NSX", "an index file"},
      {"", "zurfile.txt", dir.path() / "ZURFILE.TXT", "are one file"},
      {"NEWTABLE.DBF", "", dir.path() / "NEWTABLE.DBF", "has the name of a table"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zur + c.sti);
    screen = {};
    if (!c.zur.empty()) screen.ati_text = c.zur;
    if (!c.sti.empty()) screen.sti_text = c.sti;
    const bool existed = fs::exists(c.target);
    const std::string before = existed ? Bytes(c.target) : "";
    op.events.clear();
    EXPECT_EQ(Check(), 1) << Events();
    ASSERT_EQ(op.Matching("box ZUR: ERROR: The ").size(), 1u) << Events();
    EXPECT_THAT(op.Matching("box ZUR: ERROR: The ")[0], HasSubstr(c.what));
    EXPECT_EQ(fs::exists(c.target), existed);
    // Every start saves ZUR.XBS anew: it must still be the memory file.
    if (c.target.filename() == "ZUR.XBS")
      EXPECT_EQ(Bytes(c.target).rfind("XBSMEM 1\n", 0), 0u);
    else
      EXPECT_EQ(existed ? Bytes(c.target) : "", before);
    EXPECT_FALSE(Saw("announce: CCASS ZUR Upload File " + c.zur + " is generated !"));
    // The settings record still holds the settings' names: nothing was written back.
    EXPECT_EQ(Setting("ATITEXT"), "ZURFILE.TXT");
    EXPECT_EQ(Setting("STITEXT"), "STIFILE.TXT");
    EXPECT_TRUE(TempFiles().empty());
  }
  EXPECT_FALSE(Exists("ZURFILE.TXT"));
  EXPECT_FALSE(Exists("STIFILE.TXT"));
}

// The same for a name that comes from the settings record.
TEST_F(DataSafetyTest, AnUploadNameFromTheSettingsRecordIsRefusedToo) {
  for (auto& [field, value] : spec.settings)
    if (field == "ATITEXT") value = Value("OBX/SMMAST.DBF");
  Write();
  const std::string before = Bytes(dir.path() / "OBX" / "SMMAST.DBF");
  EXPECT_EQ(Check(), 1);
  EXPECT_THAT(Events(), HasSubstr("would replace the stock master"));
  EXPECT_EQ(Bytes(dir.path() / "OBX" / "SMMAST.DBF"), before);
}

TEST_F(DataSafetyTest, TheFinanceAndClientDirectoriesTablesAreGuardedToo) {
  spec.with_finance = true;
  Write();
  fs::create_directory(dir.path() / "CL");
  fs::copy_file(dir.path() / "OBX" / "CLMAST.DBF", dir.path() / "CL" / "CLMAST.DBF");
  screen.sbf_dir = kFinanceDir;
  screen.cl_dir = "CL";
  for (const char* name : {"OBXFIN/PFMAST.DBF", "obxfin/mgnunstl.dbf", "CL/CLMAST.DBF"}) {
    SCOPED_TRACE(name);
    screen.ati_text = name;
    op.events.clear();
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(op.Matching("box ZUR: ERROR: The ZUR upload file").size(), 1u) << Events();
  }
  EXPECT_GT(fs::file_size(dir.path() / "OBXFIN" / "PFMAST.DBF"), 0u);
  EXPECT_GT(fs::file_size(dir.path() / "OBXFIN" / "MGNUNSTL.DBF"), 0u);
  EXPECT_GT(fs::file_size(dir.path() / "CL" / "CLMAST.DBF"), 0u);
}

// Killed the moment ZURFILE.TXT stood in place, the run left it without its STI twin.
// The next start finds the publish marker, removes the lone file and says so.
TEST_F(DataSafetyTest, AKillBetweenTheRenamesIsUndoneByTheNextRun) {
  Write();
  const int status = CheckInChild([](std::string_view step) {
    if (step == "zur-published") ::_exit(kStopped);
  });
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kStopped);
  ASSERT_TRUE(Exists("ZURFILE.TXT"));
  ASSERT_FALSE(Exists("STIFILE.TXT"));
  ASSERT_TRUE(Exists(std::string(upload::kPublishMarker)));

  EXPECT_EQ(Check(), 0) << Events();
  EXPECT_TRUE(Saw("warn: WARNING: A run stopped while putting its upload files in place left " +
                  (dir.path() / "ZURFILE.TXT").string() + " without " +
                  (dir.path() / "STIFILE.TXT").string() +
                  ": it is removed. Please run the checking again !"))
      << Events();
  ExpectCompletePair();
}

// The same when the next run stops before it writes anything: the lone file is gone anyway.
TEST_F(DataSafetyTest, TheLoneFileGoesEvenWhenTheNextRunStopsEarly) {
  Write();
  ASSERT_TRUE(WIFEXITED(CheckInChild([](std::string_view step) {
    if (step == "zur-published") ::_exit(kStopped);
  })));
  fs::remove(dir.path() / "OBX" / "SBSYSFL.DBF");
  fs::copy_file(dir.path() / "CCASS.TXT", dir.path() / "OBX" / "SBSYSFL.DBF");  // damaged
  EXPECT_EQ(Check(), 1);
  EXPECT_FALSE(Exists("ZURFILE.TXT"));
  EXPECT_FALSE(Exists(std::string(upload::kPublishMarker)));
}

// SIGINT, SIGTERM and SIGHUP left the half-written files for ever. Now a signal
// removes them; what a kill -9 leaves, the next run removes.
TEST_F(DataSafetyTest, SignalsRemoveTheTemporaryFilesAndTheNextRunRemovesAKilledRuns) {
  Write();
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    const int status = CheckInChild([&](std::string_view step) {
      if (step == "created") ::raise(signal_number);
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_TRUE(TempFiles().empty()) << *TempFiles().begin();
    EXPECT_FALSE(Exists("ZURFILE.TXT"));
  }
  const int killed = CheckInChild([](std::string_view step) {
    if (step == "sealed") ::raise(SIGKILL);
  });
  ASSERT_TRUE(WIFSIGNALED(killed));
  const std::set<std::string> left = TempFiles();
  ASSERT_EQ(left.size(), 2u);

  EXPECT_EQ(Check(), 0) << Events();
  for (const std::string& name : left)
    EXPECT_TRUE(Saw("progress: Removed " + (dir.path() / name).string() +
                    ", left by a run that was stopped"))
        << Events();
  ExpectCompletePair();
}

// Two runs started at once in one folder: the second is refused (the settings table is held
// exclusively), and it touches none of the first one's files, which the first then publishes.
TEST_F(DataSafetyTest, ASecondRunInTheSameFolderLeavesTheFirstAlone) {
  Write();
  int to_parent[2], to_child[2];
  ASSERT_EQ(::pipe(to_parent), 0);
  ASSERT_EQ(::pipe(to_child), 0);
  const pid_t first = ::fork();
  if (first == 0) {
    run::QuietOperator quiet;
    ::_exit(CheckCommand(Options([&](std::string_view step) {
                           if (step != "created") return;
                           char byte = 1;
                           if (::write(to_parent[1], &byte, 1) != 1 ||
                               ::read(to_child[0], &byte, 1) != 1)
                             ::_exit(5);
                         }),
                         quiet));
  }
  char byte = 0;
  ASSERT_EQ(::read(to_parent[0], &byte, 1), 1);
  const std::set<std::string> first_files = TempFiles();
  ASSERT_EQ(first_files.size(), 2u);

  EXPECT_EQ(Check(), 1);  // "ERROR: Cannot exclusively use ATISYSFL" (on the console)
  EXPECT_EQ(TempFiles(), first_files);

  ASSERT_EQ(::write(to_child[1], &byte, 1), 1);
  int status = 0;
  ::waitpid(first, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ExpectCompletePair();
  for (int fd : {to_parent[0], to_parent[1], to_child[0], to_child[1]}) ::close(fd);
}

// "ATI_FILENO N nan" in SB.XBS gave an upload header beginning "0-648" and status 0.
TEST_F(DataSafetyTest, ANonFiniteOrHugeFileNumberInTheBackOfficeSettingsIsRefused) {
  Write();
  const fs::path sb = dir.path() / "OBX" / "SB.XBS";
  const std::string settings = Bytes(sb);
  std::ofstream(sb, std::ios::app) << "ATI_FILENO N nan\n";
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(op.Matching("box ZUR: ERROR: " + sb.string() + ": line ").size() == 1u) << Events();
  EXPECT_THAT(Events(), HasSubstr("bad number \"nan\" (not a finite number)"));
  EXPECT_FALSE(Exists("ZURFILE.TXT"));

  std::ofstream(sb, std::ios::trunc) << settings << "ATI_FILENO N 1e300\n";
  op.events.clear();
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(
      Saw("box ZUR: ERROR: ATI_FILENO is not a file number from 0 to 9999. Please check "
          "the settings."))
      << Events();
  EXPECT_FALSE(Exists("ZURFILE.TXT"));
}

// /dev/zero as the report was "NOT FOUND"; a read error said "ERROR: ERROR: ...".
TEST_F(DataSafetyTest, AReportThatIsNoFileOrCannotBeReadIsSaidSo) {
  Write();
  screen.stk_file = "/dev/zero";
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(
      Saw("box ZUR: ERROR: STOCK REPORT FILE /dev/zero IS A CHARACTER DEVICE, NOT A FILE "
          "!  PLEASE RE-TRY !"))
      << Events();
  screen.stk_file = "OBX";
  op.events.clear();
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(
      Saw("box ZUR: ERROR: STOCK REPORT FILE OBX IS A DIRECTORY, NOT A FILE !  PLEASE "
          "RE-TRY !"))
      << Events();

  // A regular file whose every read fails (the process's own memory at address 0).
  screen.stk_file = "/proc/self/mem";
  op.events.clear();
  EXPECT_EQ(Check(), 1);
  EXPECT_TRUE(Saw("box ZUR: ERROR: CANNOT READ FILE /proc/self/mem: Input/output error"))
      << Events();
  EXPECT_THAT(Events(), ::testing::Not(HasSubstr("ERROR: ERROR:")));
  EXPECT_FALSE(Exists("ZURFILE.TXT"));
}

// A report cut short at the end of the file runs, with a warning.
TEST_F(DataSafetyTest, AReportCutShortIsWarnedAbout) {
  const size_t end = spec.report.rfind("END OF REPORT");
  ASSERT_NE(end, std::string::npos);
  spec.report.resize(end);  // the file ends inside its last report
  Write();
  EXPECT_EQ(Check(), 0) << Events();
  EXPECT_EQ(op.Matching("warn: WARNING: \"").size(), 1u) << Events();
  EXPECT_THAT(Events(),
              HasSubstr("without its \"END OF REPORT\" line: the file may be cut short !"));
}

// A report that could not be written is not "done", nor "kept unprinted".
TEST(ExitStatus, AReportThatCouldNotBeWrittenIsAFailure) {
  RunOutcome outcome;
  outcome.end = RunEnd::kGenerated;
  outcome.reports_printed = true;
  EXPECT_EQ(ExitStatus(outcome), kCheckDone);
  outcome.reports_printed = false;
  EXPECT_EQ(ExitStatus(outcome), kCheckReportsKept);
  outcome.reports_written = false;
  EXPECT_EQ(ExitStatus(outcome), kCheckReportNotWritten);
  EXPECT_NE(kCheckReportNotWritten, kCheckDone);
  EXPECT_NE(kCheckReportNotWritten, kCheckReportsKept);
  outcome.end = RunEnd::kBackToMenu;
  EXPECT_EQ(ExitStatus(outcome), kCheckStopped);
}

// The program itself: `zur check --zur-file ATISYSFL.DBF` ended with status 0 and no settings.
TEST(CheckBinary, AnUploadNameThatIsTheSettingsTableIsRefused) {
  dbf::testing::TempDir dir;
  fs::copy(fs::path(ZUR_SOURCE_DIR) / "examples" / "broker", dir.path(),
           fs::copy_options::recursive);
  std::ifstream in(dir.path() / "ATISYSFL.DBF", std::ios::binary);
  std::stringstream before;
  before << in.rdbuf();
  const std::string command = "cd '" + dir.path().string() + "' && '" + ZUR_BINARY +
                              "' check --gen-date 08/12/2026 --zur-file ATISYSFL.DBF >out.txt "
                              "2>err.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  std::ifstream err(dir.path() / "err.txt");
  std::stringstream message;
  message << err.rdbuf();
  EXPECT_THAT(message.str(), HasSubstr("would replace the settings table"));
  std::ifstream after_in(dir.path() / "ATISYSFL.DBF", std::ios::binary);
  std::stringstream after;
  after << after_in.rdbuf();
  EXPECT_EQ(after.str(), before.str());
  EXPECT_EQ(fs::file_size(dir.path() / "out.txt"), 0u);
}

}  // namespace
}  // namespace zur::driver::testing

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "app/commands/csv_field.h"
#include "app/commands/dbf_command.h"
#include "app/commands/upgrade_command.h"
#include "app/upgrade/tests/memo_tables.h"
#include "app/upgrade/tests/test_tables.h"

namespace zur::commands {
namespace {

using upgrade::testing::MakeTable;
using upgrade::testing::TempDir;
using upgrade::testing::WriteBytes;

TEST(CsvField, QuotesOnlyWhereNeeded) {
  EXPECT_EQ(CsvField("plain"), "plain");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField(" lead"), "\" lead\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}

TEST(DbfCommand, PrintsStructureThenRecordsAsCsv) {
  TempDir dir;
  MakeTable(dir / "CLIENTS.DBF",
            {{"CLNO", 'C', 8, 0},
             {"NAME", 'C', 20, 0},
             {"QTY", 'N', 8, 2},
             {"OPENED", 'D', 8, 0},
             {"ACTIVE", 'L', 1, 0}},
            {{"A001", "Chan, Tai Man", 12.5, *Date::FromYmd(2024, 2, 29), true},
             {"A002", "say \"hi\"", -3, Value(), false}});
  {
    auto t = dbf::Table::Open(dir / "CLIENTS.DBF", dbf::Share::kExclusive);
    t->GoTo(2);
    t->Delete();
  }
  std::ostringstream out, err;
  EXPECT_EQ(DbfCommand({dir / "clients"}, out, err), 0) << err.str();  // extension optional
  EXPECT_EQ(out.str(),
            "CLNO       C   8  0\n"
            "NAME       C  20  0\n"
            "QTY        N   8  2\n"
            "OPENED     D   8  0\n"
            "ACTIVE     L   1  0\n"
            "\n"
            "DEL,CLNO,NAME,QTY,OPENED,ACTIVE\n"
            ",A001,\"Chan, Tai Man\",12.50,20240229,T\n"
            "*,A002,\"say \"\"hi\"\"\",-3.00,,F\n");
  EXPECT_TRUE(err.str().empty());
}

TEST(DbfCommand, MissingOrDamagedTableIsReportedByName) {
  TempDir dir;
  std::ostringstream out, err;
  EXPECT_EQ(DbfCommand({dir / "NONE.DBF"}, out, err), 1);
  EXPECT_NE(err.str().find("NONE.DBF"), std::string::npos) << err.str();
  WriteBytes(dir / "BAD.DBF", std::string("\x03garbage", 8));
  err.str("");
  EXPECT_EQ(DbfCommand({dir / "BAD.DBF"}, out, err), 1);
  EXPECT_NE(err.str().find("BAD.DBF"), std::string::npos) << err.str();
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(DbfCommand({}, out, err), 2);
}

// Runs the upgrade command in `dir` as the current directory.
int UpgradeIn(const TempDir& dir, const std::string& name, std::ostream& out, std::ostream& err) {
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const int rc = UpgradeCommand({name}, out, err);
  std::filesystem::current_path(here);
  return rc;
}

// A FIFO named as a table blocked the read-only open for ever: `zur dbf` hung. Run in a child
// process, so that a hang fails the test instead of stopping it.
TEST(DbfCommand, AFifoIsRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir / "PIPE.DBF";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::ostringstream stdout_text, stderr_text;
    const int status = DbfCommand({fifo}, stdout_text, stderr_text);
    const std::string said = stderr_text.str();
    if (::write(out[1], said.data(), said.size()) < 0) ::_exit(9);
    ::_exit(status);
  }
  ::close(out[1]);
  int status = 0;
  pid_t done = 0;
  for (int waited = 0; waited < 100 && done == 0; ++waited) {
    done = ::waitpid(pid, &status, WNOHANG);
    if (done == 0) ::usleep(50'000);
  }
  if (done == 0) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    ::close(out[0]);
    FAIL() << "zur dbf still waits on the FIFO after 5 seconds";
  }
  char buffer[512] = {};
  const ssize_t n = ::read(out[0], buffer, sizeof buffer - 1);
  ::close(out[0]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0),
            "zur dbf: " + fifo + ": not a regular file (a FIFO)\n");
}

TEST(UpgradeCommand, UpgradesATableOfTheCurrentDirectory) {
  TempDir dir;
  MakeTable(dir / "RPOPTN.DBF", {{"RNAME", 'C', 30, 0}}, {{"DAILY.TXT"}});
  std::ostringstream out, err;
  EXPECT_EQ(UpgradeIn(dir, "RPOPTN", out, err), 0) << err.str();
  EXPECT_EQ(out.str(), "Converting RPOPTN... \n");
  const auto t = upgrade::testing::ReadTable(dir / "RPOPTN.DBF");
  EXPECT_EQ(t.fields.size(), 9u);
  EXPECT_EQ(t.Value(0, "RNAME"), "DAILY.TXT");
}

TEST(UpgradeCommand, StopsAreNonZeroWithTheMessageOnStderr) {
  TempDir dir;
  MakeTable(dir / "RPOPTN.DBF", {{"RNAME", 'N', 5, 0}}, {});
  std::ostringstream out, err;
  EXPECT_EQ(UpgradeIn(dir, "RPOPTN", out, err), 1);
  EXPECT_EQ(err.str(),
            "ERROR: file (RPOPTN) field (RNAME) - data type is not \"C\" !\n"
            "Press any key to continue...\n");
  auto holder = dbf::Table::Open(dir / "RPOPTN.DBF", dbf::Share::kShared);
  err.str("");
  EXPECT_EQ(UpgradeIn(dir, "RPOPTN", out, err), 1);
  EXPECT_NE(err.str().find("in use"), std::string::npos);
  EXPECT_EQ(UpgradeCommand({}, out, err), 2);
}

// A Python interpreter that has the "dbf" module (the one on PATH may be another than the
// system's), or "" when none has it.
std::string PythonWithDbf() {
  for (std::string python : {"python3", "/usr/bin/python3"})
    if (std::system((python + " -c 'import dbf' >/dev/null 2>&1").c_str()) == 0) return python;
  return {};
}

// After an upgrade, an independent dBASE reader sees the structure, values and memo texts.
class UpgradeInterop : public ::testing::Test {
 protected:
  void SetUp() override {
    python_ = PythonWithDbf();
    if (python_.empty())
      GTEST_SKIP() << "python3 module 'dbf' (Debian python3-dbf) is not installed";
  }
  // Upgrades `name` and returns the reader's listing: the structure, then per record the
  // first field and repr() of `field`.
  std::string UpgradeAndRead(const std::string& name, const std::string& field) {
    std::ostringstream out, err;
    EXPECT_EQ(UpgradeIn(dir_, name, out, err), 0) << err.str();
    WriteBytes(dir_ / "read.py",
               "import dbf, sys\n"
               "t = dbf.Table(sys.argv[1]); t.open(dbf.READ_ONLY)\n"
               "print(';'.join(t.structure()).upper())\n"
               "for r in t: print(str(r[0]).strip(), repr(r[sys.argv[2]]))\n");
    const std::string cmd = python_ + " -W ignore " + (dir_ / "read.py") + " " +
                            (dir_ / (name + ".DBF")) + " " + field + " > " + (dir_ / "out.txt") +
                            " 2>&1";
    const int rc = std::system(cmd.c_str());
    const std::string listing = upgrade::testing::ReadBytes(dir_ / "out.txt");
    EXPECT_EQ(rc, 0) << listing;
    return listing;
  }
  std::string python_;
  TempDir dir_;
};

TEST_F(UpgradeInterop, ReadsTheUpgradedTable) {
  MakeTable(dir_ / "RPINFO.DBF", {{"RNAME", 'C', 20, 0}, {"RPAGE", 'N', 3, 0}},
            {{"MORNING.TXT", 12}, {"EVENING.TXT", 345}});
  EXPECT_EQ(UpgradeAndRead("RPINFO", "rpage"),
            "RNAME C(60);RPAGE N(5,0);ROFFSET N(10,0);RDATE C(7);RTIME C(8);REPAGE N(5,0)\n"
            "MORNING.TXT 12\n"
            "EVENING.TXT 345\n");
}

TEST_F(UpgradeInterop, ReadsTheMemosOfAnUpgradedTable) {
  MakeTable(dir_ / "CLMAST.DBF", {{"CLNO", 'C', 8, 0}, {"NOTE", 'M', 10, 0}}, {{"A1"}, {"A2"}});
  upgrade::testing::PutMemo(dir_ / "CLMAST.DBF", dir_ / "CLMAST.DBT", 2, 1, "second client");
  EXPECT_EQ(UpgradeAndRead("CLMAST", "note"),
            "CLNO C(8);NOTE M;LSEGAC C(8)\n"
            "A1 ''\n"
            "A2 'second client'\n");
}

}  // namespace
}  // namespace zur::commands

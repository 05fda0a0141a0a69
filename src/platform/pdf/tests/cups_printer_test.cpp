#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <cups/cups.h>

#include "platform/pdf/print_text_file.h"
#include "platform/pdf/tests/fake_ipp_printer.h"
#include "platform/pdf/tests/tool_runner.h"

extern char** environ;

namespace zur::pdf {
namespace {

using testing::TempDir;
using testing::WriteAll;
using Clock = std::chrono::steady_clock;

constexpr const char* kPrinterTool = "/usr/sbin/ippeveprinter";

int FreeLoopbackPort() {
  int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0) {
    port = ntohs(a.sin_port);
  }
  ::close(s);
  return port;
}

bool Accepts(int port) {
  int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

// A program started for a test, listening on a loopback port; stopped when the test ends.
class Daemon {
 public:
  Daemon() = default;
  Daemon(const Daemon&) = delete;
  Daemon& operator=(const Daemon&) = delete;
  // Starts `args` with its errors in `log` and waits until `port` answers; on failure returns
  // why, from the program's own log.
  std::string Start(std::vector<std::string> args, const std::string& log, int port) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      pid_ = -1;
      return "cannot start " + args[0];
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
      if (Accepts(port)) return {};
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return args[0] + " stopped: " + testing::ReadAll(log);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return args[0] + ": no answer on 127.0.0.1 within 10 s";
  }
  ~Daemon() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = -1;
};

// A fake IPP printer on loopback that keeps every job's file in its spool folder.
class FakePrinter {
 public:
  std::string Start(const std::filesystem::path& spool) {
    port_ = FreeLoopbackPort();
    if (port_ == 0) return "no free loopback port";
    return daemon_.Start({kPrinterTool, "-p", std::to_string(port_), "-n", "localhost", "-d",
                          spool.string(), "-k", "-f", "application/pdf", "-r", "off", "zurtest"},
                         (spool.parent_path() / "printer.log").string(), port_);
  }
  std::string Uri() const { return "ipp://127.0.0.1:" + std::to_string(port_) + "/ipp/print"; }

 private:
  Daemon daemon_;
  int port_ = 0;
};

// A print scheduler of the test's own on loopback, with its configuration, spool and logs in
// `root`: its destinations are the named destinations of the printing system. Needs root
// (the scheduler runs its backends as the user "lp").
class PrivateScheduler {
 public:
  std::string Start(const std::filesystem::path& root) {
    if (::geteuid() != 0) return "the scheduler needs root";
    if (::access(kSchedulerTool, X_OK) != 0 || ::access(kAdminTool, X_OK) != 0)
      return "cupsd or lpadmin not installed (cups-daemon, cups-client)";
    port_ = FreeLoopbackPort();
    if (port_ == 0) return "no free loopback port";
    namespace fs = std::filesystem;
    for (const char* d : {"spool", "cache", "state", "log", "tmp"})
      fs::create_directories(root / d);
    // The scheduler's user must reach its folders.
    for (fs::path p = root; p != p.parent_path() && p != fs::temp_directory_path();
         p = p.parent_path())
      fs::permissions(p, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const std::string r = root.string();
    WriteAll(root / "cupsd.conf",
             "Listen 127.0.0.1:" + std::to_string(port_) +
                 "\nLogLevel warn\nBrowsing Off\nDefaultAuthType None\nWebInterface No\n"
                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                 "</Policy>\n");
    WriteAll(root / "cups-files.conf",
             "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nCacheDir " + r +
                 "/cache\nStateDir " + r + "/state\nTempDir " + r + "/tmp\nErrorLog " + r +
                 "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r +
                 "/log/page_log\nUser lp\nGroup lp\nSystemGroup root\nSandboxing Relaxed\n");
    // PDF goes to the printer as it is: no filters needed.
    WriteAll(root / "zur.convs", "application/pdf\tapplication/vnd.cups-pdf\t0\t-\n");
    for (const char* d : {"spool", "cache", "state", "log", "tmp"})
      if (::chown((root / d).c_str(), LpUid(), static_cast<gid_t>(-1)) != 0)
        return "cannot hand the scheduler's folders to lp";
    return daemon_.Start(
        {kSchedulerTool, "-f", "-c", r + "/cupsd.conf", "-s", r + "/cups-files.conf"},
        r + "/cupsd.log", port_);
  }
  // Adds a destination `name` that prints on the printer at `uri`.
  std::string AddDestination(const std::string& name, const std::string& uri) const {
    const std::string cmd = std::string(kAdminTool) + " -h " + Server() + " -p " + name +
                            " -E -v " + uri + " -m everywhere >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0 ? std::string() : "lpadmin refused " + uri;
  }
  std::string Server() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  static uid_t LpUid() {
    const passwd* lp = ::getpwnam("lp");
    return lp ? lp->pw_uid : 0;
  }
  static constexpr const char* kSchedulerTool = "/usr/sbin/cupsd";
  static constexpr const char* kAdminTool = "/usr/sbin/lpadmin";
  Daemon daemon_;
  int port_ = 0;
};

bool SpoolHoldsPdf(const std::filesystem::path& spool) {
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(spool, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_regular_file() && it->file_size() > 0) {
      std::string head = testing::ReadAll(it->path()).substr(0, 5);
      if (head == "%PDF-") return true;
    }
  }
  return false;
}

// Tests on the printer program: each has its own printer and spool folder.
class TestPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::access(kPrinterTool, X_OK) != 0)
      GTEST_SKIP() << "ippeveprinter not installed (cups-ipp-utils, scripts/setup)";
    std::filesystem::create_directories(spool_);
    // ippeveprinter refuses to run without DNS-SD (scripts/print-services starts it).
    if (auto why = printer_.Start(spool_); !why.empty())
      GTEST_SKIP() << "fake IPP printer unavailable, " << why;
  }
  // Waits for the printer to have received a PDF.
  bool PdfArrives(std::chrono::seconds within) const {
    const auto deadline = Clock::now() + within;
    while (!SpoolHoldsPdf(spool_) && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return SpoolHoldsPdf(spool_);
  }
  PrintJob Job(const std::string& name, const std::string& text) const {
    PrintJob job;
    job.text_file = dir_.path() / (name + ".txt");
    WriteAll(job.text_file, text);
    job.job_name = name;
    return job;
  }

  TempDir dir_;
  const std::filesystem::path spool_ = dir_.path() / "spool";
  FakePrinter printer_;
};

TEST_F(TestPrinterTest, JobArrivesAtAnIppAddress) {
  PrintJob job = Job("SHORTAGE", "SHORTAGE REPORT\r\n\xa4\xa4\xb0\xea\r\n");
  job.printer = printer_.Uri();
  PrintResult r = PrintTextFile(job);
  ASSERT_EQ(r.status, PrintStatus::kPrinted) << r.error;
  EXPECT_GT(r.job_id, 0);
  EXPECT_TRUE(std::filesystem::exists(job.text_file));
  EXPECT_TRUE(PdfArrives(std::chrono::seconds(10)));
}

TEST_F(TestPrinterTest, JobArrivesThroughANamedDestination) {
  PrivateScheduler scheduler;
  if (auto why = scheduler.Start(dir_.path() / "cups"); !why.empty())
    GTEST_SKIP() << "print scheduler unavailable, " << why;
  ASSERT_EQ(scheduler.AddDestination("zur_reports", printer_.Uri()), "");

  PrintJob job = Job("STATUS", "ZUR STATUS REPORT\r\n");
  job.printer = "zur_reports";
  cupsSetServer(scheduler.Server().c_str());
  PrintResult r = PrintTextFile(job);
  cupsSetServer(nullptr);
  ASSERT_EQ(r.status, PrintStatus::kPrinted) << r.error;
  EXPECT_GT(r.job_id, 0);
  EXPECT_TRUE(PdfArrives(std::chrono::seconds(20)))
      << testing::ReadAll(dir_.path() / "cups" / "log" / "error_log");
}

TEST(CupsPrinterTest, JobArrivesAtAnInProcessIppPrinter) {
  testing::FakeIppPrinter printer;
  ASSERT_TRUE(printer.ok());
  TempDir dir;
  PrintJob job;
  job.text_file = dir.path() / "status.txt";
  WriteAll(job.text_file, "STATUS REPORT\r\n\xa4\xa4\xb0\xea\r\n");
  job.printer = printer.Uri();
  job.job_name = "STATUS";
  PrintResult r = PrintTextFile(job);
  ASSERT_EQ(r.status, PrintStatus::kPrinted) << r.error;
  EXPECT_EQ(r.job_id, 7);
  EXPECT_EQ(printer.jobs(), 1);
  const std::string pdf = printer.Document();
  ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
  if (testing::HaveTool("pdftotext")) {
    const auto copy = dir.path() / "received.pdf";
    WriteAll(copy, pdf);
    EXPECT_NE(testing::RunTool("pdftotext", "", copy).find("STATUS REPORT"), std::string::npos);
  }
}

TEST(CupsPrinterTest, NoDefaultPrinterSaysSo) {
  TempDir dir;
  PrintJob job;
  job.text_file = dir.path() / "report.txt";
  WriteAll(job.text_file, "REPORT\r\n");
  // A scheduler nobody runs: no destinations, no default.
  const std::string nowhere = "127.0.0.1:" + std::to_string(FreeLoopbackPort());
  cupsSetServer(nowhere.c_str());
  PrintResult r = PrintTextFile(job);
  cupsSetServer(nullptr);
  EXPECT_EQ(r.status, PrintStatus::kFailed);
  EXPECT_EQ(r.error,
            "cannot print report " + job.text_file.string() + ": no default printer is set up");
}

TEST(CupsPrinterTest, UnreachablePrinterFailsAndKeepsTheReport) {
  TempDir dir;
  PrintJob job;
  job.text_file = dir.path() / "report.txt";
  WriteAll(job.text_file, "REPORT\r\n");
  // A loopback port nobody listens on.
  job.printer = "ipp://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/ipp/print";
  PrintResult r = PrintTextFile(job);
  EXPECT_EQ(r.status, PrintStatus::kFailed);
  EXPECT_NE(r.error.find("report.txt"), std::string::npos) << r.error;
  EXPECT_EQ(testing::ReadAll(job.text_file), "REPORT\r\n");
}

}  // namespace
}  // namespace zur::pdf

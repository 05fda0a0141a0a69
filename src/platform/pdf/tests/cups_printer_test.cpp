#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

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

// A fake IPP printer on 127.0.0.1 that keeps every job's file in its spool
// folder; it is stopped when the test ends.
class FakePrinter {
 public:
  // Starts the printer; on failure returns why, from the printer's own log.
  std::string Start(const std::filesystem::path& spool) {
    port_ = FreeLoopbackPort();
    if (port_ == 0) return "no free loopback port";
    const std::string log = (spool.parent_path() / "printer.log").string();
    const std::string port = std::to_string(port_);
    const std::string dir = spool.string();
    std::vector<std::string> args = {kPrinterTool, "-p",  port,     "-n", "localhost",
                                     "-d",         dir,   "-k",     "-f", "application/pdf",
                                     "-r",         "off", "zurtest"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int rc = posix_spawn(&pid_, kPrinterTool, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      pid_ = -1;
      return "cannot start " + std::string(kPrinterTool);
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
      if (Accepts(port_)) return {};
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return "it stopped: " + testing::ReadAll(log);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return "no answer on 127.0.0.1 within 10 s";
  }
  ~FakePrinter() {
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
  std::string Uri() const { return "ipp://127.0.0.1:" + std::to_string(port_) + "/ipp/print"; }
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
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

TEST(CupsPrinterTest, JobArrivesAtAnIppAddress) {
  if (::access(kPrinterTool, X_OK) != 0)
    GTEST_SKIP() << "ippeveprinter not installed (cups-ipp-utils, scripts/setup)";
  TempDir dir;
  const auto spool = dir.path() / "spool";
  std::filesystem::create_directories(spool);
  FakePrinter printer;
  // ippeveprinter refuses to run without DNS-SD (a running avahi-daemon).
  if (auto why = printer.Start(spool); !why.empty())
    GTEST_SKIP() << "fake IPP printer unavailable, " << why;

  PrintJob job;
  job.text_file = dir.path() / "shortage.txt";
  WriteAll(job.text_file, "SHORTAGE REPORT\r\n\xa4\xa4\xb0\xea\r\n");
  job.printer = printer.Uri();
  job.job_name = "SHORTAGE";
  PrintResult r = PrintTextFile(job);
  ASSERT_EQ(r.status, PrintStatus::kPrinted) << r.error;
  EXPECT_GT(r.job_id, 0);
  EXPECT_TRUE(std::filesystem::exists(job.text_file));

  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!SpoolHoldsPdf(spool) && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(SpoolHoldsPdf(spool));
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

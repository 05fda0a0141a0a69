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
#include "platform/pdf/tests/private_scheduler.h"
#include "platform/pdf/tests/tool_runner.h"

extern char** environ;

namespace zur::pdf {
namespace {

using testing::Daemon;
using testing::FreeLoopbackPort;
using testing::PrivateScheduler;
using testing::TempDir;
using testing::WriteAll;
using Clock = std::chrono::steady_clock;

constexpr const char* kPrinterTool = "/usr/sbin/ippeveprinter";

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

#include "print/destinations/destinations.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "platform/pdf/tests/private_scheduler.h"

namespace zur::print {
namespace {

namespace fs = std::filesystem;
using pdf::testing::FreeLoopbackPort;
using pdf::testing::PrivateScheduler;
using pdf::testing::TempDir;

// The library asks the scheduler at `server` while it lives.
class SchedulerAt {
 public:
  explicit SchedulerAt(const std::string& server) { cupsSetServer(server.c_str()); }
  ~SchedulerAt() { cupsSetServer(nullptr); }
};

TEST(Destinations, ListedWithTheirDescriptionAndTheDefault) {
  TempDir dir;
  PrivateScheduler scheduler;
  if (auto why = scheduler.Start(dir.path() / "cups"); !why.empty())
    GTEST_SKIP() << "print scheduler unavailable, " << why;
  // Nothing is ever printed: the printers' address answers nobody.
  const std::string nowhere = "ipp://127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/ipp";
  ASSERT_EQ(scheduler.AddDestination("office", nowhere, "raw", "-D Office -L 'Second floor'"), "");
  ASSERT_EQ(scheduler.AddDestination("PDF_Writer", nowhere, "raw"), "");
  ASSERT_EQ(scheduler.SetDefault("PDF_Writer"), "");
  SchedulerAt at(scheduler.Server());

  const DestinationList list = ListDestinations();
  EXPECT_EQ(list.error, "");
  ASSERT_EQ(list.destinations.size(), 2u);
  EXPECT_EQ(list.destinations[0].name, "office");
  EXPECT_EQ(list.destinations[0].description, "Office, Second floor");
  EXPECT_FALSE(list.destinations[0].is_default);
  EXPECT_EQ(list.destinations[1].name, "PDF_Writer");
  EXPECT_TRUE(list.destinations[1].is_default);

  // The PDF printer's setting: a destination, unless a folder of that name stands in the
  // working directory or the name is a path.
  EXPECT_EQ(PdfDestinationOf("PDF_Writer ", dir.path()), "PDF_Writer");
  EXPECT_EQ(PdfDestinationOf("PDFOUT", dir.path()), std::nullopt);
  EXPECT_EQ(PdfDestinationOf("./PDF_Writer", dir.path()), std::nullopt);
  fs::create_directory(dir.path() / "office");
  EXPECT_EQ(PdfDestinationOf("office", dir.path()), std::nullopt);
}

TEST(Destinations, NoSchedulerListsNoneAndSaysWhy) {
  TempDir dir;
  SchedulerAt at("127.0.0.1:" + std::to_string(FreeLoopbackPort()));
  const DestinationList list = ListDestinations();
  EXPECT_TRUE(list.destinations.empty());
  EXPECT_NE(list.error, "");
  EXPECT_FALSE(IsDestination("office"));
  EXPECT_EQ(PdfDestinationOf("office", dir.path()), std::nullopt);
  EXPECT_EQ(PdfDestinationOf("", dir.path()), std::nullopt);
}

}  // namespace
}  // namespace zur::print

#include "print/device/printer_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "xml/ati_config.h"

namespace zur::print {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class PrinterTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zur_print_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    state_.ports.overrides["LPT1"] = (dir_ / "missing" / "lp0").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  PrinterState state_;
};

TEST_F(PrinterTargetTest, FileTargetsOverwriteOrAppend) {
  const std::string file = (dir_ / "out.prn").string();
  TextPrinter p;
  ASSERT_TRUE(p.Open(file, false, state_.ports));
  p.Say(0, 0, "one");
  ASSERT_TRUE(p.Close());
  ASSERT_TRUE(p.Open(file, true, state_.ports));
  p.Say(0, 0, "two");
  p.Close();
  EXPECT_EQ(Slurp(file), "onetwo");
  ASSERT_TRUE(p.Open(file, false, state_.ports));
  p.Say(0, 0, "three");
  p.Close();
  EXPECT_EQ(Slurp(file), "three");
  EXPECT_TRUE(p.Open("nul", false, state_.ports));
}

TEST_F(PrinterTargetTest, PortPathsComeFromSettingsOrDefaults) {
  PortPaths ports;
  EXPECT_EQ(ports.PathFor("LPT2"), "/dev/lp1");
  EXPECT_EQ(ports.PathFor("com1 "), "/dev/ttyS0");
  EXPECT_EQ(ports.PathFor("LPTX"), "");
  ports.overrides["LPT2"] = "/tmp/x";
  EXPECT_EQ(ports.PathFor("lpt2"), "/tmp/x");

  VarStore vars;
  vars.Set("PORT_LPT1", Value("/dev/usb/lp0  "));
  vars.Set("PORT_COM1", Value(3.0));  // not text: the default stays
  vars.Set("PORT_XYZ", Value("/dev/x"));
  const PortPaths set = PortPathsFromSettings(vars);
  EXPECT_EQ(set.PathFor("LPT1"), "/dev/usb/lp0");
  EXPECT_EQ(set.PathFor("COM1"), "/dev/ttyS0");
  EXPECT_EQ(set.overrides.size(), 1u);
}

TEST_F(PrinterTargetTest, PortPathsOfTheConfigurationFileFillInForTheVariables) {
  auto config = std::make_shared<xml::AtiConfig>();
  config->LoadXml(
      "<ATIConfig><Settings>"
      "<Setting><Name>PORT_LPT1</Name><Value>/dev/usb/lp9</Value></Setting>"
      "<Setting><Name>PORT_LPT2</Name><Value>\r\n\t/dev/usb/lp1\r\n</Value></Setting>"
      "<Setting><Name>PORT_LPT2</Name><Value>/dev/second</Value></Setting>"
      "<Setting><Name>port_com1</Name><Value>/dev/x</Value></Setting>"
      "<Setting><Name>PORT_COM2</Name><Value> </Value></Setting>"
      "</Settings></ATIConfig>");
  VarStore vars;
  vars.Set("oConfig", Value(ObjectRef(config)));
  vars.Set("PORT_LPT1", Value("/dev/usb/lp0"));
  const PortPaths set = PortPathsFromSettings(vars);
  EXPECT_EQ(set.PathFor("LPT1"), "/dev/usb/lp0");  // the variable comes first
  EXPECT_EQ(set.PathFor("LPT2"), "/dev/usb/lp1");  // the first of the file, without line breaks
  EXPECT_EQ(set.PathFor("COM1"), "/dev/ttyS0");    // names compare exactly
  EXPECT_EQ(set.PathFor("COM2"), "/dev/ttyS1");    // a blank path is none
}

TEST_F(PrinterTargetTest, UnreadyPortFallsBackToAFileInTheAuditFolder) {
  TextPrinter p;
  const PtrCheckResult r = PtrWithChk(p, state_, "LPT1", false, dir_.string());
  ASSERT_TRUE(r.redirected);
  EXPECT_EQ(fs::path(state_.print_name).parent_path(), dir_ / "SBAUDIT");
  EXPECT_NE(r.message.find("ERROR: Printer Port \"LPT1\" is NOT ready! Redirect to "),
            std::string::npos);
  p.Say(0, 0, "kept");
  p.Close();
  EXPECT_EQ(Slurp(state_.print_name), "kept");
  EXPECT_FALSE(fs::exists(dir_ / "missing"));  // a port's device path is never created
}

TEST_F(PrinterTargetTest, SystemPrintingRetriesOnceThenFallsBackInsteadOfLooping) {
  state_.windowed = true;
  const fs::path old = fs::current_path();
  // The retry file cannot be written by anyone: a folder stands under its name.
  fs::create_directories(dir_ / "cwd" / "LPT_1");
  fs::current_path(dir_ / "cwd");
  TextPrinter p;
  PtrCheckResult r;
  EXPECT_NO_THROW(r = PtrWithChk(p, state_, "LPT1", false, dir_.string()));
  fs::current_path(old);
  ASSERT_TRUE(r.redirected);
  EXPECT_EQ(fs::path(state_.print_name).parent_path(), dir_ / "SBAUDIT");
  EXPECT_EQ(fs::path(state_.print_name).extension(), ".PRN");
}

TEST_F(PrinterTargetTest, NoWritableFallbackIsAnError) {
  TextPrinter p;
  EXPECT_THROW(PtrWithChk(p, state_, "LPT1", false, (dir_ / "no/such").string() + "/x"),
               PrinterError);
}

TEST_F(PrinterTargetTest, RestoreAppendsToFilesAndEndOfJobReopensNetworkPorts) {
  const std::string file = (dir_ / "r.prn").string();
  state_.print_name = file;
  TextPrinter p;
  ASSERT_TRUE(RestPtr(p, state_, nullptr));
  p.Say(0, 0, "a");
  ASSERT_TRUE(RestPtr(p, state_, nullptr));
  p.Say(0, 0, "b");
  p.Close();
  EXPECT_EQ(Slurp(file), "ab");

  state_.windowed = true;
  state_.print_name = "LPT1";
  int made = 0;
  ASSERT_TRUE(RestPtr(p, state_, [&] {
    ++made;
    return (dir_ / "audit.rpt").string();
  }));
  ASSERT_TRUE(RestPtr(p, state_, nullptr));
  EXPECT_EQ(made, 1);
  EXPECT_EQ(p.target(), (dir_ / "audit.rpt").string());

  // The end of a job on a network printer closes the port (its bytes reach the printer) and
  // opens it again; on a printer that is not shared the job stays open.
  const fs::path port = dir_ / "port";
  state_.windowed = false;
  state_.ports.overrides["LPT1"] = port.string();
  for (const char* server : {"Y", "N"}) {
    state_.prt_server = server;
    std::ofstream(port).close();
    ASSERT_TRUE(p.Open("LPT1", false, state_.ports));
    p.Say(0, 0, "job");
    EndOfPrt(p, state_);
    EXPECT_EQ(p.target(), "LPT1");
    EXPECT_EQ(Slurp(port), state_.prt_server == "Y" ? "job" : "") << server;
  }
  p.Close();
}

}  // namespace
}  // namespace zur::print

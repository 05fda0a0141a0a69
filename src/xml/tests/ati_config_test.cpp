#include "xml/ati_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vars/tests/temp_dir.h"

namespace zur::xml {
namespace {

using zur::testing::TempDir;
using zur::testing::WriteBytes;

std::string Settings(const std::string& inside) {
  return "<?xml version=\"1.0\"?>\r\n<ATIConfig>\r\n\t<UserKey>ROVERU</UserKey>\r\n"
         "\t<Settings>\r\n" +
         inside + "\t</Settings>\r\n</ATIConfig>\r\n";
}

TEST(AtiConfig, FirstSettingOfANameWinsAndNamesCompareExactly) {
  AtiConfig config;
  ASSERT_TRUE(config.LoadXml(
      Settings("<Setting><Name>PRINT_NAME</Name><Value>LPT2</Value></Setting>"
               "<Setting><Name>PRINT_NAME</Name><Value>LPT3</Value></Setting>"
               "<setting><name>print_name</name><value>COM1</value></setting>"
               "<Setting><Name>PORT_LPT2 </Name><Value> /dev/usb/lp0\r\n</Value></Setting>")));
  EXPECT_EQ(config.user_key(), "ROVERU");
  EXPECT_EQ(config.settings().size(), 4u);
  EXPECT_EQ(config.GetSettingValue("PRINT_NAME", "LPT1"), "LPT2");
  EXPECT_TRUE(config.IsSettingInstalled("print_name"));
  EXPECT_FALSE(config.IsSettingInstalled("PORT_LPT2"));  // the blank counts
  ASSERT_NE(config.GetSetting("PORT_LPT2 "), nullptr);
  EXPECT_EQ(config.GetSetting("PORT_LPT2 ")->second, " /dev/usb/lp0\r\n");  // as written
  EXPECT_EQ(config.GetSetting("Print_Name"), nullptr);
  EXPECT_EQ(config.GetSettingValue("DEF_PTR", "none"), "none");
}

TEST(AtiConfig, ALowerCaseNameIsNotTheSetting) {
  AtiConfig config;
  config.LoadXml(
      "<aticonfig><settings><setting><name>print_name</name><value>LPT2</value>"
      "</setting></settings></aticonfig>");
  EXPECT_EQ(config.settings().size(), 1u);
  EXPECT_EQ(config.GetSettingValue("PRINT_NAME", "LPT1"), "LPT1");
}

TEST(AtiConfig, ASettingWithoutNameOrValueTakesThePreviousOnes) {
  AtiConfig config;
  config.LoadXml(
      Settings("<Setting><Name>A</Name><Value>1</Value></Setting>"
               "<Setting><Value>2</Value></Setting>"
               "<Setting><Name>B</Name></Setting>"));
  EXPECT_EQ(config.settings(), (std::vector<Setting>{{"A", "1"}, {"A", "2"}, {"B", "2"}}));
}

TEST(AtiConfig, ASecondLoadReplacesTheFirst) {
  AtiConfig config;
  config.LoadXml(Settings("<Setting><Name>A</Name><Value>1</Value></Setting>"));
  config.LoadXml("<ATIConfig><Settings><Setting/></Settings></ATIConfig>");
  EXPECT_EQ(config.user_key(), "");
  EXPECT_EQ(config.settings(), (std::vector<Setting>{{"", ""}}));
}

TEST(AtiConfig, DamagedFilesAreNamedAndReadAsFarAsTheyGo) {
  TempDir dir;
  const std::string file = dir.File("ATIConfig.dat");
  AtiConfig config;
  EXPECT_NE(config.Load(file).find(file), std::string::npos);  // missing
  EXPECT_TRUE(config.settings().empty());

  const std::string whole = Settings(
      "<Setting><Name>A</Name><Value>1</Value></Setting>"
      "<Setting><Name>B</Name><Value>2</Value></Setting>");
  WriteBytes(file, whole);
  EXPECT_EQ(config.Load(file), "");
  EXPECT_EQ(config.settings().size(), 2u);

  WriteBytes(file, whole.substr(0, whole.find("<Value>2")));  // cut inside the second
  const std::string cut = config.Load(file);
  EXPECT_NE(cut.find(file), std::string::npos);
  EXPECT_EQ(config.settings(), (std::vector<Setting>{{"A", "1"}}));

  WriteBytes(file, "<ATIConfig></Settings></ATIConfig><Setting/>");  // one end tag too many
  const std::string stray = config.Load(file);
  EXPECT_NE(stray.find(file), std::string::npos);
  EXPECT_NE(stray.find("at character 34"), std::string::npos) << stray;

  WriteBytes(file, std::string("\x00\xff<\x01>\x00", 6));
  EXPECT_NE(config.Load(file), "");
  EXPECT_TRUE(config.settings().empty());

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_NE(config.Load(file).find(file), std::string::npos);
}

}  // namespace
}  // namespace zur::xml

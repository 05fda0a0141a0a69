#include "print/codes/pitch_codes.h"

#include <gtest/gtest.h>

#include "print/codes/screen_emphasis.h"

namespace zur::print {
namespace {

const std::string E = "\x1b";

PrinterKind Kind(std::string type, std::string site = "", int width = 136) {
  return {std::move(type), std::move(site), false, width};
}

TEST(PitchCodes, EveryPrinterTypeAndSiteRow) {
  EXPECT_EQ(PitchCode(Kind("EPSON"), Pitch::k17, true), "\x0f");
  EXPECT_EQ(PitchCode(Kind("EPSON"), Pitch::k17, false), "\x12");
  EXPECT_EQ(PitchCode(Kind("CITOH"), Pitch::k20, true), E + "M\x0f");
  EXPECT_EQ(PitchCode(Kind("OTHER"), Pitch::k20, false), E + "P\x12");
  EXPECT_EQ(PitchCode(Kind("EPSON"), Pitch::k15, true), E + "g");
  EXPECT_EQ(PitchCode(Kind("EPSON"), Pitch::k12, false), E + "P");
  for (Pitch p : {Pitch::k12, Pitch::k15, Pitch::k17, Pitch::k20}) {
    EXPECT_EQ(PitchCode(Kind("SEIKOSHA"), p, true), "");
    EXPECT_EQ(PitchCode(Kind("LPRINTER", "OTHERS"), p, true), "");
    EXPECT_EQ(PitchCode(Kind("WINDOW_PRINTER"), p, true), "");
  }
  EXPECT_EQ(PitchCode(Kind("TOSHIBA"), Pitch::k12, true), E + "E10");
  EXPECT_EQ(PitchCode(Kind("TOSHIBA"), Pitch::k17, false), E + "]");
  EXPECT_EQ(PitchCode(Kind("TOSHIBA"), Pitch::k15, true), "");
  EXPECT_EQ(PitchCode(Kind("LPRINTER", "RADARE"), Pitch::k17, true), E + "(s0p18H");
  EXPECT_EQ(PitchCode(Kind("LPRINTER", "RADARE"), Pitch::k12, true), "");
  EXPECT_EQ(PitchCode(Kind("LPRINTER", "FOMASA "), Pitch::k12, true), "\x01X01");
  EXPECT_EQ(PitchCode(Kind("LPRINTER", "FOMASA"), Pitch::k17, false), "\x01X00");
  EXPECT_EQ(PitchCode(Kind("LASERJET", "DOSOBE"), Pitch::k17, true), E + "(s0p16.66H");
  EXPECT_EQ(PitchCode(Kind("LASERJET", "NUMOMO"), Pitch::k12, true), E + "(s0p12H");
  EXPECT_EQ(PitchCode(Kind("LASERJET", "NEPAGU"), Pitch::k17, true), E + "(s0p17H");
  EXPECT_EQ(PitchCode(Kind("LASERJET"), Pitch::k17, true), E + "(s0p18H");
  EXPECT_EQ(PitchCode(Kind("LASERJET"), Pitch::k12, true), E + "(s0p13H");
  EXPECT_EQ(PitchCode(Kind("LASERJET"), Pitch::k20, false), E + "(s0p10H");
}

// A site code matches every longer site code that begins with it; printer types compare the
// same way, so trailing blanks of a padded setting do not matter.
TEST(PitchCodes, SitesAndTypesMatchByTheirLeadingCharacters) {
  struct Case {
    PrinterKind kind;
    Pitch pitch;
    std::string code;
  } cases[] = {
      {Kind("LPRINTER", "RADARE2"), Pitch::k17, E + "(s0p18H"},
      {Kind("LPRINTER", "FOMASA HK"), Pitch::k12, "\x01X01"},
      {Kind("LASERJET", "NUMOMO-B"), Pitch::k12, E + "(s0p12H"},
      {Kind("LASERJET", "NEPAGU01"), Pitch::k17, E + "(s0p17H"},
      {Kind("LASERJET  ", "DOSOBE"), Pitch::k17, E + "(s0p16.66H"},
      {Kind("TOSHIBA   "), Pitch::k12, E + "E10"},
      {Kind("LPRINTER", "RADAR"), Pitch::k17, ""},  // a shorter site code is another site
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PitchCode(c.kind, c.pitch, true), c.code) << c.kind.cur_ptr << "/" << c.kind.site;
  }
  EXPECT_EQ(SetPitchCodes(Kind("LASERJET", "VEZOTE2", 160), 192, true), E + "(s0p14H");
  EXPECT_EQ(SetPitchCodes(Kind("LPRINTER", "RADARE 1"), 210, true), E + "(s0p18H");
}

TEST(PitchCodes, PitchFollowsTheReportWidth) {
  EXPECT_EQ(SetPitchCodes(Kind("EPSON"), 136, true), "");
  EXPECT_EQ(SetPitchCodes(Kind("EPSON"), 150, true), E + "M");           // above the width: 12
  EXPECT_EQ(SetPitchCodes(Kind("EPSON"), 170, true), "\x0f");            // 1.2 times: 17
  EXPECT_EQ(SetPitchCodes(Kind("EPSON"), 232, true), "\x0f" + E + "M");  // 1.7 times: 17 and 12
  EXPECT_EQ(SetPitchCodes(Kind("EPSON"), 232, false), "\x12" + E + "P");
  EXPECT_EQ(SetPitchCodes(Kind("LASERJET"), 232, true), E + "(s0p20H");
  EXPECT_EQ(SetPitchCodes(Kind("LASERJET", "ZONONI"), 232, true), E + "(s0p16.66H");
  EXPECT_EQ(SetPitchCodes(Kind("LASERJET", "VEZOTE", 160), 192, true), E + "(s0p14H");
  EXPECT_EQ(SetPitchCodes(Kind("LPRINTER", "RADARE"), 210, false), E + "(s0p10H");
  PrinterKind windows = Kind("WINDOW_PRINTER");
  windows.windows_printing = true;
  EXPECT_EQ(SetPitchCodes(windows, 300, true), "");
  EXPECT_EQ(HpljCode(windows, "20"), "");
}

TEST(PitchCodes, PrintableText) {
  EXPECT_TRUE(Prtable("AB 12~"));
  EXPECT_TRUE(Prtable(""));
  EXPECT_FALSE(Prtable("12\t3"));
  EXPECT_FALSE(Prtable("12\x7f"));
  EXPECT_FALSE(Prtable("\xa1\xa2"));
}

TEST(ScreenEmphasis, MarksAndSwaps) {
  EXPECT_EQ(Intensity("W/B,N/W,B", true), "W+/B,N/W,B");
  EXPECT_EQ(Intensity("W+/B,N/W", true), "W/B,N/W");
  EXPECT_EQ(Intensity("W/B,N/W", false), "W/B,N/W");
  EXPECT_EQ(Blinking("GR", true), "GR*");
  EXPECT_EQ(Hilight("W/B,N/W,B", true), "N/W,W/B,B");
  EXPECT_EQ(Hilight("W/B,N/W", true), "N/W,W/B");
  EXPECT_EQ(Hilight("W/B", true), "W/B");
}

}  // namespace
}  // namespace zur::print

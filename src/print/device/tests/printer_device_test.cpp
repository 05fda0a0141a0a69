#include "print/device/printer_device.h"

#include <gtest/gtest.h>

namespace zur::print {
namespace {

TEST(PrinterDevice, AddressesRowsAndColumnsAndStartsANewPageForAnEarlierRow) {
  MemoryPrinter p;
  p.Say(1, 3, "AB");
  p.Say(1, 7, "C");
  EXPECT_EQ(p.Row(), 1);
  EXPECT_EQ(p.Col(), 8);
  p.Say(3, 0, "D");
  p.Say(3, 0, "E");  // left of the current column: next row
  p.Say(2, 1, "F");  // above the current row: new page
  // Lines end with CR LF, as a line printer on a port needs them.
  EXPECT_EQ(p.text(), "\r\n   AB  C\r\n\r\nD\r\nE\f\r\n\r\n F");
  p.Eject();
  EXPECT_EQ(p.Row(), 0);
  EXPECT_EQ(p.Col(), 0);
}

TEST(PrinterDevice, ControlCodesDoNotMoveTheCounters) {
  MemoryPrinter p;
  p.Say(0, 2, "X");
  p.Raw("\x1b(s0p18H");
  EXPECT_EQ(p.Col(), 3);
  p.Say(-1, -5, "Y");  // negative positions are clamped, never underflow
  EXPECT_EQ(p.text(), "  X\x1b(s0p18H\r\nY");
}

}  // namespace
}  // namespace zur::print

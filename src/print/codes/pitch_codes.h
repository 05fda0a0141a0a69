#pragma once
// Printer control codes: the character pitches of each printer type (and the few sites whose
// printers need their own codes), and the pitch that makes a report of a given width fit.

#include <string>
#include <string_view>

namespace zur::print {

enum class Pitch { k12, k15, k17, k20 };  // characters per inch

struct PrinterKind {
  std::string cur_ptr;            // CUR_PTR: "EPSON", "LASERJET", ..., "WINDOW_PRINTER"
  std::string site;               // USER_KEY, trailing blanks ignored
  bool windows_printing = false;  // printing goes through a system printer
  int ptr_width = 136;            // PTR_WIDTH
};

// The code that switches `pitch` on (or back to the normal pitch); "" when the printer has
// none or the printer type is "WINDOW_PRINTER". Unlisted types use the codes of "EPSON".
std::string PitchCode(const PrinterKind& printer, Pitch pitch, bool on);
// The PCL pitch command ESC "(s0p" cpi "H"; "" with system printing.
std::string HpljCode(const PrinterKind& printer, std::string_view cpi);
// The codes that fit a report `width` columns wide on the printer (on), or undo them (off).
std::string SetPitchCodes(const PrinterKind& printer, int width, bool on);

// True when every character is printable (codes 32 to 126).
bool Prtable(std::string_view text);

}  // namespace zur::print

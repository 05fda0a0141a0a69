#include "print/codes/pitch_codes.h"

#include <array>

#include "lib/text/setting_match.h"

namespace zur::print {
namespace {

constexpr char kEsc = 27;
const std::string kE(1, kEsc);

using text::SettingIs;

bool SiteIn(const PrinterKind& printer, std::initializer_list<std::string_view> sites) {
  return text::SettingIn(printer.site, sites);
}

std::string Pcl(std::string_view cpi) {
  return kE + "(s0p" + std::string(cpi) + "H";
}

// One row of the code table: on codes by pitch (12, 15, 17, 20) and off codes by pitch.
struct CodeRow {
  std::array<std::string, 4> on;
  std::array<std::string, 4> off;
};

CodeRow RowFor(const PrinterKind& p) {
  const std::string& t = p.cur_ptr;
  if (SettingIs(t, "SEIKOSHA")) return {};
  if (SettingIs(t, "TOSHIBA"))
    return {{kE + "E10", "", kE + "[", ""}, {kE + "E12", "", kE + "]", ""}};
  if (SettingIs(t, "LPRINTER")) {
    if (SiteIn(p, {"RADARE"})) return {{"", "", Pcl("18"), ""}, {"", "", Pcl("10"), ""}};
    if (SiteIn(p, {"FOMASA"}))
      return {{"\x01X01", "", "\x01X04", ""}, {"\x01X00", "", "\x01X00", ""}};
    return {};
  }
  if (SettingIs(t, "LASERJET")) {
    const std::string off = Pcl("10");
    if (SiteIn(p, {"NUMOMO", "FOPIRU", "ZONONI", "DOSOBE"}))
      return {{Pcl("12"), Pcl("15"), Pcl("16.66"), Pcl("21")}, {off, off, off, off}};
    if (SiteIn(p, {"NEPAGU"}))
      return {{Pcl("13"), Pcl("15"), Pcl("17"), Pcl("21")}, {off, off, off, off}};
    return {{Pcl("13"), Pcl("15"), Pcl("18"), Pcl("21")}, {off, off, off, off}};
  }
  return {{kE + "M", kE + "g", "\x0f", kE + "M\x0f"}, {kE + "P", kE + "P", "\x12", kE + "P\x12"}};
}

}  // namespace

std::string PitchCode(const PrinterKind& printer, Pitch pitch, bool on) {
  if (SettingIs(printer.cur_ptr, "WINDOW_PRINTER")) return {};
  const CodeRow row = RowFor(printer);
  const auto i = static_cast<size_t>(pitch);
  return on ? row.on[i] : row.off[i];
}

std::string HpljCode(const PrinterKind& printer, std::string_view cpi) {
  return printer.windows_printing ? std::string() : Pcl(cpi);
}

std::string SetPitchCodes(const PrinterKind& printer, int width, bool on) {
  if (printer.windows_printing) return {};
  const bool laser = SettingIs(printer.cur_ptr, "LASERJET");
  if (SiteIn(printer, {"RADARE"}) && SettingIs(printer.cur_ptr, "LPRINTER") && width >= 210)
    return Pcl(on ? "18" : "10");
  const double w = width;
  if (w >= 1.7 * printer.ptr_width) {
    if (laser && SiteIn(printer, {"NUMOMO", "FOPIRU", "ZONONI", "DOSOBE"}))
      return PitchCode(printer, Pitch::k17, on);
    if (laser) return HpljCode(printer, on ? "20" : "10");
    return PitchCode(printer, Pitch::k17, on) + PitchCode(printer, Pitch::k12, on);
  }
  if (w >= 1.2 * printer.ptr_width) {
    if (laser && SiteIn(printer, {"VEZOTE"})) return HpljCode(printer, on ? "14" : "10");
    return PitchCode(printer, Pitch::k17, on);
  }
  if (width > printer.ptr_width) return PitchCode(printer, Pitch::k12, on);
  return {};
}

bool Prtable(std::string_view text) {
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code > 126) return false;
  }
  return true;
}

}  // namespace zur::print

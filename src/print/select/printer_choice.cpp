#include "print/select/printer_choice.h"

#include "lib/text/setting_match.h"
#include "lib/text/trim_pad.h"

namespace zur::print {
namespace {

using text::SettingIn;
using text::SettingIs;

constexpr std::string_view kWide = "VEZOTE";

struct SiteRow {
  std::string_view site;
  std::string_view option2;
  std::string_view option3;  // empty: none
};

constexpr SiteRow kSiteRows[] = {
    {"NITOKU", " 2. SEIKOSHA PRINTER (assume 20 cpi) ", ""},
    {"NEPAGU", " 2. LINE PRINTER (assume 20 cpi) ", " 3. HP LASERJET PRINTER "},
    {"TEDUKU", " 2. LINE PRINTER (assume 17 cpi) ", ""},
    {"RADARE", " 2. LINE PRINTER (assume 16 cpi) ", ""},
    {"LETURA", " 2. TOSHIBA PRINTER ", ""},
    {"FOZUKO", " 2. TOSHIBA PRINTER ", ""},
    {"NUMINU", " 2. C.ITOH LINE PRINTER ", ""},
    {kWide, " 2. HP LASERJET PRINTER (LPT2) ", " 3. HP LASERJET PRINTER (LPT3) "},
};

// A port "LPT..." other than `port` becomes `port` on the network.
void MovePort(PrinterSetting& s, std::string_view port) {
  const std::string name = text::Upper(s.print_name);
  if (!name.starts_with("LPT") || name == port) return;
  s.print_name = std::string(port);
  s.prt_server = "Y";
}

void AnswerOne(std::string_view site, PrinterSetting& s) {
  s.cur_ptr = "EPSON";
  if (SettingIn(site, {"NUMOMO", "RADARE", kWide, "RORODA"})) MovePort(s, "LPT1");
  if (SettingIs(site, "ROVERU") && text::Upper(s.print_name) == "LPT3") {
    s.print_name = "LPT1";
    s.prt_server = "Y";
  }
}

void AnswerTwo(std::string_view site, PrinterSetting& s) {
  if (SettingIs(site, "NITOKU")) {
    s.cur_ptr = "SEIKOSHA";
  } else if (SettingIn(site, {"NEPAGU", "TEDUKU", "RADARE"})) {
    s.cur_ptr = "LPRINTER";
    if (SettingIs(site, "RADARE")) MovePort(s, "LPT2");
  } else if (SettingIn(site, {"LETURA", "FOZUKO"})) {
    s.cur_ptr = "TOSHIBA";
  } else if (SettingIs(site, "NUMINU")) {
    s.cur_ptr = "CITOH";
  } else {
    s.cur_ptr = "LASERJET";
    if (SettingIn(site, {"NUMOMO", "RORODA"})) MovePort(s, "LPT2");
    if (SettingIs(site, "ROVERU")) MovePort(s, "LPT3");
    if (SettingIs(site, kWide)) {
      s.width = 160;
      MovePort(s, "LPT2");
    }
  }
}

void AnswerThree(std::string_view site, PrinterSetting& s) {
  s.cur_ptr = "LASERJET";
  if (SettingIs(site, kWide)) {
    s.width = 160;
    MovePort(s, "LPT3");
  }
}

}  // namespace

SiteOptions SiteOptionsFor(std::string_view site) {
  for (const SiteRow& row : kSiteRows) {
    if (!SettingIs(site, row.site)) continue;
    SiteOptions options{std::string(row.option2), std::nullopt};
    if (!row.option3.empty()) options.option3 = std::string(row.option3);
    return options;
  }
  return {" 2. HP LASERJET PRINTER ", std::nullopt};
}

char PreselectedAnswer(std::string_view site, std::string_view cur_ptr) {
  if (SettingIs(cur_ptr, "WINDOW")) return 'W';
  if (SettingIs(site, "FOZUKO")) return '2';
  if (SettingIs(cur_ptr, "E")) return '1';
  if (SettingIn(site, {kWide, "NEPAGU"}) && SettingIs(cur_ptr, "HP")) return '3';
  return '2';
}

bool ApplyPrinterAnswer(char answer, std::string_view site, PrinterSetting& setting) {
  PrinterSetting s = setting;
  s.width = 136;
  switch (answer) {
    case '1':
      AnswerOne(site, s);
      break;
    case '2':
      AnswerTwo(site, s);
      break;
    case '3':
      AnswerThree(site, s);
      break;
    case 'W':
      s.cur_ptr = "WINDOW_PRINTER";
      break;
    default:
      return false;
  }
  setting = std::move(s);
  return true;
}

}  // namespace zur::print

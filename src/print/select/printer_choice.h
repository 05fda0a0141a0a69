#pragma once
// The printer-type menu's rules: which options a site offers, the answer lit when the menu
// opens, and what an answer does to the printer type, the port and the width.

#include <optional>
#include <string>
#include <string_view>

namespace zur::print {

// The site's second and third options (" 2. HP LASERJET PRINTER " ...).
struct SiteOptions {
  std::string option2;
  std::optional<std::string> option3;
};
SiteOptions SiteOptionsFor(std::string_view site);

// "W", "1", "2" or "3" by the printer type and the site.
char PreselectedAnswer(std::string_view site, std::string_view cur_ptr);

struct PrinterSetting {
  std::string cur_ptr;     // CUR_PTR
  std::string print_name;  // PRINT_NAME, trimmed
  std::string prt_server;  // PRT_SERVER
  int width = 136;         // PTR_WIDTH
};

// Applies the answer "1", "2", "3" or "W" (the font choice of "W" is the font dialog's);
// false, with nothing changed, for any other answer.
bool ApplyPrinterAnswer(char answer, std::string_view site, PrinterSetting& setting);

}  // namespace zur::print

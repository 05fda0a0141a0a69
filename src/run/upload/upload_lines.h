#pragma once
// The lines of the ZUR and STI upload files, each without its CR LF.

#include <string>

#include "run/upload/upload_settings.h"
#include "run/upload/upload_totals.h"

namespace zur::upload {

// Widths of the stock number and quantity fields of a detail line.
struct DetailWidths {
  int stock = 0;
  int quantity = 0;
};
DetailWidths ZurDetailWidths(ZurLayout layout);
DetailWidths StiDetailWidths();

// The ZUR lines take their layout from the settings (is_ccass3, eight_char_accounts).
std::string ZurHeaderLine(const UploadSettings& settings);
std::string ZurDetailLine(const UploadSettings& settings, const Transfer& transfer);
std::string ZurTrailerLine(const UploadSettings& settings, const UploadTotals& totals);

std::string StiHeaderLine(const UploadSettings& settings);
std::string StiDetailLine(const Transfer& transfer);
std::string StiTrailerLine(const UploadTotals& totals);

}  // namespace zur::upload

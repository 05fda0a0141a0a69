#include "run/upload/upload_settings.h"

#include <system_error>

namespace zur::upload {
namespace {

// The path as the file system resolves it, so that two spellings of one file compare equal.
std::filesystem::path Resolved(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) return path.lexically_normal();
  std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : resolved;
}

}  // namespace

ZurLayout ChooseZurLayout(bool is_ccass3, bool eight_char_accounts) {
  if (!is_ccass3) return ZurLayout::kC;
  return eight_char_accounts ? ZurLayout::kA : ZurLayout::kB;
}

int ZurLineLength(ZurLayout layout) {
  switch (layout) {
    case ZurLayout::kA:
      return 99;
    case ZurLayout::kB:
      return 87;
    case ZurLayout::kC:
      break;
  }
  return 74;
}

std::optional<std::string> CheckUploadSettings(const UploadSettings& settings) {
  // The file numbers the headers write (the ZUR file's only in the CCASS/3 layout).
  auto bad_number = [](const char* name) {
    return "ERROR: " + std::string(name) + " is not a file number from 0 to " +
           std::to_string(kMaxFileNumber) + ". Please check the settings.";
  };
  if (settings.is_ccass3 && (settings.zur_file_no < 0 || settings.zur_file_no > kMaxFileNumber))
    return bad_number("ATI_FILENO");
  if (settings.eight_char_accounts &&
      (settings.sti_file_no < 0 || settings.sti_file_no > kMaxFileNumber))
    return bad_number("STI_FILENO");
  if (!settings.eight_char_accounts) return std::nullopt;
  // Layout C has two columns per account code: an 8-digit code would lose all but two digits.
  if (!settings.is_ccass3)
    return "ERROR: CAS3_0705 (8-digit accounts) is in force but CAS3_START (CCASS/3 layout) is "
           "not: the ZUR file cannot hold 8-digit account codes. Please check the settings.";
  // One name for both files would leave only one of them in place.
  if (!settings.zur_path.empty() && Resolved(settings.zur_path) == Resolved(settings.sti_path))
    return "ERROR: ATI_TEXT and STI_TEXT name the same file (" + settings.zur_path.string() +
           "): the ZUR and STI upload files need two names. Please check the settings.";
  return std::nullopt;
}

}  // namespace zur::upload

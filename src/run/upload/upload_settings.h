#pragma once
// What the upload files of a checking run are made from, the ZUR record layout it implies, and
// the check of the settings before any upload file is created.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/vars/date.h"

namespace zur::upload {

// The characters a text field may hold in the CCASS/3 layout; any other becomes a blank.
inline constexpr std::string_view kCcass3TextCharset =
    " /+-?:(),'.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The largest file number the 4-digit field of a header holds.
inline constexpr int kMaxFileNumber = 9999;

struct UploadSettings {
  bool is_ccass3 = false;            // CCASS/3 layout in force (CAS3_START)
  bool eight_char_accounts = false;  // 8-digit account codes and the STI file (CAS3_0705)
  int zur_file_no = 1;               // ATI_FILENO, 0 to kMaxFileNumber
  int sti_file_no = 1;               // STI_FILENO, 0 to kMaxFileNumber
  std::string part_id;               // PART_ID, 6 characters
  std::string send_bic;              // SEND_BIC, 8 characters
  std::string own_ref;               // OWN_REF, up to 15 characters
  Date gen_date;                     // GEN_DATE, the transmission date
  std::filesystem::path zur_path;    // ATI_TEXT
  std::filesystem::path sti_path;    // STI_TEXT, used only with eight_char_accounts
  // The publish marker of the pair (upload_writer.h); empty: kPublishMarker beside the ZUR file.
  std::filesystem::path publish_marker;
  std::string ccass3_charset = std::string(kCcass3TextCharset);  // CAS3_CHAR
};

// Layout of the ZUR file: A (CCASS/3 with 8-digit accounts), B (CCASS/3), C (before CCASS/3).
enum class ZurLayout { kA, kB, kC };

ZurLayout ChooseZurLayout(bool is_ccass3, bool eight_char_accounts);
// Characters of one ZUR line before CR LF (ATI_LEN): 99, 87 or 74.
int ZurLineLength(ZurLayout layout);
// Characters of one STI line before CR LF.
inline constexpr int kStiLineLength = 120;

// Settings that cannot give sound upload files, as the message to show ("ERROR: ..."), or
// nothing. The run calls this before it creates any file.
std::optional<std::string> CheckUploadSettings(const UploadSettings& settings);

}  // namespace zur::upload

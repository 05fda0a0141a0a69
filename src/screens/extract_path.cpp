#include "screens/extract_path.h"

#include <filesystem>

#include "lib/text/trim_pad.h"
#include "platform/term/inkey_codes.h"

namespace zur::screens {
namespace {

constexpr char kSeparator = std::filesystem::path::preferred_separator;

// A chosen file reduced to its directory: cut after the last separator that stands before the
// name's last ".".
std::string DirectoryOf(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return path;
  const size_t separator = path.rfind(kSeparator, dot);
  return separator == std::string::npos ? path : path.substr(0, separator + 1);
}

}  // namespace

std::string ExtractPath2(term::Screen& screen, const std::optional<std::string>& chosen,
                         PathKind kind, std::string_view current, size_t length) {
  if (!chosen || chosen->empty()) return std::string(current);
  std::string path = kind == PathKind::kDirectory ? DirectoryOf(*chosen) : *chosen;
  if (path.size() < length) path = text::PadR(path, length);
  screen.keyboard().Fill(std::string(1, static_cast<char>(term::inkey::kDown)));
  return path;
}

}  // namespace zur::screens

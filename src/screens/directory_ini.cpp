#include "screens/directory_ini.h"

#include <initializer_list>

namespace zur::screens {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& line : lines) out += line + kCrLf;
  return out;
}

}  // namespace

std::string DeclinedIniText() {
  return Lines({"[CHECKPATH]", "CHECKPATH=N"});
}

std::string CompletedIniText(const std::string& database_dir, const std::string& library_dir) {
  return Lines({"[CHECKPATH]", "CHECKPATH=Y", "[DBF]", "DBF=" + database_dir, "[LIB]",
                "LIB=" + library_dir});
}

}  // namespace zur::screens

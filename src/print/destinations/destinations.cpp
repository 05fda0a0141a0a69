#include "print/destinations/destinations.h"

#include <cups/cups.h>
#include <strings.h>

#include <algorithm>

#include "lib/text/trim_pad.h"

namespace zur::print {
namespace {

std::string Option(const cups_dest_t& dest, const char* name) {
  const char* value = cupsGetOption(name, dest.num_options, dest.options);
  return value != nullptr ? std::string(text::AllTrim(value)) : std::string();
}

std::string DescriptionOf(const cups_dest_t& dest) {
  const std::string info = Option(dest, "printer-info");
  const std::string location = Option(dest, "printer-location");
  if (location.empty() || location == info) return info;
  return info.empty() ? location : info + ", " + location;
}

}  // namespace

DestinationList ListDestinations() {
  DestinationList list;
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  for (int i = 0; i < count; ++i) {
    const cups_dest_t& d = dests[i];
    if (d.instance != nullptr || d.name == nullptr) continue;
    list.destinations.push_back({d.name, DescriptionOf(d), d.is_default != 0});
  }
  cupsFreeDests(count, dests);
  std::sort(list.destinations.begin(), list.destinations.end(),
            [](const Destination& a, const Destination& b) {
              return ::strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
            });
  if (list.destinations.empty() && cupsLastError() > IPP_STATUS_OK_CONFLICTING)
    list.error = cupsLastErrorString();
  return list;
}

bool IsDestination(const std::string& name) {
  if (name.empty()) return false;
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
  if (dest == nullptr) return false;
  cupsFreeDests(1, dest);
  return true;
}

std::optional<std::string> PdfDestinationOf(std::string_view setting,
                                            const std::filesystem::path& working_dir) {
  const std::string name(text::AllTrim(setting));
  if (name.empty() || name.find_first_of("/\\") != std::string::npos) return std::nullopt;
  std::error_code ec;
  if (std::filesystem::exists(working_dir / name, ec) || ec) return std::nullopt;
  if (!IsDestination(name)) return std::nullopt;
  return name;
}

}  // namespace zur::print

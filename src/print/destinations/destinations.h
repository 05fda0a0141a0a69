#pragma once
// The destinations of the print scheduler (the system printers): what the printer dialog lists,
// and whether a name is one of them.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zur::print {

struct Destination {
  std::string name;         // what DEF_ATI_PTR or DEF_PDF_PTR holds when it is chosen
  std::string description;  // the scheduler's description and location, "" when it has none
  bool is_default = false;  // the default destination of this user
};

struct DestinationList {
  std::vector<Destination> destinations;  // sorted by name, case ignored
  std::string error;  // why there are none, when the scheduler could not be asked
};

// The destinations of the scheduler the program prints through (CUPS_SERVER, the client
// settings, or the local one). Instances of a destination are left out: a job goes to a name.
DestinationList ListDestinations();

// True when the scheduler knows a destination of that name.
bool IsDestination(const std::string& name);

// The PDF printer's setting (DEF_PDF_PTR) names a folder, or a destination of the scheduler
// that makes PDF files: a name without a folder separator that names no file or folder in
// `working_dir` but a destination. That destination, else nothing (a folder).
std::optional<std::string> PdfDestinationOf(std::string_view setting,
                                            const std::filesystem::path& working_dir);

}  // namespace zur::print

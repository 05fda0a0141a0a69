#pragma once

#include <filesystem>
#include <string>

namespace zur::pdf {

// Report viewer mode: the report is not printed but delivered to a server
// folder, or opened in the viewer program.
struct ViewerHandover {
  std::filesystem::path report;
  bool to_server = false;      // deliver into server_dir
  std::string server_dir;      // as the settings hold it; a trailing '\' is dropped
  std::string viewer = "rpv";  // program run with the report and "/e", found on PATH
};

// Copies the report into the server folder (made when missing) or starts the
// viewer program directly, without a shell. Returns an empty string, or a
// message naming the report. The report itself stays where it is.
std::string HandOverToViewer(const ViewerHandover& handover);

}  // namespace zur::pdf

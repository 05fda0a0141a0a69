#include "platform/pdf/report_viewer.h"

#include <fmt/format.h>

#include "platform/process/detached_program.h"

namespace zur::pdf {
namespace {

std::string CopyIntoFolder(const std::filesystem::path& report, std::string dir) {
  while (!dir.empty() && (dir.back() == '\\' || dir.back() == '/') && dir.size() > 1)
    dir.pop_back();
  const std::filesystem::path folder = dir;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder)) {
    return fmt::format("cannot deliver report {}: folder {} cannot be made", report.string(),
                       folder.string());
  }
  const auto target = folder / report.filename();
  const auto part = folder / (report.filename().string() + ".part");
  std::filesystem::copy_file(report, part, std::filesystem::copy_options::overwrite_existing, ec);
  if (!ec) std::filesystem::rename(part, target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    return fmt::format("cannot deliver report {} to {}: {}", report.string(), folder.string(),
                       ec.message());
  }
  return {};
}

std::string StartViewer(const std::filesystem::path& report, const std::string& viewer) {
  // The viewer runs on its own; it is not waited for.
  const std::string why = process::StartDetached({viewer, report.string(), "/e"});
  if (!why.empty())
    return fmt::format("cannot show report {}: viewer {} does not start ({})", report.string(),
                       viewer, why);
  return {};
}

}  // namespace

std::string HandOverToViewer(const ViewerHandover& handover) {
  if (!std::filesystem::is_regular_file(handover.report)) {
    return fmt::format("cannot show report {}: no such file", handover.report.string());
  }
  if (handover.to_server && !handover.server_dir.empty())
    return CopyIntoFolder(handover.report, handover.server_dir);
  return StartViewer(handover.report, handover.viewer);
}

}  // namespace zur::pdf

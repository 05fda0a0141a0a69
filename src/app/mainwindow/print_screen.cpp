#include "app/mainwindow/print_screen.h"

#include "lib/text/trim_pad.h"
#include "platform/term/message_box.h"
#include "print/job/print_job.h"

namespace zur::mainwindow {
namespace {

constexpr int kPageEndRow = 54;

// Rows at column 0 from `first`, then the end of the page or one blank row.
void PrintRows(print::PrinterDevice& device, const std::vector<std::string>& rows, int first) {
  int row = first;
  for (const std::string& text : rows) device.Say(row++, 0, text);
  if (row >= kPageEndRow) {
    device.Eject();
  } else {
    device.Say(row, 0, " ");
  }
}

}  // namespace

std::vector<std::string> ScreenRows(const term::Screen& screen) {
  std::vector<std::string> rows;
  const term::CellGrid& picture = screen.picture();
  for (int r = 0; r < term::kGridRows; ++r) {
    const int at = r + term::kMenuBarRows;
    rows.emplace_back(at < picture.rows() ? text::RTrim(picture.RowBytes(at)) : std::string());
  }
  return rows;
}

std::string PrintScreenRows(const std::vector<std::string>& rows, VarStore& vars,
                            const std::filesystem::path& working_dir) {
  print::PrintJob job(vars, working_dir);
  PrintRows(job.device(), rows, 1);
  const print::PrintJobResult printed = job.Finish();
  return printed.ok() ? printed.notice : printed.error;
}

void PrintScreen(term::Screen& screen, VarStore& vars, const std::filesystem::path& working_dir) {
  screen.Refresh();
  std::string error;
  try {
    error = PrintScreenRows(ScreenRows(screen), vars, working_dir);
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!error.empty()) term::MessageBox(screen, error, "ZUR");
}

}  // namespace zur::mainwindow

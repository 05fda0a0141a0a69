#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "platform/pdf/page_layout.h"
#include "platform/pdf/pdf_part.h"

namespace zur::pdf {

// Pages a part of a long report holds (see RenderPdf).
inline constexpr int kPartPages = 256;

struct RenderOptions : DocumentStyle {
  // Told as pages are drawn: pages done, pages in all. Told on the calling thread.
  std::function<void(int done, int total)> progress;
  // Pages a part holds; the bytes of the PDF depend on it (never on the threads that drew it).
  int part_pages = kPartPages;
};

// Draws a report of `pages` pages into a PDF at `out`, as `lay_out` places the report's text on
// the sink it is given (the last page is ended here; a report without any text gets one blank
// page). The file
// is written beside `out` and renamed into place. Returns an empty string, or a message naming
// `out`.
//
// The report is laid out on the calling thread. A report of more than one part is drawn part
// by part on the machine's cores and the parts are joined into one document (PdfJoiner); a
// report of one part is drawn as it is, on another core while it is laid out.
std::string RenderPdf(const std::function<void(PageSink& sink)>& lay_out, int pages,
                      const PageSetup& setup, const RenderOptions& options,
                      const std::filesystem::path& out);

}  // namespace zur::pdf

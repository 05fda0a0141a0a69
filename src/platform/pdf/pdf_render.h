#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/pdf/page_layout.h"

namespace zur::pdf {

struct RenderOptions {
  std::string font_family;  // installed family name
  std::string title;        // document title
  // Written as the document's creation date, so the same report at the same
  // time gives the same bytes.
  std::chrono::system_clock::time_point created;
  // Told after each page: pages done, pages in all.
  std::function<void(int done, int total)> progress;
};

// Draws a report into a PDF at `out`, a page at a time as `lay_out` places the report's text
// on the sink it is given (`pages` in all, for the progress; a report without any text gets
// one blank page). The file is written beside `out` and renamed into place. Returns an empty
// string, or a message naming `out`.
//
// Printable single-byte text is drawn from glyphs shaped once per document, without a glyph
// for a blank: each run of it fills exactly its columns, as the report's columns line up.
std::string RenderPdf(const std::function<void(PageSink& sink)>& lay_out, int pages,
                      const PageSetup& setup, const RenderOptions& options,
                      const std::filesystem::path& out);

}  // namespace zur::pdf

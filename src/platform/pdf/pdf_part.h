#pragma once
// Drawing laid-out pages as a PDF document of their own: a whole report, or one part of a long
// one that is drawn beside the other parts and joined with them afterwards.

#include <chrono>
#include <functional>
#include <string>

#include "platform/pdf/laid_out_pages.h"
#include "platform/pdf/page_layout.h"

namespace zur::pdf {

// What every document of a report shares.
struct DocumentStyle {
  std::string font_family;  // installed family name
  std::string title;        // document title
  // Written as the document's creation date, so the same report at the same
  // time gives the same bytes.
  std::chrono::system_clock::time_point created;
};

// Draws `pages` into `pdf` (appended), calling `page_drawn` after each page. The bytes depend
// only on the pages, the setup and the style: drawn on any thread, at any time, they are the
// same. Returns an empty string, or what went wrong.
//
// Printable single-byte text is drawn from glyphs shaped once per document, without a glyph
// for a blank: each run of it fills exactly its columns, as the report's columns line up.
std::string DrawPdfPart(const LaidOutPages& pages, const PageSetup& setup,
                        const DocumentStyle& style, const std::function<void()>& page_drawn,
                        std::string& pdf);

}  // namespace zur::pdf

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

// Draws the pages into a PDF at `out`, written beside it and renamed into
// place. Returns an empty string, or a message naming `out`.
std::string RenderPdf(const std::vector<Page>& pages, const PageSetup& setup,
                      const RenderOptions& options, const std::filesystem::path& out);

}  // namespace zur::pdf

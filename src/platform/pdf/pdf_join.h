#pragma once
// Joining the PDF documents drawn for consecutive runs of a report's pages (DrawPdfPart) into
// one document that shows all their pages in order. Each part keeps its own objects (its
// subset of the font, its forms), renumbered after those of the parts before it; the parts'
// page trees hang under one new page tree, and the first part's document information stays.
//
// It reads documents as the renderer writes them: one cross-reference table, and a catalog
// that holds nothing but the page tree. Anything else is refused, not guessed at.

#include <string>
#include <string_view>
#include <vector>

namespace zur::pdf {

class PdfJoiner {
 public:
  // Appends to `out` the bytes that add the next part to the joined document. False when the
  // part is not a document the joiner reads; error() says why.
  bool Add(std::string_view part, std::string& out);
  // Appends to `out` the page tree, catalog, cross-reference table and trailer that end the
  // joined document (at least one part must have been added).
  void Finish(std::string& out);

  const std::string& error() const { return error_; }

 private:
  std::vector<size_t> offsets_ = std::vector<size_t>(3);  // by object number; 1 and 2 at the end
  size_t written_ = 0;                                    // bytes given out so far
  std::vector<long> kids_;                                // the parts' page trees
  long pages_ = 0;
  long info_ = 0;
  std::string error_;
};

}  // namespace zur::pdf

#pragma once
// Pages as the layout places them, kept compactly (one buffer for the text of all pieces) so
// that they can be drawn later, on another thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pdf/page_layout.h"

namespace zur::pdf {

class LaidOutPages : public PageSink {
 public:
  void Piece(int x, int baseline, std::string_view big5) override;
  // Ends the page being laid out.
  void NextPage() override;

  // Pages ended so far.
  int pages() const { return static_cast<int>(page_ends_.size()); }

  // Places every piece of the ended pages on `sink`, with NextPage after each page.
  void Replay(PageSink& sink) const;

 private:
  struct PieceRef {
    int x;
    int baseline;
    uint32_t offset;  // in text_
    uint32_t size;
  };
  std::string text_;
  std::vector<PieceRef> pieces_;
  std::vector<size_t> page_ends_;  // pieces_ index after each page
};

}  // namespace zur::pdf

#include "platform/pdf/laid_out_pages.h"

namespace zur::pdf {

void LaidOutPages::Piece(int x, int baseline, std::string_view big5) {
  pieces_.push_back(
      {x, baseline, static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(big5.size())});
  text_.append(big5);
}

void LaidOutPages::NextPage() {
  page_ends_.push_back(pieces_.size());
}

void LaidOutPages::Replay(PageSink& sink) const {
  const std::string_view text = text_;
  size_t piece = 0;
  for (size_t end : page_ends_) {
    for (; piece < end; ++piece) {
      const PieceRef& p = pieces_[piece];
      sink.Piece(p.x, p.baseline, text.substr(p.offset, p.size));
    }
    sink.NextPage();
  }
}

}  // namespace zur::pdf

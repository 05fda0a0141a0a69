#include "platform/term/headless_backend.h"

#include "platform/term/display_text.h"
#include "platform/term/key_decoder.h"

namespace zur::term {

HeadlessBackend::HeadlessBackend(Size size) : size_(size), picture_(size.rows, size.columns) {}

void HeadlessBackend::Type(std::string_view text) {
  for (std::string_view c : SplitCharacters(text)) {
    const Key key = c.size() == 1 ? KeyOfByte(static_cast<unsigned char>(c[0])) : Key{};
    Press(key.valid() ? key : Key::Char(c));
  }
}

void HeadlessBackend::ResizeTo(Size size) {
  inputs_.push_back(Input::Resize());
  resizes_.push_back(size);
}

std::string HeadlessBackend::Row(int row) const {
  std::string text = RowText(picture_, row);
  const size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

std::string HeadlessBackend::Text() const {
  std::string out;
  for (int row = 0; row < picture_.rows(); ++row) out += Row(row) + "\n";
  return out;
}

void HeadlessBackend::Present(const CellGrid& picture, const Cursor& cursor) {
  picture_ = picture;
  cursor_ = cursor;
  ++presents_;
}

std::optional<Input> HeadlessBackend::Read(int timeout_ms) {
  if (inputs_.empty() && on_idle) on_idle(*this);
  if (inputs_.empty()) {
    if (timeout_ms >= 0) return std::nullopt;
    throw InputExhausted();
  }
  if (before_read) before_read(picture_);
  Input input = std::move(inputs_.front());
  inputs_.pop_front();
  if (input.kind == Input::kResize && !resizes_.empty()) {
    size_ = resizes_.front();
    resizes_.pop_front();
  }
  return input;
}

}  // namespace zur::term

#include "platform/term/keyboard.h"

#include "platform/term/inkey_codes.h"

namespace zur::term {

void KeyboardBuffer::Fill(std::string_view text) {
  keys_.clear();
  for (std::string_view c : SplitCharacters(text)) {
    const Key key = c.size() == 1 ? inkey::ToKey(static_cast<unsigned char>(c[0])) : Key::Char(c);
    if (key.valid()) Push(key);
  }
}

void KeyboardBuffer::Push(Key key) {
  if (keys_.size() < kCapacity) keys_.push_back(std::move(key));
}

Key KeyboardBuffer::Pop() {
  if (keys_.empty()) return {};
  Key key = std::move(keys_.front());
  keys_.pop_front();
  return key;
}

bool HotKeys::Run(const Key& key) {
  const int code = inkey::FromKey(key);
  auto it = routines_.find(code);
  if (code == inkey::kNoKey || it == routines_.end() || running_[code]) return false;
  const Routine routine = it->second;  // the routine may change the table
  running_[code] = true;
  try {
    routine();
  } catch (...) {
    running_[code] = false;
    throw;
  }
  running_[code] = false;
  return true;
}

}  // namespace zur::term

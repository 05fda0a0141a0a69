#pragma once
// The keyboard buffer that the program can fill (keys then read as if typed) and the hot-key
// table (keys that run a routine wherever the program waits for a key).

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/term/key.h"

namespace zur::term {

class KeyboardBuffer {
 public:
  // Empties the buffer and puts the keys of `text` into it: each byte is read as its inkey
  // code (13 Enter, 27 Esc, 24 Down ...), a Big5 character as one key.
  void Fill(std::string_view text);
  // Adds one key at the end.
  void Push(Key key);
  bool empty() const { return keys_.empty(); }
  size_t size() const { return keys_.size(); }
  Key Pop();
  void Clear() { keys_.clear(); }

 private:
  // More keys than anyone types ahead; the rest of a runaway fill is dropped.
  static constexpr size_t kCapacity = 4096;
  std::deque<Key> keys_;
};

// Hot keys by inkey code. A hot key's routine does not fire again for its own key while it
// runs (so a routine that reads keys gets that key like any other).
class HotKeys {
 public:
  using Routine = std::function<void()>;
  void Set(int inkey_code, Routine routine) { routines_[inkey_code] = std::move(routine); }
  void Remove(int inkey_code) { routines_.erase(inkey_code); }
  bool Has(int inkey_code) const { return routines_.count(inkey_code) != 0; }
  // Runs the routine of `key` when it has one that is not running; true when it ran.
  bool Run(const Key& key);

 private:
  std::map<int, Routine> routines_;
  std::map<int, bool> running_;
};

}  // namespace zur::term

#pragma once
// A report's text kept as a file while it is printed: written beside its name as the report
// goes and renamed into place once complete, so that an older copy stays whole until then and
// the report is never held in memory for it.

#include <filesystem>
#include <string>
#include <string_view>

namespace zur::reports {

class KeptCopy {
 public:
  KeptCopy() = default;
  ~KeptCopy();  // removes a copy that was not finished
  KeptCopy(const KeptCopy&) = delete;
  KeptCopy& operator=(const KeptCopy&) = delete;

  // Starts a copy that will be `path` (its folder is made when missing).
  void Start(const std::filesystem::path& path);
  bool started() const { return !path_.empty(); }
  void Append(std::string_view bytes);
  // Writes the rest, flushes the copy to disk and renames it into place. Returns "" once it
  // stands under its name, else "<file>: <reason>" for the first failure.
  std::string Finish();

 private:
  void Flush();
  void Fail(const char* what, int code);
  void Abandon();

  std::filesystem::path path_;
  std::filesystem::path temp_;
  int fd_ = -1;
  std::string buffer_;
  std::string error_;
};

}  // namespace zur::reports

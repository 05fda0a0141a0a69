#pragma once
// The failure of an upload file: the message the run shows before it ends.

#include <stdexcept>
#include <string>
#include <utility>

namespace zur::upload {

enum class UploadFileKind { kZur, kSti };

// First line of the message shown when an upload file cannot be written.
const char* CannotGenerateMessage(UploadFileKind kind);

class UploadError : public std::runtime_error {
 public:
  // `message` is what the operator is shown (what()); `reason` the system's account of the
  // failure ("<file>: <error>"), for the log; empty when the settings were refused.
  UploadError(const std::string& message, std::string reason)
      : std::runtime_error(message), reason_(std::move(reason)) {}

  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

}  // namespace zur::upload

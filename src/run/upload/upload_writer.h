#pragma once
// Writer of the upload files of a checking run: the ZUR file always, the STI file with 8-digit
// account codes. Each file is written under a temporary name and appears under its real name,
// complete, only when its trailer is written; a run that stops leaves no upload file behind.

#include <optional>
#include <string>

#include "run/upload/staged_file.h"
#include "run/upload/upload_error.h"
#include "run/upload/upload_settings.h"
#include "run/upload/upload_totals.h"

namespace zur::upload {

class UploadWriter {
 public:
  // Checks the settings, removes older files of the upload names, creates the files and writes
  // their headers. Throws UploadError; nothing is then left under the upload names.
  // `write_bytes` replaces write(2) for tests.
  explicit UploadWriter(UploadSettings settings, WriteBytesFn write_bytes = {});
  // A writer that was not finished removes its temporary files.
  ~UploadWriter() = default;
  UploadWriter(const UploadWriter&) = delete;
  UploadWriter& operator=(const UploadWriter&) = delete;

  // One detail line in the ZUR file, or in the STI file (which must be in use), and the
  // file's counter and checksums. Throws UploadError; the run has then no upload file.
  void WriteZurDetail(const Transfer& transfer);
  void WriteStiDetail(const Transfer& transfer);

  // Writes the trailers and puts the files in place under their names. Throws UploadError;
  // then neither file is left in place.
  void Finish();

  ZurLayout layout() const { return layout_; }
  int zur_line_length() const { return ZurLineLength(layout_); }  // ATI_LEN
  bool has_sti_file() const { return sti_.has_value(); }
  const UploadTotals& zur_totals() const { return zur_totals_; }
  const UploadTotals& sti_totals() const { return sti_totals_; }
  bool finished() const { return state_ == State::kFinished; }

 private:
  enum class State { kOpen, kFinished, kFailed };

  void CheckUsable() const;
  void WriteDetail(UploadFileKind kind, const Transfer& transfer);
  void WriteLine(UploadFileKind kind, const std::string& line);
  StagedFile& File(UploadFileKind kind) { return kind == UploadFileKind::kZur ? zur_ : *sti_; }
  // Gives up both files and throws the message of `kind`'s file.
  [[noreturn]] void Fail(UploadFileKind kind, const std::string& reason);
  std::string LeftInPlaceNote() const;

  UploadSettings settings_;
  ZurLayout layout_;
  StagedFile zur_;
  std::optional<StagedFile> sti_;
  UploadTotals zur_totals_;
  UploadTotals sti_totals_;
  State state_ = State::kOpen;
  std::optional<UploadError> failure_;
};

}  // namespace zur::upload

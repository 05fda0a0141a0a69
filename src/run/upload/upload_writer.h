#pragma once
// Writer of the upload files of a checking run: the ZUR file always, the STI file with 8-digit
// account codes. Each file is written under a temporary name and appears under its real name,
// complete, only when its trailer is written; a run that stops leaves no upload file behind.
//
// The two files are put in place as a pair: the publish marker (kPublishMarker) is written
// before the first rename and removed after the last, with SIGINT, SIGTERM and SIGHUP held
// back in between. A run killed between the renames leaves the marker, and the next run's
// RecoverInterruptedPublish removes the file that stands alone.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/upload/staged_file.h"
#include "run/upload/upload_error.h"
#include "run/upload/upload_settings.h"
#include "run/upload/upload_totals.h"

namespace zur::upload {

// The publish marker's name, in the directory UploadSettings::publish_marker names.
inline constexpr std::string_view kPublishMarker = "ZURPUB.MRK";

// Called with the name of each step as the writer passes it ("created", "sealed",
// "marker-written", "zur-published", "sti-published", "marker-removed"); crash tests end the
// process there.
using StepHook = std::function<void(std::string_view step)>;

class UploadWriter {
 public:
  // Checks the settings, removes older files of the upload names, creates the files and writes
  // their headers. Throws UploadError; nothing is then left under the upload names.
  // `write_bytes` replaces write(2) for tests.
  explicit UploadWriter(UploadSettings settings, WriteBytesFn write_bytes = {},
                        StepHook on_step = {});
  // A writer that was not finished removes its temporary files.
  ~UploadWriter() = default;
  UploadWriter(const UploadWriter&) = delete;
  UploadWriter& operator=(const UploadWriter&) = delete;

  // One detail line in the ZUR file, or in the STI file (which must be in use), and the
  // file's counter and checksums. Throws UploadError; the run has then no upload file.
  void WriteZurDetail(const Transfer& transfer);
  void WriteStiDetail(const Transfer& transfer);

  // Writes the trailers and puts the files in place under their names, both or neither.
  // Throws UploadError; then neither file is left in place.
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
  void Step(std::string_view step) const {
    if (on_step_) on_step_(step);
  }
  void PublishPair();

  UploadSettings settings_;
  ZurLayout layout_;
  StagedFile zur_;
  std::optional<StagedFile> sti_;
  UploadTotals zur_totals_;
  UploadTotals sti_totals_;
  State state_ = State::kOpen;
  std::optional<UploadError> failure_;
  StepHook on_step_;
  std::filesystem::path marker_;  // the publish marker while it stands
};

// What the next run does about a publish that a killed run left half done: reads the marker at
// `marker` (nothing to do when there is none), removes each upload file it names that stands
// in place alone (the same file the killed run renamed, by device and inode), then the marker.
// Returns the "WARNING: ..." lines to show (none when nothing was removed).
std::vector<std::string> RecoverInterruptedPublish(const std::filesystem::path& marker);

}  // namespace zur::upload

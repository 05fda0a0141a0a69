#include "run/upload/upload_writer.h"

#include <stdexcept>
#include <system_error>
#include <utility>

#include "run/upload/upload_lines.h"

namespace zur::upload {
namespace {

constexpr UploadFileKind kZur = UploadFileKind::kZur;
constexpr UploadFileKind kSti = UploadFileKind::kSti;

// A file that could be taken for an upload file (a directory cannot).
bool FileAt(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
  return !path.empty() && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

UploadWriter::UploadWriter(UploadSettings settings, WriteBytesFn write_bytes)
    : settings_(std::move(settings)),
      layout_(ChooseZurLayout(settings_.is_ccass3, settings_.eight_char_accounts)),
      zur_(settings_.zur_path, write_bytes) {
  if (std::optional<std::string> refused = CheckUploadSettings(settings_)) {
    state_ = State::kFailed;
    throw UploadError(*refused, "");
  }
  if (settings_.eight_char_accounts) sti_.emplace(settings_.sti_path, write_bytes);

  if (std::string error = zur_.Create(); !error.empty()) Fail(kZur, error);
  if (sti_)
    if (std::string error = sti_->Create(); !error.empty()) Fail(kSti, error);
  WriteLine(kZur, ZurHeaderLine(settings_));
  if (sti_) WriteLine(kSti, StiHeaderLine(settings_));
}

void UploadWriter::CheckUsable() const {
  if (state_ == State::kFailed && failure_) throw *failure_;
  if (state_ != State::kOpen) throw std::logic_error("upload files already finished");
}

void UploadWriter::WriteZurDetail(const Transfer& transfer) {
  WriteDetail(kZur, transfer);
}

void UploadWriter::WriteStiDetail(const Transfer& transfer) {
  CheckUsable();
  if (!sti_) throw std::logic_error("the STI upload file is not in use without 8-digit accounts");
  WriteDetail(kSti, transfer);
}

void UploadWriter::WriteDetail(UploadFileKind kind, const Transfer& transfer) {
  CheckUsable();
  const bool zur = kind == kZur;
  const DetailWidths widths = zur ? ZurDetailWidths(layout_) : StiDetailWidths();
  if (std::string problem = TransferFieldProblem(transfer, widths.stock, widths.quantity);
      !problem.empty())
    Fail(kind, File(kind).path().string() + ": " + problem);
  UploadTotals totals = zur ? zur_totals_ : sti_totals_;
  if (!totals.Add(transfer)) Fail(kind, File(kind).path().string() + ": checksums overflow");
  WriteLine(kind, zur ? ZurDetailLine(settings_, transfer) : StiDetailLine(transfer));
  (zur ? zur_totals_ : sti_totals_) = totals;
}

void UploadWriter::Finish() {
  CheckUsable();
  WriteLine(kZur, ZurTrailerLine(settings_, zur_totals_));
  if (sti_) WriteLine(kSti, StiTrailerLine(sti_totals_));
  // Both files are complete on disk before either appears under its name.
  if (std::string error = zur_.Seal(); !error.empty()) Fail(kZur, error);
  if (sti_)
    if (std::string error = sti_->Seal(); !error.empty()) Fail(kSti, error);
  if (std::string error = zur_.Publish(); !error.empty()) Fail(kZur, error);
  if (sti_)
    if (std::string error = sti_->Publish(); !error.empty()) Fail(kSti, error);
  state_ = State::kFinished;
}

void UploadWriter::WriteLine(UploadFileKind kind, const std::string& line) {
  if (std::string error = File(kind).Write(line + "\r\n"); !error.empty()) Fail(kind, error);
}

void UploadWriter::Fail(UploadFileKind kind, const std::string& reason) {
  zur_.Discard();
  if (sti_) sti_->Discard();
  failure_.emplace(std::string(CannotGenerateMessage(kind)) + "\n" + LeftInPlaceNote(), reason);
  state_ = State::kFailed;
  throw *failure_;
}

std::string UploadWriter::LeftInPlaceNote() const {
  std::string note;
  for (const StagedFile* file : {&zur_, sti_ ? &*sti_ : nullptr})
    if (file != nullptr && FileAt(file->path()))
      note += (note.empty() ? "" : "\n") +
              ("The file " + file->path().string() + " could not be removed: do not upload it.");
  return note.empty() ? "No upload file was left in place." : note;
}

}  // namespace zur::upload

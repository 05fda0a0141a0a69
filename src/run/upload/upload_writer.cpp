#include "run/upload/upload_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "platform/vars/file_io.h"
#include "run/upload/upload_lines.h"

namespace zur::upload {
namespace {

constexpr UploadFileKind kZur = UploadFileKind::kZur;
constexpr UploadFileKind kSti = UploadFileKind::kSti;
constexpr std::string_view kMarkerHeader = "ZURPUB 1";
constexpr size_t kMaxMarkerBytes = 64 * 1024;

std::filesystem::path Absolute(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal();
}

// One file of the pair as the marker names it: the file the run renames (device and inode,
// which a rename keeps) and the name it gets.
struct MarkedFile {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  std::filesystem::path path;
};

// "ZURPUB 1", then a line "<device> <inode> <path>" for each file.
std::optional<std::vector<MarkedFile>> ParseMarker(std::string_view text) {
  std::vector<MarkedFile> files;
  size_t line_no = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line_no++ == 0) {
      if (line != kMarkerHeader) return std::nullopt;
      continue;
    }
    MarkedFile file;
    const char* at = line.data();
    const char* stop = line.data() + line.size();
    auto number = [&](unsigned long long& out) {
      const auto r = std::from_chars(at, stop, out);
      if (r.ec != std::errc() || r.ptr == stop || *r.ptr != ' ') return false;
      at = r.ptr + 1;
      return true;
    };
    if (!number(file.device) || !number(file.inode) || at == stop) return std::nullopt;
    file.path = std::string(at, stop);
    files.push_back(std::move(file));
  }
  if (line_no == 0) return std::nullopt;
  return files;
}

bool IsMarkedFile(const MarkedFile& file) {
  struct stat st {};
  return ::lstat(file.path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         static_cast<unsigned long long>(st.st_dev) == file.device &&
         static_cast<unsigned long long>(st.st_ino) == file.inode;
}

// A file that could be taken for an upload file (a directory cannot).
bool FileAt(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
  return !path.empty() && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

}  // namespace

UploadWriter::UploadWriter(UploadSettings settings, WriteBytesFn write_bytes, StepHook on_step)
    : settings_(std::move(settings)),
      layout_(ChooseZurLayout(settings_.is_ccass3, settings_.eight_char_accounts)),
      zur_(settings_.zur_path, write_bytes),
      on_step_(std::move(on_step)) {
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
  Step("created");
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
  Step("sealed");
  if (sti_) {
    PublishPair();
  } else {
    if (std::string error = zur_.Publish(); !error.empty()) Fail(kZur, error);
    Step("zur-published");
  }
  state_ = State::kFinished;
}

void UploadWriter::PublishPair() {
  const std::filesystem::path marker = settings_.publish_marker.empty()
                                           ? settings_.zur_path.parent_path() / kPublishMarker
                                           : settings_.publish_marker;
  // A signal now would split the pair: it waits until both files stand (or neither does).
  SignalsHeldBack held_back;
  std::string text = std::string(kMarkerHeader) + "\n";
  for (const StagedFile* file : {&zur_, &*sti_}) {
    struct stat st {};
    const std::string path = Absolute(file->path()).string();
    if (::stat(file->temp_path().c_str(), &st) != 0 || path.find('\n') != std::string::npos)
      Fail(file == &zur_ ? kZur : kSti, file->temp_path().string() + ": cannot be marked");
    text += std::to_string(static_cast<unsigned long long>(st.st_dev)) + " " +
            std::to_string(static_cast<unsigned long long>(st.st_ino)) + " " + path + "\n";
  }
  if (std::string error = WriteFileAtomically(marker.string(), text); !error.empty())
    Fail(kZur, error);
  marker_ = marker;
  Step("marker-written");
  if (std::string error = zur_.Publish(); !error.empty()) Fail(kZur, error);
  Step("zur-published");
  if (std::string error = sti_->Publish(); !error.empty()) Fail(kSti, error);
  Step("sti-published");
  ::unlink(marker.c_str());
  marker_.clear();
  FlushDirectory(marker.parent_path());
  Step("marker-removed");
}

void UploadWriter::WriteLine(UploadFileKind kind, const std::string& line) {
  if (std::string error = File(kind).Write(line + "\r\n"); !error.empty()) Fail(kind, error);
}

void UploadWriter::Fail(UploadFileKind kind, const std::string& reason) {
  zur_.Discard();
  if (sti_) sti_->Discard();
  if (!marker_.empty()) {
    ::unlink(marker_.c_str());
    marker_.clear();
  }
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

std::vector<std::string> RecoverInterruptedPublish(const std::filesystem::path& marker) {
  std::vector<std::string> warnings;
  struct stat st {};
  if (::lstat(marker.c_str(), &st) != 0) return warnings;
  const FileBytes read = ReadFileBytes(marker.string(), kMaxMarkerBytes);
  const std::optional<std::vector<MarkedFile>> files =
      read.ok() ? ParseMarker(read.bytes) : std::nullopt;
  if (!files) {
    warnings.push_back("WARNING: " + marker.string() +
                       " (the mark of upload files being put in place) cannot be read" +
                       (read.ok() ? std::string() : ": " + read.error) +
                       "; it is removed. Check that the upload files are a pair before "
                       "uploading them !");
  } else {
    std::vector<const MarkedFile*> standing, missing;
    for (const MarkedFile& file : *files)
      (IsMarkedFile(file) ? standing : missing).push_back(&file);
    // All in place: the run was stopped after its last rename, and the pair is whole.
    if (!missing.empty()) {
      for (const MarkedFile* file : standing) {
        std::string missing_names;
        for (const MarkedFile* m : missing)
          missing_names += (missing_names.empty() ? "" : ", ") + m->path.string();
        const bool removed = ::unlink(file->path.c_str()) == 0 || errno == ENOENT;
        const int error_number = errno;
        warnings.push_back("WARNING: A run stopped while putting its upload files in place left " +
                           file->path.string() + " without " + missing_names +
                           (removed ? ": it is removed. Please run the checking again !"
                                    : ": it could not be removed (" +
                                          std::string(std::strerror(error_number)) +
                                          "), do not upload it !"));
        FlushDirectory(file->path.parent_path());
      }
    }
  }
  ::unlink(marker.c_str());
  FlushDirectory(marker.parent_path());
  return warnings;
}

}  // namespace zur::upload

#include "platform/term/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/big5/big5_text.h"
#include "platform/term/dialog_frame.h"
#include "platform/term/folder_listing.h"
#include "platform/term/screen.h"

namespace zur::term {
namespace {

constexpr int kListRows = 13;
constexpr int kWidth = 64;

class FileDialog {
 public:
  FileDialog(Screen& screen, const FileDialogOptions& options)
      : screen_(screen), options_(options) {
    std::error_code ec;
    const std::filesystem::path start = options.folder.empty()
                                            ? std::filesystem::current_path(ec)
                                            : std::filesystem::path(options.folder);
    folder_ = std::filesystem::absolute(start, ec).lexically_normal();
    if (folder_.has_filename() == false && folder_ != folder_.root_path())
      folder_ = folder_.parent_path();
    if (options_.filters.empty()) options_.filters.push_back({"*", "*.*"});
    Load();
  }

  std::optional<std::string> Run() {
    const Rect box = CentredBox(screen_.backend().GetSize(), kListRows + 6, kWidth);
    Screen::OverlayHandle overlay(screen_, [&](CellGrid& picture, Cursor& cursor) {
      Draw(picture, box);
      cursor.visible = false;
    });
    while (!done_) {
      const std::optional<Input> input = screen_.ReadInput(-1);
      if (!input) continue;
      if (input->kind == Input::kClick) OnClick(box, input->row, input->col);
      if (input->kind == Input::kKey) OnKey(input->key);
    }
    return picked_;
  }

 private:
  const FileFilter& filter() const { return options_.filters[filter_index_]; }

  void Load() {
    entries_ = ListFolder(folder_.string(), filter().pattern);
    current_ = entries_.size() > 1 ? 1 : 0;
    top_ = 0;
  }

  void Open(size_t index) {
    if (index >= entries_.size()) return;
    const FolderEntry& entry = entries_[index];
    if (!entry.folder) {
      picked_ = (folder_ / entry.name).string();
      done_ = true;
      return;
    }
    if (entry.name == "..") {
      Up();
      return;
    }
    folder_ /= entry.name;
    Load();
  }

  void Up() {
    if (folder_ == folder_.root_path()) return;
    const std::string left = folder_.filename().string();
    folder_ = folder_.parent_path();
    Load();
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].folder && entries_[i].name == left) current_ = i;
  }

  void Move(long delta) {
    if (entries_.empty()) return;
    const long last = static_cast<long>(entries_.size()) - 1;
    current_ = static_cast<size_t>(std::clamp(static_cast<long>(current_) + delta, 0L, last));
  }

  void JumpToLetter(char c) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (size_t step = 1; step <= entries_.size(); ++step) {
      const size_t i = (current_ + step) % entries_.size();
      if (std::toupper(static_cast<unsigned char>(entries_[i].name[0])) == letter) {
        current_ = i;
        return;
      }
    }
  }

  void OnKey(const Key& key) {
    if (key.IsText() && key.text.size() == 1) {
      JumpToLetter(key.text[0]);
      return;
    }
    switch (key.id) {
      case KeyId::kEsc:
        done_ = true;
        break;
      case KeyId::kEnter:
        Open(current_);
        break;
      case KeyId::kBackspace:
        Up();
        break;
      case KeyId::kUp:
        Move(-1);
        break;
      case KeyId::kDown:
        Move(1);
        break;
      case KeyId::kPgUp:
        Move(-(kListRows - 1));
        break;
      case KeyId::kPgDn:
        Move(kListRows - 1);
        break;
      case KeyId::kHome:
        current_ = 0;
        break;
      case KeyId::kEnd:
        Move(static_cast<long>(entries_.size()));
        break;
      case KeyId::kTab:
        filter_index_ = (filter_index_ + 1) % options_.filters.size();
        Load();
        break;
      default:
        break;
    }
  }

  void OnClick(const Rect& box, int row, int col) {
    const int first = box.row + 3;
    if (col <= box.col || col >= box.right() || row < first || row >= first + kListRows) return;
    const size_t index = top_ + static_cast<size_t>(row - first);
    if (index >= entries_.size()) return;
    if (index == current_)
      Open(index);
    else
      current_ = index;
  }

  void Draw(CellGrid& picture, const Rect& box) {
    const Theme& theme = screen_.theme();
    DrawDialog(picture, box, options_.title, theme);
    const int inner = box.cols - 4;
    std::string where = big5::Utf8ToBig5(folder_.string());
    if (static_cast<int>(where.size()) > inner - 8)
      where = "..." + where.substr(where.size() - static_cast<size_t>(inner - 11));
    picture.Put(box.row + 1, box.col + 2, "Folder: " + where, theme.dialog);
    if (current_ < top_) top_ = current_;
    if (current_ >= top_ + kListRows) top_ = current_ - kListRows + 1;
    for (int i = 0; i < kListRows; ++i) {
      const size_t index = top_ + static_cast<size_t>(i);
      const int row = box.row + 3 + i;
      if (index >= entries_.size()) break;
      const FolderEntry& e = entries_[index];
      const Attr attr = index == current_ ? theme.list_highlight : theme.dialog;
      picture.Fill(Rect{row, box.col + 2, 1, inner}, attr);
      std::string shown = big5::Utf8ToBig5(e.name) + (e.folder ? "/" : "");
      picture.Put(row, box.col + 3, shown.substr(0, static_cast<size_t>(inner - 2)), attr);
    }
    if (entries_.size() <= 1)
      picture.Put(box.row + 4, box.col + 3, "(no files of this type)", theme.dialog);
    picture.Put(box.bottom() - 2, box.col + 2,
                "Files of type: " + filter().name + " (" + filter().pattern + ")", theme.dialog);
    picture.Put(box.bottom() - 1, box.col + 2, "Enter open  Backspace up  Tab type  Esc cancel",
                theme.placeholder);
  }

  Screen& screen_;
  FileDialogOptions options_;
  std::filesystem::path folder_;
  size_t filter_index_ = 0;
  std::vector<FolderEntry> entries_;
  size_t current_ = 0;
  size_t top_ = 0;
  bool done_ = false;
  std::optional<std::string> picked_;
};

}  // namespace

std::optional<std::string> OpenFileDialog(Screen& screen, const FileDialogOptions& options) {
  return FileDialog(screen, options).Run();
}

}  // namespace zur::term

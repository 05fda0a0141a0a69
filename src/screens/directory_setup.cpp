#include "screens/directory_setup.h"

#include <array>
#include <system_error>

#include "lib/text/trim_pad.h"
#include "platform/term/entry_field.h"
#include "platform/term/event_codes.h"
#include "platform/term/file_dialog.h"
#include "platform/term/message_box.h"
#include "platform/term/push_button.h"
#include "platform/vars/file_io.h"
#include "screens/directory_ini.h"
#include "screens/extract_path.h"
#include "screens/grid_pixels.h"

namespace zur::screens {
namespace {

namespace fs = std::filesystem;
namespace ev = term::event;
using Answer = startup::DirectorySetupAnswer;

constexpr size_t kPathLength = 60;
constexpr int kPathShown = 40;
constexpr std::string_view kAsk =
    "Warning: Database not found !!!\r\nor  LIB Directory not found !!!\r\n"
    "Do you want to Setup Directory NOW !!";
// Who the operator calls: three lines, as the installation's support desk would fill them in.
constexpr std::array<std::string_view, 3> kSupport = {
    "Your system administrator",
    "Tel: see your support contact list",
    "Fax: see your support contact list",
};

// One directory on the screen: its label, entry and Browse button.
struct DirectoryRow {
  const char* label;
  int row;
  int browse_y;  // the Browse button's pixel row
  term::FileDialogOptions dialog;
};

const std::array<DirectoryRow, 2>& Rows() {
  static const std::array<DirectoryRow, 2> rows = {
      DirectoryRow{"Database Directory :",
                   7,
                   305,
                   {"Select Database/Directory eg. ATIMAST.DBF ", "", {{"DBF", "*.DBF"}}}},
      DirectoryRow{"LIB Directory      :",
                   9,
                   267,
                   {"Select LIB Directory eg. " + std::string(startup::kLibraryMarker) + " ",
                    "",
                    {{"MRK", "*.MRK"}}}},
  };
  return rows;
}

bool HasFile(const fs::path& dir, const fs::path& base, std::string_view name) {
  std::error_code ec;
  return fs::is_regular_file((dir.is_absolute() ? dir : base / dir) / name, ec);
}

// The set-up screen: the two entries read like console entries (Enter, Tab and Down to the
// next, Up and Shift+Tab back; leaving the last one, Page Down or Page Up ends the reading;
// Esc ends it and drops what was typed in the entry being edited). Browse fills an entry from
// the file dialog.
class SetupScreen {
 public:
  SetupScreen(term::Screen& screen, const std::array<std::string, 2>& paths) : screen_(screen) {
    term::Console& console = screen_.console();
    console.ClearAll();
    console.Say(2, 24, "ZUR Setup");
    for (size_t i = 0; i < Rows().size(); ++i) {
      const DirectoryRow& r = Rows()[i];
      console.Say(r.row, 3, r.label);
      const int col = 3 + static_cast<int>(std::string_view(r.label).size()) + 1;
      console.Say(r.row, col, "[");
      console.Say(r.row, col + 1 + kPathShown, "]");
      auto* entry = screen_.Add<term::EntryField>(r.row, col + 1, kPathShown, kPathLength);
      entry->SetSelectAllOnFocus(false);
      entry->SetText(text::RTrim(paths[i]));
      entry->on_focus = [this, entry] { before_edit_ = entry->text(); };
      entry->on_key = [this, i](int code) { return EntryKey(i, code); };
      entries_[i] = entry;
      // The button stands beside its entry.
      const term::Rect cells = PixelBox(665, r.browse_y, 70, 20);
      buttons_[i] = screen_.Add<term::PushButton>(term::Rect{r.row, cells.col, 1, cells.cols},
                                                  "Browse", true);
      buttons_[i]->on_activate = [this, i] { Browse(i); };
    }
    for (size_t i = 0; i < buttons_.size(); ++i) {
      term::PushButton* other = buttons_[1 - i];
      buttons_[i]->on_key = [this, i, other](int code) {
        if (code == ev::kEnter) buttons_[i]->Activate(screen_);
        if (code == ev::kTab) screen_.SetFocus(other);
        return code == ev::kEnter || code == ev::kTab;
      };
    }
    console.Say(14, 25, "To obtain support, please call");
    for (size_t i = 0; i < kSupport.size(); ++i)
      console.Say(16 + static_cast<int>(i), 25, kSupport[i]);
  }

  ~SetupScreen() {
    for (term::Widget* w : entries_) screen_.Destroy(w);
    for (term::Widget* w : buttons_) screen_.Destroy(w);
    screen_.console().ClearAll();
  }
  SetupScreen(const SetupScreen&) = delete;
  SetupScreen& operator=(const SetupScreen&) = delete;

  // Reads the entries; gives their texts, trimmed.
  std::array<std::string, 2> Read() {
    screen_.SetFocus(entries_[0]);
    done_ = false;
    while (!done_) {
      const term::Event e = screen_.NextEvent();
      if (e.code == ev::kEsc) {
        if (auto* entry = dynamic_cast<term::EntryField*>(screen_.focus()))
          entry->SetText(before_edit_);
        break;
      }
      screen_.Dispatch(e);
    }
    return {std::string(text::AllTrim(entries_[0]->text())),
            std::string(text::AllTrim(entries_[1]->text()))};
  }

 private:
  bool EntryKey(size_t i, int code) {
    switch (code) {
      case ev::kEnter:
      case ev::kTab:
      case ev::kDown:
        if (i + 1 < entries_.size())
          screen_.SetFocus(entries_[i + 1]);
        else
          done_ = true;
        return true;
      case ev::kUp:
      case ev::kShiftTab:
        if (i > 0) screen_.SetFocus(entries_[i - 1]);
        return true;
      case ev::kPgDn:
      case ev::kPgUp:
        done_ = true;
        return true;
      default:
        return false;
    }
  }

  void Browse(size_t i) {
    const std::optional<std::string> chosen = term::OpenFileDialog(screen_, Rows()[i].dialog);
    entries_[i]->SetText(text::RTrim(
        ExtractPath2(screen_, chosen, PathKind::kDirectory, entries_[i]->text(), kPathLength)));
  }

  term::Screen& screen_;
  std::array<term::EntryField*, 2> entries_{};
  std::array<term::PushButton*, 2> buttons_{};
  std::string before_edit_;
  bool done_ = false;
};

std::string ProgramDirectory(const std::string& exe_path) {
  const size_t last = exe_path.rfind(fs::path::preferred_separator);
  return last == std::string::npos ? std::string() : exe_path.substr(0, last + 1);
}

Answer Failed(std::string message) {
  Answer a;
  a.kind = Answer::Kind::kFailed;
  a.error = std::move(message);
  return a;
}

}  // namespace

startup::DirectorySetupAnswer DirectorySetup(term::Screen& screen,
                                             const startup::DirectorySetupRequest& request) {
  const std::string ini = (request.current_dir / request.ini_name).string();
  if (!term::ConfirmBox(screen, kAsk, "ZUR", true)) {
    // Later starts skip the checks; when the file cannot be written they ask again.
    WriteFileAtomically(ini, DeclinedIniText());
    Answer a;
    a.kind = Answer::Kind::kDeclined;
    return a;
  }
  std::string lib = request.lib_path;
  if (!request.found_lib && !ProgramDirectory(request.exe_path).empty())
    lib = ProgramDirectory(request.exe_path);
  std::array<std::string, 2> paths = {text::PadR(request.dbf_path, kPathLength),
                                      text::PadR(lib, kPathLength)};
  {
    SetupScreen setup(screen, paths);
    paths = setup.Read();
  }
  const std::string& dbf = paths[0];
  lib = paths[1];
  if (dbf.empty() || !HasFile(dbf, request.current_dir, "ATIMAST.DBF"))
    return Failed("Error: Database not found !!!");
  if (lib.empty() || !HasFile(lib, request.current_dir, startup::kLibraryMarker))
    return Failed("Error: LIB Directory not found !!!");
  if (!WriteFileAtomically(ini, CompletedIniText(dbf, lib)).empty())
    return Failed("Error: Cannot create " + request.ini_name + " !!!");
  Answer a;
  a.kind = Answer::Kind::kCompleted;
  a.dbf_path = dbf;
  a.lib_path = lib;
  return a;
}

startup::DirectorySetup DirectorySetupOn(term::Screen& screen) {
  return [&screen](const startup::DirectorySetupRequest& request) {
    return DirectorySetup(screen, request);
  };
}

}  // namespace zur::screens

#include "print/select/printer_name.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "lib/compat/unique_file.h"
#include "lib/text/setting_match.h"
#include "lib/text/trim_pad.h"
#include "platform/term/get_read.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/message_box.h"
#include "print/device/printer_target.h"

namespace zur::print {
namespace fs = std::filesystem;
namespace {

namespace inkey = term::inkey;

constexpr size_t kMaxExtension = 3;
// A path is longer than a port name: the entry scrolls in its 20 columns.
constexpr size_t kNameLength = 60;
// The window: six rows inside a frame, rows 9 to 16 of the grid.
constexpr int kTop = 9;

constexpr std::string_view kNamePrompt = "Please key in printer name (LPT1,LPT2,COM1,<Text>) :";
constexpr std::string_view kServerPrompt = "Type: Y=Network Printer, N=<None> (Y/N) :";

std::string DefaultPrinterName(std::string_view site) {
  if (text::SettingIs(site, "MENEMI")) return "LPT3";
  if (text::SettingIn(site, {"PARARE", "DIRAPE", "FEMOZO"})) return "LPT2";
  return "LPT1";
}

class PrinterNameWindow {
 public:
  explicit PrinterNameWindow(const PrinterDialogs& dialogs)
      : dialogs_(dialogs), screen_(dialogs.screen), console_(dialogs.screen.console()) {}

  void Run() {
    VarStore& vars = dialogs_.vars;
    DrawWindow();
    const Value* current = vars.Find("PRINT_NAME");
    const std::string old_name = current != nullptr && current->IsChar()
                                     ? current->str()
                                     : DefaultPrinterName(VarText(vars, "USER_KEY"));
    std::string name =
        text::PadR(text::RTrim(old_name), std::max(kNameLength, text::RTrim(old_name).size()));
    std::string server = text::PadR(text::Upper(VarText(vars, "PRT_SERVER")), 1);
    std::vector<term::GetEntry> gets = {
        {Row(2), Col(static_cast<int>(kNamePrompt.size()) + 1), &name, "@S20", nullptr},
        {Row(3), Col(11 + static_cast<int>(kServerPrompt.size()) + 1), &server, "!", nullptr},
    };
    if (term::ReadGets(screen_, gets).exit_key == inkey::kEsc) return;
    vars.Set("PRT_SERVER", server == "Y" ? "Y" : "N");
    const std::string typed(text::AllTrim(name));
    if (typed.empty()) return;
    if (IsPortName(typed)) {
      CheckPort(dialogs_, typed);
    } else {
      ToFile(typed);
    }
  }

 private:
  static int Row(int row) { return kTop + 1 + row; }
  static int Col(int col) { return 1 + col; }

  void DrawWindow() {
    const term::Rect box{kTop, 0, 8, term::kGridColumns};
    console_.Box(box, term::kPcFrame, console_.colours().standard, true);
    console_.Say(kTop, 3, " Printer Name ");
    console_.Say(Row(2), Col(0), kNamePrompt);
    console_.Say(Row(3), Col(11), kServerPrompt);
  }

  // The folder of the file stands or is made; false after the message when it cannot be.
  bool FolderReady(const fs::path& path) {
    const fs::path folder = path.parent_path();
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    if (fs::is_directory(folder, ec)) return true;
    console_.Clear(term::Rect{Row(3), Col(0), 2, term::kGridColumns - 2});
    console_.Say(Row(3), Col(0), kInvalidDirectory);
    console_.Say(Row(4), Col(0), "Press any key to continue...");
    console_.WaitKey();
    return false;
  }

  // Overwrite (false), append (true), or nothing for Esc.
  std::optional<bool> AskAppend() {
    console_.Say(Row(4), Col(8), "Text File Already Exist !  Overwrite (y/n) ?");
    for (;;) {
      const int key = console_.WaitKey();
      if (key == inkey::kEsc) return std::nullopt;
      if (key == 'Y' || key == 'y') return false;
      if (key == 'N' || key == 'n') return true;
    }
  }

  void ToFile(const std::string& typed) {
    // The native separator, as the file is opened by this name later.
    std::string file = PrinterFileName(typed);
    std::replace(file.begin(), file.end(), '\\', '/');
    const fs::path path = InDataDir(dialogs_, file);
    if (!FolderReady(path)) return;
    bool append = true;
    std::error_code ec;
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) > 0 && !ec) {
      const std::optional<bool> answer = AskAppend();
      if (!answer) return;
      append = *answer;
    }
    TextPrinter printer;
    const PortPaths no_ports;
    if (!printer.Open(path.string(), append, no_ports) || !printer.Close()) {
      term::MessageBox(screen_, "ERROR: cannot write the printer file " + path.string(), "ZUR");
      return;
    }
    dialogs_.vars.Set("PRINT_NAME", file);
  }

  const PrinterDialogs& dialogs_;
  term::Screen& screen_;
  term::Console& console_;
};

}  // namespace

std::string PrinterFileName(std::string_view name) {
  const std::string file(text::AllTrim(name));
  const std::string ext = compat::FileExt(file);
  if (ext.empty() || ext.size() - 1 > kMaxExtension) return file + ".PRN";
  return file;
}

void AskPrinterName(const PrinterDialogs& dialogs) {
  term::Screen& screen = dialogs.screen;
  term::Screen::WidgetsAside aside(screen);
  screen.TakeTypeAhead();  // SAVEKEY
  term::Console& console = screen.console();
  const term::ScreenImage image = console.Save();
  PrinterNameWindow(dialogs).Run();
  console.Restore(image);
  ShowPrinterChange(dialogs);
}

}  // namespace zur::print

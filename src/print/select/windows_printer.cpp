#include "print/select/windows_printer.h"

#include <algorithm>
#include <vector>

#include "lib/text/trim_pad.h"
#include "platform/term/input_box.h"
#include "platform/term/message_box.h"
#include "print/select/printer_list.h"

namespace zur::print {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kDefaultPdfFolder = "PDF";
constexpr size_t kFolderLength = 70;

struct Choice {
  std::string line;
  std::optional<std::string> destination;  // none: the PDF folder
};

std::string DestinationLine(const Destination& d, size_t name_width) {
  std::string line = text::PadR(d.name, name_width + 2) + d.description;
  if (d.is_default) line += "  (default)";
  return std::string(text::RTrim(line));
}

class SystemPrinterDialog {
 public:
  SystemPrinterDialog(const PrinterDialogs& dialogs, bool pdf)
      : dialogs_(dialogs), pdf_(pdf), var_(pdf ? "DEF_PDF_PTR" : "DEF_ATI_PTR") {}

  void Run(const DestinationList& found) {
    const std::string setting(text::AllTrim(VarText(dialogs_.vars, var_)));
    std::vector<Destination> destinations = found.destinations;
    const bool listed = std::any_of(destinations.begin(), destinations.end(),
                                    [&](const Destination& d) { return d.name == setting; });
    const bool setting_is_folder =
        pdf_ && (setting.empty() || !listed || fs::exists(InDataDir(dialogs_, setting)));
    // A destination set before that the scheduler does not list (now) can be kept.
    if (!setting.empty() && !listed && !pdf_)
      destinations.insert(destinations.begin(), {setting, "(not listed by the scheduler)", false});
    if (destinations.empty() && !pdf_) {
      std::string text = "ERROR: No printer is set up";
      if (!found.error.empty()) text += " (" + found.error + ")";
      term::MessageBox(dialogs_.screen, text + " !", "ZUR");
      return;
    }

    std::vector<Choice> choices;
    ChoiceList list;
    list.title = pdf_ ? "Select PDF Printer" : "Select Windows Printer";
    if (pdf_) {
      folder_ = setting_is_folder && !setting.empty() ? setting : std::string(kDefaultPdfFolder);
      choices.push_back({"Folder: " + folder_, std::nullopt});
    }
    size_t name_width = 0;
    for (const Destination& d : destinations) name_width = std::max(name_width, d.name.size());
    for (const Destination& d : destinations) {
      if (!setting_is_folder && d.name == setting) list.initial = choices.size();
      if (setting.empty() && d.is_default && !pdf_) list.initial = choices.size();
      choices.push_back({DestinationLine(d, name_width), d.name});
    }
    for (const Choice& c : choices) list.lines.push_back(c.line);

    const std::optional<size_t> chosen = ChooseFromList(dialogs_.screen, list);
    if (!chosen) return;
    const Choice& choice = choices[*chosen];
    if (choice.destination) {
      Keep(*choice.destination);
    } else if (std::optional<std::string> folder = AskFolder()) {
      Keep(*folder);
    }
  }

 private:
  // The PDF folder typed; it stands or is made. Nothing for Esc or a folder that cannot be
  // made (after the message).
  std::optional<std::string> AskFolder() {
    const std::optional<std::string> typed =
        term::InputBoxAt(dialogs_.screen, "PDF folder", folder_, kFolderLength, 10, 4, 70);
    if (!typed) return std::nullopt;
    const std::string folder(text::AllTrim(*typed));
    if (folder.empty()) return std::string();
    std::error_code ec;
    fs::create_directories(InDataDir(dialogs_, folder), ec);
    if (!fs::is_directory(InDataDir(dialogs_, folder), ec)) {
      term::MessageBox(dialogs_.screen, kInvalidDirectory, "ZUR");
      return std::nullopt;
    }
    return folder;
  }

  void Keep(const std::string& value) {
    dialogs_.vars.Set(var_, value);
    if (const std::string error = SaveVariables(dialogs_); !error.empty())
      term::MessageBox(dialogs_.screen, error, "ZUR");
  }

  const PrinterDialogs& dialogs_;
  bool pdf_;
  std::string var_;
  std::string folder_;
};

}  // namespace

void SelectSystemPrinter(const PrinterDialogs& dialogs, const std::optional<std::string>& kind,
                         const DestinationLister& lister) {
  const bool pdf = kind && text::Upper(text::AllTrim(*kind)) == "PDF";
  SystemPrinterDialog(dialogs, pdf).Run(lister());
}

}  // namespace zur::print

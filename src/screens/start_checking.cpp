#include "screens/start_checking.h"

#include "lib/compat/directories.h"
#include "lib/text/trim_pad.h"
#include "platform/term/event_codes.h"
#include "platform/term/file_dialog.h"
#include "platform/term/message_box.h"
#include "print/device/printer_state.h"
#include "screens/extract_path.h"
#include "screens/form_screen.h"
#include "screens/start_checks.h"

namespace zur::screens {
namespace {

namespace ev = term::event;

constexpr const char* kTitle = "(2) START CHECKING";
constexpr size_t kReportNameLength = 60;

class StartCheckingScreen : public FormScreen {
 public:
  void DrawLabels(Form& form) override {
    form.vars().Set("MSG", kTitle);
    form.DrawHeader();
    form.AddLabel(7, 7, "CCASS STOCK REPORT NAME :");
    form.AddLabel(7, 8, "     OBX DATA DIRECTORY :");
    form.AddLabel(5, 9, "FINANCE SB DATA DIRECTORY :");
    form.AddLabel(5, 10, "(Applicable for Finance Handling Only)");
    form.AddLabel(7, 12, "CLIENT MASTER DIRECTORY :");
    form.AddLabel(7, 13, "   ZUR UPLOAD TEXT FILE :");
    form.AddLabel(7, 14, "   STI UPLOAD TEXT FILE :");
    form.AddLabel(7, 15, "       OWN REFERENCE NO :");
    form.AddLabel(7, 16, "      TRANSMISSION DATE :");
    form.AddLabel(44, 16, "(dd/mm/yy)");
    form.AddLabel(2, 17, "ZUR Upload File in CCASS/3 Format, Please specify File No:");
    form.AddLabel(2, 18, "STI Upload File in CCASS/3 Format, Please specify File No:");
  }

  std::vector<FieldSpec> Fields(Form& form) override {
    std::vector<FieldSpec> fields = {
        FieldAt("STK_FILE", 33, 7),    FieldAt("SB_DIR", 33, 8),    FieldAt("SBF_DIR", 33, 9),
        FieldAt("CL_DIR", 33, 12),     FieldAt("ATI_TEXT", 33, 13), FieldAt("STI_TEXT", 33, 14),
        FieldAt("OWN_REF", 33, 15),    FieldAt("GEN_DATE", 33, 16), FieldAt("ATI_FILENO", 60, 17),
        FieldAt("STI_FILENO", 60, 18),
    };
    fields[0].width = 40;  // the 60 characters scroll in 40 columns
    fields[1].validate = [&form](term::EntryField& f) {
      return ObxDirectoryValid(form.screen(), f);
    };
    FieldSpec& date = fields[7];
    date.kind = FieldKind::kDate;
    date.width = date.buffer = 8;
    date.validate = [&form](term::EntryField& f) {
      return TransmissionDateValid(form.screen(), f);
    };
    for (FieldSpec* number : {&fields[8], &fields[9]}) {
      number->kind = FieldKind::kNumber;
      number->picture = "9";
    }
    return fields;
  }

  void AddButtons(Form& form) override {
    term::Screen& screen = form.screen();
    VarStore& vars = form.vars();
    const bool windows_printer = print::IsWinPtr(print::PrinterStateFromVars(vars, true));
    // Browse stands beside the report name it fills in.
    const term::Rect name = form.metrics().EntryCells(33, 7, 40);
    const term::Rect browse_cells{name.row, name.right() + 2, 1, PixelBox(720, 297, 70, 20).cols};
    term::PushButton* browse = form.AddButton(browse_cells, "Browse");
    term::PushButton* process = form.AddButton(PixelBox(20, 20, 80, 30), "Process");
    term::PushButton* pdf = form.AddButton(PixelBox(120, 20, 120, 30), "Print to PDF");
    term::PushButton* cancel = form.AddButton(PixelBox(250, 20, 80, 30), "Cancel");
    pdf->SetEnabled(windows_printer);
    // The printer selection (a hot key) may change the printer while the screen is open.
    screen.after_hot_key = [pdf, &vars] {
      pdf->SetEnabled(print::IsWinPtr(print::PrinterStateFromVars(vars, true)));
    };

    const auto pdf_or_cancel = [pdf, cancel]() -> term::Widget* {
      return pdf->enabled() ? pdf : cancel;
    };
    SetButtonKeys(screen, *browse, browse, pdf_or_cancel);
    SetButtonKeys(screen, *process, process, pdf_or_cancel);
    SetButtonKeys(screen, *pdf, pdf, [cancel] { return cancel; });
    SetButtonKeys(screen, *cancel, cancel, [&form] { return form.field(0); });

    browse->on_activate = [&form] { Browse(form); };
    process->on_activate = [&screen, &vars, process] {
      vars.Set("PRINT_PDF", false);
      screen.Post(ev::kPgDn, process);
    };
    pdf->on_activate = [&screen, &vars, pdf] {
      vars.Set("PRINT_PDF", true);
      screen.Post(ev::kPgDn, pdf);
    };
    cancel->on_activate = [&screen, cancel] { screen.Post(ev::kEsc, cancel); };
  }

 private:
  // The file dialog for the report; the chosen file's full path becomes STK_FILE.
  static void Browse(Form& form) {
    term::Screen& screen = form.screen();
    VarStore& vars = form.vars();
    term::FileDialogOptions options;
    options.title = "Select CCASS Stock Report eg. 20140707 ";
    options.filters = {{"*", "*.*"}};
    const std::optional<std::string> chosen = term::OpenFileDialog(screen, options);
    // A cancelled dialog leaves the field as typed.
    if (!chosen || chosen->empty()) return;
    term::EntryField* name = form.field(0);
    const size_t room = name != nullptr ? name->buffer().capacity() : kReportNameLength;
    if (chosen->size() > room) {
      // Cut to the field, the name would point at another file.
      term::MessageBox(screen,
                       "ERROR: The stock report file name holds more than " + std::to_string(room) +
                           " characters: " + *chosen,
                       "ZUR");
      return;
    }
    vars.Set("STK_FILE", ExtractPath2(screen, chosen, PathKind::kFile, vars.Get("STK_FILE").StrOr(),
                                      kReportNameLength));
    if (name != nullptr) name->SetText(text::RTrim(vars.Get("STK_FILE").StrOr()));
  }
};

}  // namespace

bool StartChecking(term::Screen& screen, VarStore& vars) {
  vars.Set("MSG", kTitle);
  vars.Set("PRINT_PDF", false);
  vars.Set("CCASS_DIR", "");
  vars.Set("ATI_FILENO", 1);
  vars.Set("STI_FILENO", 1);
  vars.Set("page", 1);
  StartCheckingScreen layout;
  // The screen's buttons go with it: nothing is left to refresh them afterwards.
  struct RefreshEnds {
    term::Screen& screen;
    ~RefreshEnds() { screen.after_hot_key = nullptr; }
  } refresh_ends{screen};
  const bool confirmed = RunFormScreen(screen, vars, layout);
  // The file dialog may have moved the current directory.
  const std::string_view start_dir = vars.Get("CUR_PATH").StrOr();
  if (!text::IsBlank(start_dir)) compat::ChangeDir(start_dir);
  return confirmed;
}

}  // namespace zur::screens

#include "print/select/printer_menu.h"

#include "lib/compat/named_flags.h"
#include "lib/text/trim_pad.h"
#include "platform/term/check_box.h"
#include "platform/term/get_read.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/message_box.h"
#include "print/select/font_dialog.h"
#include "print/select/printer_choice.h"
#include "screens/screen_header.h"

namespace zur::print {
namespace {

namespace inkey = term::inkey;
using term::KeyId;

constexpr std::string_view kTitle = "(S) PRINTER SELECTION";
constexpr int kAnswerColumn = 34;

PrinterSetting SettingOf(const VarStore& vars) {
  PrinterSetting s;
  s.cur_ptr = VarText(vars, "CUR_PTR");
  s.print_name = std::string(text::AllTrim(VarText(vars, "PRINT_NAME")));
  s.prt_server = VarText(vars, "PRT_SERVER");
  return s;
}

void Store(const PrinterSetting& s, VarStore& vars) {
  vars.Set("CUR_PTR", s.cur_ptr);
  vars.Set("PRINT_NAME", s.print_name);
  vars.Set("PRT_SERVER", s.prt_server);
  vars.Set("PTR_WIDTH", s.width);
}

class PrinterMenu {
 public:
  explicit PrinterMenu(const PrinterDialogs& dialogs)
      : dialogs_(dialogs), screen_(dialogs.screen), vars_(dialogs.vars) {}

  // The menu over a cleared window with its heading; true when an answer was applied and the
  // dialog was not left with Esc.
  bool Run() {
    screens::ScreenHeader header(screen_);
    header.Draw(vars_);
    term::Console& console = screen_.console();
    const std::string site = VarText(vars_, "USER_KEY");
    const SiteOptions options = SiteOptionsFor(site);
    console.Say(6, 30, "SELECT PRINTER");
    console.Say(7, 30, "--------------");
    console.Say(9, 25, " 1. EPSON TYPE PRINTERS ");
    console.Say(11, 25, options.option2);
    int row = 13;
    if (options.option3) {
      console.Say(row, 25, *options.option3);
      row += 2;
    }
    const bool gui = compat::IsFlagSet(vars_, "WIN_GUI");
    console.Say(row, 25, gui ? " W. Windows Printer " : " W. Windows Default Printer ");
    console.Say(row + 2, 20, "Your Choice :");
    if (gui) box_ = screen_.Add<term::CheckBox>(row + 2, 40, "set as default");

    PrinterSetting setting = SettingOf(vars_);
    const std::string before = setting.print_name;
    std::string answer(1, PreselectedAnswer(site, setting.cur_ptr));
    bool answered = ReadAnswer(row + 2, answer);
    if (answered && !ApplyPrinterAnswer(answer[0], site, setting)) answered = false;
    default_ = box_ != nullptr && box_->checked();
    screen_.Destroy(box_);
    if (answered) {
      Store(setting, vars_);
      if (answer[0] == 'W') answered = ChooseFont(dialogs_);
      if (setting.print_name != before) CheckPort(dialogs_, setting.print_name);
      ShowPrinterChange(dialogs_);
    }
    return answered;
  }

  bool set_as_default() const { return default_; }

 private:
  // The one-key answer; Tab to the check box and back. False for Esc.
  bool ReadAnswer(int row, std::string& answer) {
    std::vector<term::GetEntry> gets = {{row, kAnswerColumn, &answer, "!", nullptr}};
    for (;;) {
      const int key = term::ReadGets(screen_, gets).exit_key;
      if (key == inkey::kEsc) return false;
      if (box_ == nullptr || key != inkey::kTab) return true;
      if (!TickBox()) return false;
    }
  }

  // The check box has the focus: Space ticks it, Tab, Enter and the arrows go back to the
  // answer. False for Esc.
  bool TickBox() {
    screen_.SetFocus(box_);
    for (;;) {
      const term::Key key = screen_.ReadKey(-1);
      if (key.IsChar(' ')) {
        box_->SetChecked(!box_->checked());
        continue;
      }
      if (key.Is(KeyId::kEsc) || key.Is(KeyId::kTab) || key.Is(KeyId::kTab, term::kShift) ||
          key.Is(KeyId::kEnter) || key.Is(KeyId::kUp) || key.Is(KeyId::kDown)) {
        screen_.SetFocus(nullptr);
        return !key.Is(KeyId::kEsc);
      }
    }
  }

  const PrinterDialogs& dialogs_;
  term::Screen& screen_;
  VarStore& vars_;
  term::CheckBox* box_ = nullptr;
  bool default_ = false;
};

}  // namespace

void SelectPrinterType(const PrinterDialogs& dialogs) {
  term::Screen& screen = dialogs.screen;
  VarStore& vars = dialogs.vars;
  term::Screen::WidgetsAside aside(screen);
  screen.TakeTypeAhead();  // SAVEKEY
  term::Console& console = screen.console();
  const term::ScreenImage image = console.Save();
  const bool intensity = console.intensity();
  const Value msg = vars.Get("MSG");
  vars.Set("MSG", kTitle);

  PrinterMenu menu(dialogs);
  const bool answered = menu.Run();

  console.Restore(image);
  console.SetIntensity(intensity);
  if (msg.IsNil()) {
    vars.Release("MSG");
  } else {
    vars.Set("MSG", msg);
  }
  if (!answered || !menu.set_as_default()) return;
  vars.Set("DEF_CUR_PTR", vars.Get("CUR_PTR"));
  if (const std::string error = SaveVariables(dialogs); !error.empty())
    term::MessageBox(screen, error, "ZUR");
}

}  // namespace zur::print

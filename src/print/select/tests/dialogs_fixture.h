#pragma once
// The printer dialogs on the headless terminal, in a scratch database directory. The dialogs
// drop keys typed before they show, so a test types each answer once its prompt is on screen.

#include <deque>
#include <filesystem>
#include <string>

#include "platform/vars/memory_file.h"
#include "print/select/printer_dialogs.h"
#include "screens/tests/screens_fixture.h"

namespace zur::print {

class PrinterDialogsTest : public screens::ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    backend.on_idle = [this](term::HeadlessBackend& b) {
      if (steps_.empty() || b.Text().find(steps_.front().shown) == std::string::npos) return;
      b.Type(steps_.front().keys);
      steps_.pop_front();
    };
    vars.Set("WIN_GUI", true);
    vars.Set("SHOW_PRT", true);
    vars.Set("CUR_PTR", "WINDOW_PRINTER");
    vars.Set("PRINT_NAME", "LPT1");
    vars.Set("PRT_SERVER", "N");
    vars.Set("USER_KEY", Padded("DEMO", 15));
    vars.Set("ChiFont1", "\xb2\xd3\xa9\xfa\xc5\xe9");  // the Ming face
    vars.Set("ChiFont2", "\xbc\xd0\xb7\xa2\xc5\xe9");  // the Kai face
    vars.Set("ChiFont3", "F3");
    vars.Set("ChiFont4", "F4");
    vars.Set("WinPtFont", vars.Get("ChiFont1"));
    vars.Set("WinPtOfset", 10);
    vars.Set("WinPrtOfst", 0);
  }

  // Types `keys` (Enter "\r", Esc "\x1b", Tab "\t") once the screen shows `shown`.
  void When(std::string shown, std::string keys) {
    steps_.push_back({std::move(shown), std::move(keys)});
  }
  bool AllAnswered() const { return steps_.empty(); }

  PrinterDialogs Dialogs() { return PrinterDialogs{screen, vars, dir}; }
  // After a dialog: the screen as it is left, so that the next dialog's prompts are not
  // taken as shown before it shows them.
  void Shown() { screen.Refresh(); }

  // The first picture that showed `text` ("" when none did).
  std::string PictureWith(std::string_view text) const {
    for (const std::string& p : pictures())
      if (p.find(text) != std::string::npos) return p;
    return "";
  }

  // The variables saved in "ZUR.XBS", or none when it was not written.
  std::optional<VarStore> Saved() const {
    if (!std::filesystem::exists(dir / "ZUR.XBS")) return std::nullopt;
    VarStore saved;
    if (!RestoreMemoryFile((dir / "ZUR.XBS").string(), saved, RestoreMode::kReplace).ok())
      return std::nullopt;
    return saved;
  }

  const std::filesystem::path dir = ScratchDir("zur-print-select");

 private:
  struct Step {
    std::string shown;
    std::string keys;
  };
  std::deque<Step> steps_;
};

}  // namespace zur::print

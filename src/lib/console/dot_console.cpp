#include "lib/console/dot_console.h"

#include <string>
#include <vector>

#include "platform/term/get_read.h"
#include "platform/term/inkey_codes.h"
#include "platform/term/message_box.h"

namespace zur::console {
namespace {

constexpr std::string_view kBanner =
    "To view / set memvar, SAVE TO xx.XBS, key in \"QUIT\" or \"EXIT\" to quit.";
constexpr std::string_view kPrompt = "Command: ";
constexpr size_t kCommandLength = 254;

class ScreenOutput : public DotOutput {
 public:
  explicit ScreenOutput(term::Screen& screen) : screen_(screen) {}

  void Line(std::string_view text) override {
    for (const std::string& line : term::WrapLines(text, term::kGridColumns))
      screen_.console().NextLine(line);
  }
  void ClearScreen() override {
    screen_.console().ClearAll();
    screen_.console().SetCursor(0, 0);
  }
  void WaitKey() override { screen_.console().WaitKey(); }

  // The command typed after the prompt on the next line; nothing for Esc.
  std::optional<std::string> ReadCommand() {
    term::Console& console = screen_.console();
    console.NextLine(kPrompt);
    std::string typed(kCommandLength, ' ');
    const int width = term::kGridColumns - static_cast<int>(kPrompt.size());
    std::vector<term::GetEntry> gets = {{console.row(), static_cast<int>(kPrompt.size()), &typed,
                                         "@S" + std::to_string(width), nullptr}};
    if (term::ReadGets(screen_, gets).exit_key == term::inkey::kEsc) return std::nullopt;
    console.SetCursor(console.row(), 0);
    return typed;
  }

 private:
  term::Screen& screen_;
};

}  // namespace

void DeveloperConsole(term::Screen& screen, VarStore& vars, const DotConsoleOptions& options) {
  term::Screen::WidgetsAside aside(screen);
  term::Console& console = screen.console();
  const term::ScreenImage image = console.Save();
  const bool intensity = console.intensity();
  console.SetIntensity(false);
  console.ShowCursor(true);
  console.ClearAll();
  console.Say(1, 0, kBanner);
  console.SetCursor(2, 0);

  ScreenOutput output(screen);
  DotSession session(DotEnvironment{&vars, options.fields, options.functions, options.close_tables},
                     output);
  for (;;) {
    const std::optional<std::string> command = output.ReadCommand();
    if (!command) break;
    const DotAction action = session.Execute(*command);
    if (action == DotAction::kQuit && options.quit) options.quit();
    if (action != DotAction::kContinue) break;
  }
  console.Restore(image);
  console.SetIntensity(intensity);
}

}  // namespace zur::console

#pragma once
// A screen on the headless terminal with the program's variables, and what it showed: the
// picture at every wait for input, so that a test can tell which boxes came up.

#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "lib/text/trim_pad.h"
#include "platform/term/tests/term_fixture.h"
#include "platform/vars/var_store.h"

namespace zur::screens {

class ScreensTest : public term::TermTest {
 protected:
  void SetUp() override {
    pictures_.clear();
    backend.before_read = [this](const term::CellGrid& grid) {
      if (pictures_.empty()) first_grid_ = grid;
      pictures_.push_back(backend.Text());
    };
  }

  // A text as a settings field of `width` holds it.
  static std::string Padded(std::string_view text, size_t width) { return text::PadR(text, width); }
  // An empty folder of this test process's own under the temporary directory.
  static std::filesystem::path ScratchDir(std::string_view name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      (std::string(name) + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
  }

  void Press(term::KeyId key, int times = 1) {
    for (int i = 0; i < times; ++i) backend.Press(key);
  }
  // A grid position clicked (the menu bar row is above the grid).
  void ClickCell(int row, int col) { backend.Click(row + term::kMenuBarRows, col); }

  // The picture while the screen waited for its first key.
  std::string FirstPicture() const { return pictures_.empty() ? "" : pictures_.front(); }
  // The attributes of a grid cell in the first picture.
  term::Attr FirstAttr(int row, int col) const {
    return first_grid_.at(row + term::kMenuBarRows, col).attr;
  }
  // Every picture, one a wait for input.
  const std::vector<std::string>& pictures() const { return pictures_; }
  // The picture at the last wait for input.
  std::string LastPicture() const { return pictures_.empty() ? "" : pictures_.back(); }
  // How many waits for input showed `text` (a message box waits once).
  int WaitsShowing(std::string_view text) const {
    int n = 0;
    for (const std::string& p : pictures_)
      if (p.find(text) != std::string::npos) ++n;
    return n;
  }
  // Row `row` of the grid in a picture, trailing blanks removed.
  static std::string RowOf(const std::string& picture, int row) {
    std::istringstream in(picture);
    std::string line;
    for (int r = 0; r <= row + term::kMenuBarRows; ++r)
      if (!std::getline(in, line)) return "";
    return line;
  }
  std::string FirstRow(int row) const { return RowOf(FirstPicture(), row); }
  std::string LastRow(int row) const { return RowOf(LastPicture(), row); }

  VarStore vars;

 private:
  std::vector<std::string> pictures_;
  term::CellGrid first_grid_;
};

}  // namespace zur::screens

#pragma once
// A data-entry screen from build to end: the window is cleared and the labels drawn, the
// fields and buttons built, the event loop run; a confirmation checks every field and stores
// what was typed (also when a check failed, so that a rebuild shows it), and a failed check
// rebuilds the screen from the stored values. When the screen ends with an exit key (Esc,
// Up, Page Up) every variable it shows goes back to its value from before the screen.

#include <vector>

#include "platform/term/screen.h"
#include "platform/vars/var_store.h"
#include "screens/form.h"

namespace zur::screens {

class FormScreen {
 public:
  virtual ~FormScreen() = default;
  // The header and the labels.
  virtual void DrawLabels(Form& form) = 0;
  // The fields in the order of the screen's variable list.
  virtual std::vector<FieldSpec> Fields(Form& form) = 0;
  virtual void AddButtons(Form&) {}
  // The field that has the focus first.
  virtual size_t FirstFocus(const Form& form) const { return form.FirstShown(); }
};

// Runs the screen until it ends, then clears it; true when it was confirmed (the exit-key test
// is false).
bool RunFormScreen(term::Screen& screen, VarStore& vars, FormScreen& layout);

}  // namespace zur::screens

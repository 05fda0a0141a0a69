#include "screens/form_screen.h"

#include "screens/exit_key.h"

namespace zur::screens {

bool RunFormScreen(term::Screen& screen, VarStore& vars, FormScreen& layout) {
  Form form(screen, vars);
  for (;;) {
    vars.Set("ESC_EXIT", false);
    form.Clear();
    layout.DrawLabels(form);
    form.BuildFields(layout.Fields(form));
    layout.AddButtons(form);
    form.FocusField(layout.FirstFocus(form));
    const LoopEnd end = form.RunLoop();
    form.RemoveButtons();
    bool can_exit = true;
    if (end.Stores()) {
      can_exit = form.ValidateAll();
      form.StoreAll();
    }
    if (can_exit) break;
  }
  const bool cancelled = ExitKey(screen, vars);
  if (cancelled) form.RestoreSnapshot();
  form.Clear();
  return !cancelled;
}

}  // namespace zur::screens

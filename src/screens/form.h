#pragma once
// The form of a data-entry screen: its header, labels and value displays, the entry fields
// that edit named memory variables, its push buttons, and the values the variables had when
// the screen was first built (restored when the screen is left with an exit key).
//
// The fields are numbered in the order of the screen's variable list; a field the screen does
// not show keeps its number and is skipped. Keys in a field move between fields by these rules:
//   Esc            ends the screen
//   Page Down      confirms the screen when the field is valid
//   Page Up        ends the screen (stored, then restored by the exit-key test) when valid
//   Enter          valid: the next tab stop, or on the last field confirms the screen
//   Tab, Down      valid: the next tab stop (wrapping to the first)
//   Shift+Tab, Up  only checks the field
// An invalid field (its check shows the message) keeps the focus.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/term/entry_field.h"
#include "platform/term/push_button.h"
#include "platform/term/screen.h"
#include "platform/term/static_text.h"
#include "platform/vars/var_store.h"
#include "screens/grid_pixels.h"
#include "screens/screen_header.h"

namespace zur::screens {

enum class FieldKind {
  kText,    // shown right-trimmed; stored padded or cut to the variable's width
  kDate,    // shown and typed as DD/MM/YY
  kNumber,  // shown through its picture; stored as the number the text begins with
};

struct FieldSpec {
  std::string var;  // the memory variable it edits, also the placeholder shown while empty
  int col = 0;      // grid position
  int row = 0;
  bool shown = true;
  FieldKind kind = FieldKind::kText;
  int width = 0;   // grid columns; 0: the field length (a text's width, else 1)
  int buffer = 0;  // longest text; 0: the field length
  std::string picture;
  bool read_only = false;  // a read-only field is no tab stop either
  // The field's check: given the field, true when its text is valid (it shows its message).
  std::function<bool(term::EntryField&)> validate;
};

// A shown text field at a grid position.
inline FieldSpec FieldAt(std::string var, int col, int row) {
  FieldSpec f;
  f.var = std::move(var);
  f.col = col;
  f.row = row;
  return f;
}

// Why the event loop ended; none set: Esc.
struct LoopEnd {
  bool save = false;
  bool quit = false;
  bool page_down = false;
  bool page_up = false;
  bool Stores() const { return save || page_down || page_up; }
};

class Form {
 public:
  Form(term::Screen& screen, VarStore& vars);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  term::Screen& screen() { return screen_; }
  VarStore& vars() { return vars_; }
  const VarStore& vars() const { return vars_; }
  const GridMetrics& metrics() const { return metrics_; }

  // SETUPSCRCLEAR: the header, the labels, the value displays and the fields are removed.
  void Clear();
  // The screen header (clears the window first).
  void DrawHeader();
  // Labels in the first colour pair; value displays in the second.
  void AddLabel(int col, int row, std::string_view text);
  void AddValue(int col, int row, std::string_view text);

  // Creates the fields showing the variables' values. The first build takes the snapshot; a
  // rebuild (after a failed check) does not.
  void BuildFields(std::vector<FieldSpec> specs);
  size_t field_count() const { return fields_.size(); }
  // The field of a number (from 0), null when it is not shown.
  term::EntryField* field(size_t i) const { return i < fields_.size() ? fields_[i] : nullptr; }
  void FocusField(size_t i);
  // The first field that is shown.
  size_t FirstShown() const;

  // A bordered push button that lives until RemoveButtons.
  term::PushButton* AddButton(const term::Rect& cells, std::string caption);
  void RemoveButtons();

  // The modal event loop: until a field or button confirms or ends the screen.
  LoopEnd RunLoop();
  // Every shown field's check, each run once; true when all passed.
  bool ValidateAll();
  // Each shown field's text into its variable (also when a check failed).
  void StoreAll();
  // Each shown field's variable back to its value of the first build.
  void RestoreSnapshot();

 private:
  bool FieldKey(int code, term::EntryField& field, const std::string& placeholder);
  std::optional<size_t> IndexOf(std::string_view placeholder) const;
  std::optional<size_t> NextTabStop(size_t from) const;
  void ShowValue(term::EntryField& field, const FieldSpec& spec) const;
  void DestroyAll(std::vector<term::Widget*>& widgets);

  term::Screen& screen_;
  VarStore& vars_;
  GridMetrics metrics_;
  ScreenHeader header_;
  std::vector<term::Widget*> labels_;  // oXpText1
  std::vector<term::Widget*> values_;  // oXpVal1
  std::vector<term::Widget*> buttons_;
  std::vector<FieldSpec> specs_;
  std::vector<term::EntryField*> fields_;  // ofld1: null where not shown
  struct Snapshot {
    bool shown = false;
    bool existed = false;
    Value value;
  };
  std::vector<Snapshot> snapshot_;  // fld1val
  bool snapshot_taken_ = false;
  LoopEnd end_;
};

// BUTTKEY: Enter activates `enter_target` (the button itself when null) and Tab moves the focus
// to what `tab_target` gives; other keys are left to the button.
void SetButtonKeys(term::Screen& screen, term::PushButton& button, term::PushButton* enter_target,
                   std::function<term::Widget*()> tab_target);

}  // namespace zur::screens

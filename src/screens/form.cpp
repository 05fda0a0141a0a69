#include "screens/form.h"

#include <algorithm>

#include "lib/text/numeric_text.h"
#include "lib/text/trim_pad.h"
#include "platform/expr/date_text.h"
#include "screens/form_label.h"

namespace zur::screens {
namespace {

std::string_view TextOr(const VarStore& vars, std::string_view name) {
  return vars.Get(name).StrOr();
}

// The field length: a text's width, otherwise 1.
int FieldLength(const Value& value) {
  return value.IsChar() ? static_cast<int>(value.str().size()) : 1;
}

}  // namespace

Form::Form(term::Screen& screen, VarStore& vars)
    : screen_(screen), vars_(vars), metrics_(GridMetrics::FromVars(vars)), header_(screen) {}

Form::~Form() {
  // The widgets' handlers point at this form: none may outlive it.
  RemoveButtons();
  Clear();
}

void Form::DestroyAll(std::vector<term::Widget*>& widgets) {
  for (term::Widget* w : widgets) screen_.Destroy(w);
  widgets.clear();
}

void Form::Clear() {
  header_.Clear();
  DestroyAll(labels_);
  DestroyAll(values_);
  for (term::EntryField*& f : fields_) {
    screen_.Destroy(f);
    f = nullptr;
  }
}

void Form::DrawHeader() {
  header_.Draw(vars_);
}

void Form::AddLabel(int col, int row, std::string_view text) {
  if (term::StaticText* label = WText(screen_, metrics_, col, row, text, TextOr(vars_, "cXpBgClr1"),
                                      TextOr(vars_, "cXpFgClr1")))
    labels_.push_back(label);
}

void Form::AddValue(int col, int row, std::string_view text) {
  if (term::StaticText* value = WText(screen_, metrics_, col, row, text, TextOr(vars_, "cXpBgClr2"),
                                      TextOr(vars_, "cXpFgClr2")))
    values_.push_back(value);
}

void Form::BuildFields(std::vector<FieldSpec> specs) {
  for (term::EntryField* f : fields_) screen_.Destroy(f);
  specs_ = std::move(specs);
  fields_.assign(specs_.size(), nullptr);
  if (!snapshot_taken_) snapshot_.assign(specs_.size(), Snapshot{});
  for (size_t i = 0; i < specs_.size(); ++i) {
    const FieldSpec& spec = specs_[i];
    if (!spec.shown) continue;
    const Value& value = vars_.Get(spec.var);
    const int length = FieldLength(value);
    const int width = spec.width > 0 ? spec.width : length;
    const int buffer = spec.buffer > 0 ? spec.buffer : length;
    const term::Rect cells = metrics_.EntryCells(spec.col, spec.row, width);
    auto* field = screen_.Add<term::EntryField>(cells.row, cells.col, cells.cols,
                                                static_cast<size_t>(std::max(buffer, 0)));
    field->SetPlaceholder(spec.var);
    field->SetTabStop(!spec.read_only);
    field->SetReadOnly(spec.read_only);
    field->on_validate = spec.validate;
    field->on_key = [this, field, placeholder = spec.var](int code) {
      return FieldKey(code, *field, placeholder);
    };
    ShowValue(*field, spec);
    fields_[i] = field;
    if (!snapshot_taken_) snapshot_[i] = Snapshot{true, vars_.Exists(spec.var), value};
  }
  snapshot_taken_ = true;
}

void Form::ShowValue(term::EntryField& field, const FieldSpec& spec) const {
  const Value& value = vars_.Get(spec.var);
  switch (spec.kind) {
    case FieldKind::kDate:
      field.SetText(expr::FormatDate(value.IsDate() ? value.date() : Date()));
      break;
    case FieldKind::kNumber:
      field.SetNumber(value.NumOr(0), spec.picture);
      break;
    case FieldKind::kText:
      field.SetText(text::RTrim(value.StrOr()));
      break;
  }
}

void Form::FocusField(size_t i) {
  if (term::EntryField* f = field(i)) screen_.SetFocus(f);
}

size_t Form::FirstShown() const {
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i] != nullptr) return i;
  return 0;
}

term::PushButton* Form::AddButton(const term::Rect& cells, std::string caption) {
  auto* button = screen_.Add<term::PushButton>(cells, std::move(caption), true);
  buttons_.push_back(button);
  return button;
}

void Form::RemoveButtons() {
  DestroyAll(buttons_);
}

bool Form::ValidateAll() {
  bool all = true;
  for (term::EntryField* f : fields_)
    if (f != nullptr && !f->Validate()) all = false;
  return all;
}

void Form::StoreAll() {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i] == nullptr) continue;
    const FieldSpec& spec = specs_[i];
    const std::string& typed = fields_[i]->text();
    switch (spec.kind) {
      case FieldKind::kDate:
        vars_.Set(spec.var, expr::ParseDate(typed));
        break;
      case FieldKind::kNumber:
        vars_.Set(spec.var, text::Val(typed));
        break;
      case FieldKind::kText: {
        // The variable keeps its width, as the settings record's field has it.
        const Value& old = vars_.Get(spec.var);
        vars_.Set(spec.var, old.IsChar() ? text::PadR(typed, old.str().size()) : typed);
        break;
      }
    }
  }
}

void Form::RestoreSnapshot() {
  for (size_t i = 0; i < specs_.size() && i < snapshot_.size(); ++i) {
    const Snapshot& old = snapshot_[i];
    if (!old.shown) continue;
    if (old.existed)
      vars_.Set(specs_[i].var, old.value);
    else
      vars_.Release(specs_[i].var);
  }
}

}  // namespace zur::screens

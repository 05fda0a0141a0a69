// Expressions over a table: the field source they read, index orders, seek and the filter.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include <fmt/format.h>

#include "platform/dbf/key_encoding.h"
#include "platform/dbf/table_impl.h"

namespace zur::dbf {
namespace {

constexpr size_t kMaxKeyWidth = 240;
constexpr int kOtherAreaBase = 1 << 20;  // handles from the environment's field source

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

}  // namespace

// The table's own fields (bare or under its own alias) read from the record being evaluated;
// other aliases go to the environment.
class TableFieldSource : public expr::FieldSource {
 public:
  explicit TableFieldSource(Table::Impl& m) : m_(m) {}

  int FindField(std::string_view alias, std::string_view name) override {
    if (alias.empty() || SameIgnoringCase(alias, m_.alias)) {
      for (size_t i = 0; i < m_.hdr.fields.size(); ++i)
        if (SameIgnoringCase(m_.hdr.fields[i].name, name)) return static_cast<int>(i);
      if (!alias.empty()) return -1;
    }
    if (alias.empty() || m_.env.other_areas == nullptr) return -1;
    int h = m_.env.other_areas->FindField(alias, name);
    return h < 0 ? -1 : kOtherAreaBase + h;
  }

  void ReadField(int handle, Value& out) override {
    if (handle >= kOtherAreaBase) {
      if (m_.env.other_areas) m_.env.other_areas->ReadField(handle - kOtherAreaBase, out);
      return;
    }
    const auto i = static_cast<size_t>(handle);
    if (i >= m_.hdr.fields.size()) {
      out = Value();
      return;
    }
    out = DecodeField(m_.hdr.fields[i],
                      std::string_view(Record() + m_.hdr.offsets[i],
                                       static_cast<size_t>(m_.hdr.fields[i].length)));
  }

  uint64_t Generation() const override {
    return m_.env.other_areas ? m_.env.other_areas->Generation() : 0;
  }
  double RecNo() override { return m_.eval_rec ? m_.eval_recno : m_.recno; }
  bool Deleted() override { return Record()[0] == '*'; }

 private:
  const char* Record() const { return m_.eval_rec ? m_.eval_rec : m_.cur.data(); }
  Table::Impl& m_;
};

Table::Impl::Impl() : source(std::make_unique<TableFieldSource>(*this)) {}

Table::Impl::~Impl() {
  if (fd >= 0) ::close(fd);
}

namespace {

// Evaluates `e` on record `rec` (number r) of `m`; throws kExpression naming the file.
Value Evaluate(Table::Impl& m, expr::Expression& e, const char* rec, uint32_t r,
               std::string_view what) {
  const char* saved_rec = m.eval_rec;
  const uint32_t saved_no = m.eval_recno;
  m.eval_rec = rec;
  m.eval_recno = r;
  expr::Context ctx;
  ctx.vars = m.env.vars;
  ctx.fields = m.source.get();
  ctx.functions = m.env.functions;
  Value out;
  expr::Error err;
  bool ok = e.Evaluate(ctx, out, err);
  m.eval_rec = saved_rec;
  m.eval_recno = saved_no;
  if (!ok) throw Error(ErrorKind::kExpression, fmt::format("{}: {}: {}", m.file, what, err.What()));
  return out;
}

std::unique_ptr<expr::Expression> CompileFor(Table::Impl& m, std::string_view text,
                                             std::string_view what) {
  expr::Error err;
  auto e = expr::Expression::Compile(text, err);
  if (!e) throw Error(ErrorKind::kExpression, fmt::format("{}: {}: {}", m.file, what, err.What()));
  return e;
}

std::string KeyBytes(Table::Impl& m, const Value& v, std::string_view text) {
  std::string key;
  if (!EncodeKey(v, key))
    throw Error(ErrorKind::kExpression, fmt::format("{}: index key {} gives a value of type {}",
                                                    m.file, text, v.TypeLetter()));
  return key;
}

}  // namespace

std::string Table::Impl::EvalKey(Order& o, const char* rec, uint32_t r) {
  std::string key = KeyBytes(*this, Evaluate(*this, *o.expr, rec, r, "index key"), o.key_text);
  key.resize(o.index.key_width(), ' ');
  return key;
}

bool Table::Impl::Visible(uint32_t r) {
  if (!filter) return true;
  // The candidate becomes current first, so that related areas follow it and the filter
  // sees them as they will be when it is accepted.
  Load(r);
  Moved();
  Value v = Evaluate(*this, *filter, cur.data(), r, "filter");
  return v.IsTrue();
}

void Table::Impl::KeyOfCurrent() {
  if (active > 0 && !eof) cur_key = EvalKey(*orders[active - 1], cur.data(), recno);
}

void Table::Impl::ResolveUses(Order& o) const {
  const expr::Expression::RecordUse use = o.expr->Uses();
  o.reads_field.assign(hdr.fields.size(), false);
  o.reads_deletion = use.deletion;
  o.reads_all = use.anything;
  for (const auto& [name_alias, name] : use.names) {
    if (!name_alias.empty() && !SameIgnoringCase(name_alias, alias)) continue;
    for (size_t i = 0; i < hdr.fields.size(); ++i)
      if (SameIgnoringCase(hdr.fields[i].name, name)) o.reads_field[i] = true;
  }
}

bool Table::Impl::KeyReads(const Order& o, int part) const {
  if (o.reads_all || part == kAnyPart) return true;
  if (part == kDeletionFlag) return o.reads_deletion;
  return static_cast<size_t>(part) < o.reads_field.size() && o.reads_field[part];
}

void Table::Impl::Rekey(const char* before, const char* after, uint32_t r, int part) {
  for (size_t i = 0; i < orders.size(); ++i) {
    Order& o = *orders[i];
    if (!KeyReads(o, part)) continue;
    std::string old_key = EvalKey(o, before, r);
    std::string key = EvalKey(o, after, r);
    if (static_cast<int>(i) + 1 == active) cur_key = key;
    if (key == old_key) continue;
    o.index.Erase(old_key, r);
    o.index.Insert(key, r);
  }
}

void Table::Impl::AddKeys(uint32_t from, uint32_t to) {
  for (auto& o : orders)
    for (uint32_t r = from; r <= to; ++r) o->index.Insert(EvalKey(*o, CachedRecord(r), r), r);
}

namespace {

// Keys of every record for a new order, in record order.
std::vector<char> AllKeys(Table::Impl& m, Order& o, const Progress& progress) {
  const uint32_t n = m.hdr.record_count;
  const size_t w = o.index.key_width();
  std::vector<char> keys(size_t{n} * w);
  const uint32_t step = std::max<uint32_t>(1, n / 100);
  for (uint32_t r = 1; r <= n; ++r) {
    std::string k = m.EvalKey(o, m.CachedRecord(r), r);
    std::memcpy(keys.data() + size_t{r - 1} * w, k.data(), w);
    if (progress && r % step == 0) progress(r, n);
  }
  if (progress) progress(n, n);
  return keys;
}

}  // namespace

void Table::Impl::RebuildOrders() {
  for (auto& o : orders) o->index.Build(AllKeys(*this, *o, {}), hdr.record_count);
}

uint32_t Table::Impl::StepFirst() {
  if (active == 0) return hdr.record_count > 0 ? 1 : 0;
  return orders[active - 1]->index.First(step_key);
}

uint32_t Table::Impl::StepLast() {
  if (active == 0) return hdr.record_count;
  return orders[active - 1]->index.Last(step_key);
}

uint32_t Table::Impl::StepNext(uint32_t r) {
  if (active == 0) return r < hdr.record_count ? r + 1 : 0;
  std::string key = step_key;
  return orders[active - 1]->index.After(key, r, step_key);
}

uint32_t Table::Impl::StepPrev(uint32_t r) {
  if (active == 0) return r > 1 && r <= hdr.record_count + 1 ? r - 1 : 0;
  std::string key = step_key;
  return orders[active - 1]->index.Before(key, r, step_key);
}

// ---------------------------------------------------------------- Table: expressions

void Table::SetEnvironment(const ExprEnvironment& env) {
  impl_->env = env;
}
expr::FieldSource& Table::fields_source() {
  return *impl_->source;
}

int Table::CreateOrder(std::string_view name, std::string_view key_expression,
                       const Progress& progress) {
  Impl& m = *impl_;
  m.WriteCurrent();
  auto e = CompileFor(m, key_expression, "index key");
  // The key width is that of the first record's key (of the blank record when empty).
  const char* first = m.hdr.record_count > 0 ? m.CachedRecord(1) : m.blank.data();
  std::string probe = KeyBytes(m, Evaluate(m, *e, first, 1, "index key"), key_expression);
  auto order = std::make_unique<Order>(std::min(probe.size(), kMaxKeyWidth));
  order->name = std::string(name);
  order->key_text = std::string(key_expression);
  order->expr = std::move(e);
  m.ResolveUses(*order);
  order->index.Build(AllKeys(m, *order, progress), m.hdr.record_count);
  int number = 0;
  for (size_t i = 0; i < m.orders.size(); ++i)
    if (SameIgnoringCase(m.orders[i]->name, name)) number = static_cast<int>(i) + 1;
  if (number > 0) {
    m.orders[number - 1] = std::move(order);
  } else {
    m.orders.push_back(std::move(order));
    number = static_cast<int>(m.orders.size());
  }
  m.active = number;
  GoTop();
  return number;
}

int Table::OrderCount() const {
  return static_cast<int>(impl_->orders.size());
}
int Table::ActiveOrder() const {
  return impl_->active;
}

void Table::SetOrder(int order) {
  Impl& m = *impl_;
  if (order < 0 || order > OrderCount())
    throw Error(ErrorKind::kUsage, fmt::format("{}: no order number {}", m.file, order));
  m.WriteCurrent();
  m.active = order;
  m.KeyOfCurrent();
}

bool Table::SetOrder(std::string_view name) {
  for (int i = 0; i < OrderCount(); ++i)
    if (SameIgnoringCase(impl_->orders[i]->name, name)) {
      SetOrder(i + 1);
      return true;
    }
  return false;
}

std::string_view Table::OrderKey(int order) const {
  if (order < 1 || order > OrderCount()) return {};
  return impl_->orders[order - 1]->key_text;
}

void Table::ClearOrders() {
  impl_->orders.clear();
  impl_->active = 0;
}

bool Table::Seek(const Value& key, bool soft) {
  Impl& m = *impl_;
  if (m.active == 0)
    throw Error(ErrorKind::kUsage, fmt::format("{}: seek needs an index order", m.file));
  m.WriteCurrent();
  Order& o = *m.orders[m.active - 1];
  std::string want = KeyBytes(m, key, "seek");
  uint32_t r = o.index.LowerBound(want, m.step_key);
  while (r != 0 && !m.Visible(r)) r = m.StepNext(r);
  m.found =
      r != 0 && want.size() <= m.step_key.size() && m.step_key.compare(0, want.size(), want) == 0;
  if (m.found || (soft && r != 0)) {
    m.Arrive(r);
  } else {
    m.SetEof();
  }
  m.bof = false;
  m.Moved();
  return m.found;
}

bool Table::Locate(std::string_view condition) {
  Impl& m = *impl_;
  auto e = CompileFor(m, condition, "locate");
  m.found = false;
  for (GoTop(); !m.eof; Skip()) {
    if (Evaluate(m, *e, m.cur.data(), m.recno, "locate").IsTrue()) {
      m.found = true;
      break;
    }
  }
  return m.found;
}

void Table::SetFilter(std::string_view expression) {
  Impl& m = *impl_;
  if (expression.find_first_not_of(' ') == std::string_view::npos) {
    m.filter.reset();
    m.filter_text.clear();
    return;
  }
  m.filter = CompileFor(m, expression, "filter");
  m.filter_text = std::string(expression);
}

std::string_view Table::filter() const {
  return impl_->filter_text;
}

}  // namespace zur::dbf

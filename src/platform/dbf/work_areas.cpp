#include "platform/dbf/work_areas.h"

#include <fmt/format.h>

#include <cstdint>

#include "platform/vars/whole_number.h"

namespace zur::dbf {
namespace {

constexpr int kFieldsPerArea = 4096;  // field handles are area * kFieldsPerArea + field

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

struct Relation {
  int child = 0;
  std::string text;
  std::unique_ptr<expr::Expression> expr;
};

}  // namespace

struct WorkAreas::Impl {
  std::vector<std::unique_ptr<Table>> areas = std::vector<std::unique_ptr<Table>>(kMaxAreas + 1);
  std::vector<std::vector<Relation>> relations = std::vector<std::vector<Relation>>(kMaxAreas + 1);
  int current = 1;
  uint64_t generation = 1;
  const expr::FunctionTable* functions = nullptr;
  VarStore* vars = nullptr;

  void RunRelations(int parent);
};

void WorkAreas::Impl::RunRelations(int parent) {
  Table* p = areas[parent].get();
  if (p == nullptr) return;
  for (Relation& rel : relations[parent]) {
    Table* child = areas[rel.child].get();
    if (child == nullptr) continue;
    if (p->Eof()) {
      child->GoTo(0);
      continue;
    }
    expr::Context ctx;
    ctx.vars = vars;
    ctx.functions = functions;
    ctx.fields = &p->fields_source();
    Value key;
    expr::Error err;
    if (!rel.expr->Evaluate(ctx, key, err))
      throw Error(ErrorKind::kExpression,
                  fmt::format("{}: relation: {}", p->path().string(), err.What()));
    if (child->ActiveOrder() > 0)
      child->Seek(key);
    else
      child->GoTo(key.IsNum() ? IntegerIn<uint32_t>(key.num(), 1, UINT32_MAX).value_or(0) : 0);
  }
}

WorkAreas::WorkAreas() : impl_(std::make_unique<Impl>()) {}

WorkAreas::~WorkAreas() {
  // Children and relations go before their parents run a hook again.
  for (auto& r : impl_->relations) r.clear();
  for (auto& t : impl_->areas)
    if (t) t->set_on_move({});
}

void WorkAreas::SetEnvironment(const expr::FunctionTable* functions, VarStore* vars) {
  impl_->functions = functions;
  impl_->vars = vars;
  for (auto& t : impl_->areas)
    if (t) t->SetEnvironment({functions, vars, this});
  ++impl_->generation;
}

void WorkAreas::Select(int n) {
  if (n == 0) {
    for (n = 1; n <= kMaxAreas && impl_->areas[n]; ++n) {
    }
    if (n > kMaxAreas) throw Error(ErrorKind::kUsage, "no free work area");
  }
  if (n < 1 || n > kMaxAreas) throw Error(ErrorKind::kUsage, fmt::format("no work area {}", n));
  impl_->current = n;
  ++impl_->generation;
}

bool WorkAreas::Select(std::string_view alias) {
  int n = AreaOf(alias);
  if (n == 0) return false;
  Select(n);
  return true;
}

int WorkAreas::current() const {
  return impl_->current;
}

int WorkAreas::AreaOf(std::string_view alias) const {
  const std::string want = Upper(alias);
  for (int n = 1; n <= kMaxAreas; ++n)
    if (impl_->areas[n] && impl_->areas[n]->alias() == want) return n;
  return 0;
}

Table& WorkAreas::Use(const std::filesystem::path& path, std::string_view alias, Share share,
                      Access access) {
  Close();
  std::string name = Upper(alias.empty() ? path.stem().string() : std::string(alias));
  if (AreaOf(name) != 0)
    throw Error(ErrorKind::kUsage,
                fmt::format("{}: alias {} is already in use", path.string(), name));
  auto table = Table::Open(path, share, access);
  table->set_alias(name);
  table->SetEnvironment({impl_->functions, impl_->vars, this});
  const int area = impl_->current;
  table->set_on_move([impl = impl_.get(), area] { impl->RunRelations(area); });
  impl_->areas[area] = std::move(table);
  ++impl_->generation;
  return *impl_->areas[area];
}

Table* WorkAreas::Current() {
  return impl_->areas[impl_->current].get();
}
Table* WorkAreas::Find(std::string_view alias) {
  return At(AreaOf(alias));
}
Table* WorkAreas::At(int n) {
  return n >= 1 && n <= kMaxAreas ? impl_->areas[n].get() : nullptr;
}

void WorkAreas::Close() {
  const int area = impl_->current;
  if (!impl_->areas[area]) return;
  impl_->relations[area].clear();
  for (auto& rels : impl_->relations)
    std::erase_if(rels, [area](const Relation& r) { return r.child == area; });
  impl_->areas[area].reset();
  ++impl_->generation;
}

bool WorkAreas::Close(std::string_view alias) {
  int n = AreaOf(alias);
  if (n == 0) return false;
  const int keep = impl_->current;
  impl_->current = n;
  Close();
  impl_->current = keep;
  return true;
}

void WorkAreas::CloseAll() {
  const int keep = impl_->current;
  for (int n = 1; n <= kMaxAreas; ++n) {
    impl_->current = n;
    Close();
  }
  impl_->current = keep;
}

void WorkAreas::SetRelation(std::string_view child_alias, std::string_view key_expression) {
  Table* parent = Current();
  if (parent == nullptr) throw Error(ErrorKind::kUsage, "relation: no table in the current area");
  const int child = AreaOf(child_alias);
  if (child == 0 || child == impl_->current)
    throw Error(ErrorKind::kUsage, fmt::format("{}: relation: no other area has alias {}",
                                               parent->path().string(), child_alias));
  expr::Error err;
  auto e = expr::Expression::Compile(key_expression, err);
  if (!e)
    throw Error(ErrorKind::kExpression,
                fmt::format("{}: relation: {}", parent->path().string(), err.What()));
  impl_->relations[impl_->current].push_back({child, std::string(key_expression), std::move(e)});
  impl_->RunRelations(impl_->current);
}

void WorkAreas::ClearRelations() {
  impl_->relations[impl_->current].clear();
}

int WorkAreas::FindField(std::string_view alias, std::string_view name) {
  const int area = alias.empty() ? impl_->current : AreaOf(alias);
  Table* t = At(area);
  if (t == nullptr) return -1;
  const int field = t->FieldIndex(name);
  return field < 0 || field >= kFieldsPerArea ? -1 : area * kFieldsPerArea + field;
}

void WorkAreas::ReadField(int handle, Value& out) {
  Table* t = At(handle / kFieldsPerArea);
  const int field = handle % kFieldsPerArea;
  if (t == nullptr || field >= static_cast<int>(t->fields().size())) {
    out = Value();
    return;
  }
  out = t->Get(field);
}

uint64_t WorkAreas::Generation() const {
  return impl_->generation;
}

double WorkAreas::RecNo() {
  Table* t = Current();
  return t ? t->RecNo() : 0;
}

bool WorkAreas::Deleted() {
  Table* t = Current();
  return t && t->Deleted();
}

}  // namespace zur::dbf

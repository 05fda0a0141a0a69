#include "run/reports/report_records.h"

#include <fmt/format.h>

#include "lib/text/trim_pad.h"
#include "run/determine/holdings_table.h"

namespace zur::reports {
namespace {

int FieldOf(const dbf::Table& t, std::string_view name, char type) {
  const int index = t.FieldIndex(name);
  if (index < 0 || t.fields()[static_cast<size_t>(index)].type != type)
    throw determine::HoldingsError(fmt::format("{}: the holdings table has no field {} of type {}",
                                               t.path().string(), name, type));
  return index;
}

}  // namespace

ReportRecords::ReportRecords(dbf::Table& atimast) : ReportRecords(atimast, nullptr) {}

ReportRecords::ReportRecords(holdings::HoldingsIndex& index)
    : ReportRecords(index.table(), &index) {}

ReportRecords::ReportRecords(const std::vector<ReportRecord>& list) : list_(&list) {}

ReportRecords::ReportRecords(std::initializer_list<ReportRecord> list) : list_(&own_), own_(list) {}

ReportRecords::ReportRecords(dbf::Table& atimast, holdings::HoldingsIndex* index)
    : table_(&atimast),
      index_(index),
      stkno_(FieldOf(atimast, "ASTKNO", 'C')),
      stk_(FieldOf(atimast, "ASTK", 'C')),
      aati_(FieldOf(atimast, "AATI", 'C')),
      from_(FieldOf(atimast, "AFROM", 'C')),
      to_(FieldOf(atimast, "ATO", 'C')),
      cas_(FieldOf(atimast, "ACASQTY", 'N')),
      od_(FieldOf(atimast, "AODQTY", 'N')),
      net_(FieldOf(atimast, "ANETQTY", 'N')),
      stl_(FieldOf(atimast, "ASTLQTY", 'N')),
      ustl_(FieldOf(atimast, "AUSTLQTY", 'N')),
      tfr_(FieldOf(atimast, "ATFRQTY", 'N')),
      ss_(FieldOf(atimast, "ASSQTY", 'N')),
      sstl_(FieldOf(atimast, "ASSTLQTY", 'N')),
      sustl_(FieldOf(atimast, "ASUSTLQTY", 'N')),
      qty_(FieldOf(atimast, "AATIQTY", 'N')),
      qty1_(FieldOf(atimast, "AATIQTY1", 'N')) {
  FieldOf(atimast, "AISIN", 'C');
  const std::string name = atimast.path().string();
  if (!atimast.filter().empty())
    throw determine::HoldingsError(name + ": a filter hides records of the holdings table (" +
                                   std::string(atimast.filter()) + ")");
  if (index_ == nullptr && !determine::ActivateHoldingsOrder(atimast))
    throw determine::HoldingsError(name + ": the holdings table has no order on " +
                                   std::string(holdings::kHoldingsKey));
}

void ReportRecords::Read(ReportRecord& r) const {
  const dbf::Table& t = *table_;
  const auto number = [&](int field) { return t.Get(field).num(); };
  r.stock_no.assign(t.Raw(stkno_));
  r.stock.assign(t.Raw(stk_));
  r.account.assign(text::RTrim(t.Raw(aati_)));
  r.from.assign(text::RTrim(t.Raw(from_)));
  r.to.assign(text::RTrim(t.Raw(to_)));
  r.holding.ccass = number(cas_);
  r.holding.overdue = number(od_);
  r.holding.net = number(net_);
  r.holding.due = number(stl_);
  r.holding.undue = number(ustl_);
  r.holding.transferred = number(tfr_);
  r.holding.short_cover = number(ss_);
  r.short_settled = number(sstl_);
  r.short_unsettled = number(sustl_);
  r.transfer_qty = number(qty_);
  r.due_bought = number(qty1_);
}

ReportRecords::Iterator::Iterator(const ReportRecords* records, bool at_end)
    : records_(records), at_end_(at_end) {
  if (at_end_) return;
  if (records_->list_ == nullptr) {
    if (records_->index_ != nullptr) {
      walk_.emplace(records_->index_->Begin());
      if (walk_->recno() != 0) records_->table_->GoTo(walk_->recno());
    } else {
      records_->table_->GoTop();
    }
  }
  Settle();
}

void ReportRecords::Iterator::Settle() {
  if (const std::vector<ReportRecord>* list = records_->list_) {
    if (next_ >= list->size()) {
      at_end_ = true;
      return;
    }
    record_ = (*list)[next_++];
    return;
  }
  dbf::Table& t = *records_->table_;
  for (;;) {
    const bool end = walk_ ? walk_->recno() == 0 : t.Eof();
    if (end) {
      at_end_ = true;
      return;
    }
    if (!t.Deleted()) break;
    Step();
  }
  records_->Read(record_);
}

void ReportRecords::Iterator::Step() {
  dbf::Table& t = *records_->table_;
  if (walk_) {
    walk_->Next();
    if (walk_->recno() != 0) t.GoTo(walk_->recno());
  } else {
    t.Skip();
  }
}

ReportRecords::Iterator& ReportRecords::Iterator::operator++() {
  if (at_end_) return *this;
  if (records_->list_ == nullptr) Step();
  Settle();
  return *this;
}

}  // namespace zur::reports

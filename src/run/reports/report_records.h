#pragma once
// The holdings records the checking reports print, one at a time in index order (stock, then
// account), deleted records left out: read from ATIMAST as the reports go, so that the reports
// never hold the whole table; or a list made by hand.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/dbf/seek_index.h"
#include "platform/dbf/table.h"
#include "run/holdings/holdings_index.h"
#include "run/reports/report_data.h"

namespace zur::reports {

class ReportRecords {
 public:
  // ATIMAST in its own order on STRVAL(ASTKNO)+AATI, made active. Throws
  // determine::HoldingsError naming the table when a field is missing or of the wrong type,
  // when a filter is set or the order is missing.
  explicit ReportRecords(dbf::Table& atimast);
  // ATIMAST walked through the run's holdings index.
  explicit ReportRecords(holdings::HoldingsIndex& index);
  // A list, as it is.
  ReportRecords(const std::vector<ReportRecord>& list);
  ReportRecords(std::initializer_list<ReportRecord> list);
  ReportRecords(const ReportRecords&) = delete;
  ReportRecords& operator=(const ReportRecords&) = delete;

  class Iterator {
   public:
    const ReportRecord& operator*() const { return record_; }
    const ReportRecord* operator->() const { return &record_; }
    Iterator& operator++();
    bool operator==(const Iterator& other) const { return at_end_ == other.at_end_; }

   private:
    friend class ReportRecords;
    Iterator(const ReportRecords* records, bool at_end);
    void Settle();  // onto a record to report, or the end
    void Step();    // to the next record of the table in order

    const ReportRecords* records_;
    bool at_end_;
    size_t next_ = 0;  // in a list
    std::optional<dbf::SeekIndex::Walk> walk_;
    ReportRecord record_;
  };
  Iterator begin() const { return Iterator(this, false); }
  Iterator end() const { return Iterator(this, true); }

 private:
  ReportRecords(dbf::Table& atimast, holdings::HoldingsIndex* index);
  void Read(ReportRecord& r) const;  // the table's current record

  const std::vector<ReportRecord>* list_ = nullptr;
  std::vector<ReportRecord> own_;
  dbf::Table* table_ = nullptr;
  holdings::HoldingsIndex* index_ = nullptr;
  int stkno_ = -1, stk_ = -1, aati_ = -1, from_ = -1, to_ = -1, cas_ = -1, od_ = -1, net_ = -1,
      stl_ = -1, ustl_ = -1, tfr_ = -1, ss_ = -1, sstl_ = -1, sustl_ = -1, qty_ = -1, qty1_ = -1;
};

}  // namespace zur::reports

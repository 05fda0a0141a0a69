#pragma once
// The state of an open table, shared by the files that implement Table.

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/dbf/dbf_format.h"
#include "platform/dbf/order_index.h"
#include "platform/dbf/table.h"

namespace zur::dbf {

class TableFieldSource;

struct Order {
  std::string name;
  std::string key_text;
  std::unique_ptr<expr::Expression> expr;
  OrderIndex index;
  // What the key reads of the record: the fields by number, the deletion flag, or (a key that
  // evaluates texts) anything. A change elsewhere in the record leaves the key as it is.
  std::vector<bool> reads_field;
  bool reads_deletion = false;
  bool reads_all = false;
  Order(size_t width) : index(width) {}
};

// The deletion flag as a changed part of a record, beside the field numbers.
inline constexpr int kDeletionFlag = -1;

struct Table::Impl {
  Impl();
  ~Impl();

  std::filesystem::path path;
  std::string file;  // the path as text, for messages
  std::string alias;
  int fd = -1;
  Share share = Share::kShared;
  bool read_only = false;
  Header hdr;
  std::string blank;  // a blank record

  // Read cache: records [win_first, win_first + win_count) of the file.
  std::vector<char> window;
  uint32_t win_first = 0;
  uint32_t win_count = 0;
  // A table opened exclusively for writing, of at most kResidentBytes of records, is kept
  // whole in `window` (from record 1): reads never go to the file, and the records changed
  // since the last write-back, [dirty_lo, dirty_hi], are written in one stretch by Flush and
  // on close. Nobody else can read the file meanwhile: the open excludes every other.
  bool resident = false;
  uint32_t dirty_lo = 0;  // 0: nothing to write back
  uint32_t dirty_hi = 0;

  // The current record: its bytes (blank at EOF), whether it has unwritten changes.
  std::string cur;
  uint32_t recno = 0;
  bool eof = true;
  bool bof = false;
  bool found = false;
  bool cur_dirty = false;
  bool changed = false;  // something was written since the open: flush the header
  std::set<uint32_t> locks;

  // Orders, filter and expression evaluation.
  std::vector<std::unique_ptr<Order>> orders;
  int active = 0;
  std::string cur_key;   // the current record's key in the active order
  std::string step_key;  // the key of the entry the last Step* returned
  std::unique_ptr<expr::Expression> filter;
  std::string filter_text;
  ExprEnvironment env;
  std::unique_ptr<TableFieldSource> source;
  const char* eval_rec = nullptr;  // the record expressions read
  uint32_t eval_recno = 0;
  std::function<void()> on_move;

  // ---- records (table.cpp)
  const char* CachedRecord(uint32_t r);  // 1 <= r <= record count
  void InvalidateCache() {
    if (!resident) win_count = 0;
  }
  void LoadResident();       // reads every record into the window and makes the table resident
  void WriteBack();          // writes the resident records changed since the last write-back
  void Load(uint32_t r);     // makes r current (not EOF)
  void Arrive(uint32_t r) {  // makes r current after a step in the active order
    Load(r);
    cur_key = step_key;
  }
  // The end of GoTop and GoBottom: r current, or both ends when no record is visible.
  void ArriveAtEnd(uint32_t r);
  // Writes `bytes` at `offset` of the current record: `part` is the field written, or
  // kDeletionFlag. Orders whose keys read that part follow the new key.
  void Change(std::string_view what, int part, size_t offset, std::string_view bytes);
  void SetEof();
  void WriteCurrent();
  void RequireWritable(std::string_view what) const;
  void ReadHeaderCount();  // re-reads the record count (shared opens)
  void Moved();

  // ---- expressions (table_orders.cpp)
  bool Visible(uint32_t r);  // passes the filter
  std::string EvalKey(Order& o, const char* rec, uint32_t r);
  void KeyOfCurrent();  // refreshes cur_key
  // Record r's bytes changed from `before` to `after` in `part` (a field number, kDeletionFlag,
  // or kAnyPart): moves its entries in the orders whose keys read that part.
  void Rekey(const char* before, const char* after, uint32_t r, int part);
  static constexpr int kAnyPart = -2;
  // Resolves what each order's key reads against the table's fields and alias.
  void ResolveUses(Order& o) const;
  bool KeyReads(const Order& o, int part) const;
  void AddKeys(uint32_t from, uint32_t to);  // records appended: into every order
  void RebuildOrders();
  // Steps in the active order, or in record order without one; 0 when there is none.
  // StepNext and StepPrev start from record r whose key is step_key; all update step_key.
  uint32_t StepFirst();
  uint32_t StepLast();
  uint32_t StepNext(uint32_t r);
  uint32_t StepPrev(uint32_t r);
};

}  // namespace zur::dbf

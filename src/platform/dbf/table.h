#pragma once
// One open dBASE table (.DBF): its header and fields, the record pointer, reading and
// replacing fields, append/delete/recall/zap, shared and exclusive opening with record locks
// that other processes honour, in-memory index orders on key expressions and a filter.
//
// Every failure is a dbf::Error whose message names the file. Positioning never fails: going
// past either end gives EOF (the phantom blank record, RecNo() = RecCount() + 1) or BOF.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/expr/expression.h"
#include "platform/vars/value.h"
#include "platform/vars/var_store.h"

namespace zur::dbf {

enum class ErrorKind {
  kNotFound,    // the file does not exist
  kInUse,       // another open (this or another process) excludes this one
  kDamaged,     // the file is not a readable table
  kIo,          // the system refused a read, write, rename ...
  kUsage,       // a call that does not fit the table: unknown field, wrong value kind,
                // writing a read-only table, zap without exclusive use ...
  kValue,       // a value that does not fit its field (a number too wide for its width)
  kExpression,  // a key or filter expression that does not compile or evaluate
};

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, std::string message) : std::runtime_error(message), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

// One field, as a row of a structure-extended table (FIELD_NAME, FIELD_TYPE, FIELD_LEN,
// FIELD_DEC). Types: 'C' character, 'N' numeric, 'D' date (8), 'L' logical (1), 'M' memo (10).
struct FieldSpec {
  std::string name;  // upper case, at most 10 characters
  char type = 'C';
  int length = 0;
  int decimals = 0;
  friend bool operator==(const FieldSpec&, const FieldSpec&) = default;
};

enum class Share { kShared, kExclusive };
enum class Access { kReadWrite, kReadOnly };

// Progress of a long operation: `done` out of `total` records.
using Progress = std::function<void(uint64_t done, uint64_t total)>;

// What key and filter expressions evaluate against besides the table's own fields: functions
// such as STRVAL3, memory variables, and the fields of other work areas ("ALIAS->NAME").
// Any member may be null.
struct ExprEnvironment {
  const expr::FunctionTable* functions = nullptr;
  VarStore* vars = nullptr;
  expr::FieldSource* other_areas = nullptr;
};

class Table {
 public:
  // Opens a table. A path whose file is missing is also looked up case-insensitively in its
  // directory. Read-write opens need write permission. Shared opens coexist; an exclusive
  // open excludes every other open of the file, in any process.
  static std::unique_ptr<Table> Open(const std::filesystem::path& path, Share share,
                                     Access access = Access::kReadWrite);

  // Creates an empty table (dBASE III; with a memo field also an empty .DBT) from the field
  // list, replacing any table of that name that nobody has open. Written beside and renamed.
  static void Create(const std::filesystem::path& path, const std::vector<FieldSpec>& fields);

  // The field list described by a structure-extended table: its records that are not
  // deleted, in record order (not checked: Create checks the list).
  static std::vector<FieldSpec> StructureFromRows(Table& rows);

  // True when some open (of any process) holds the table, so an exclusive open would fail.
  static bool InUse(const std::filesystem::path& path);

  ~Table();  // flushes a changed table; never throws
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // ---- description
  const std::filesystem::path& path() const;
  std::string_view alias() const;  // the work-area alias; the file stem upper-cased by default
  void set_alias(std::string alias);
  Share share() const;
  bool read_only() const;
  const std::vector<FieldSpec>& fields() const;
  int FieldIndex(std::string_view name) const;  // case-insensitive; -1 when absent
  uint8_t version() const;                      // the header's version byte
  uint32_t header_length() const;
  uint32_t record_length() const;
  uint32_t FieldOffset(int field) const;  // of the field's bytes in a record (0: deletion flag)
  Date last_update() const;

  // Writes this table's structure as a new structure-extended table at `path`.
  void CopyStructureExtended(const std::filesystem::path& path) const;

  // ---- record pointer (these honour the active order and the filter)
  uint32_t RecCount() const;  // as of the last header read
  uint32_t RecNo() const;     // RecCount() + 1 at EOF
  bool Eof() const;
  bool Bof() const;
  bool Found() const;  // the last Seek or Locate found what it looked for
  void GoTop();
  void GoBottom();            // re-reads the header first in shared mode
  void GoTo(uint32_t recno);  // physical; out of range -> EOF; ignores the filter
  // Past the last record: EOF. Back from the first: BOF, staying on the first record.
  void Skip(int64_t n = 1);

  // ---- fields of the current record (the phantom record at EOF reads blank)
  // C: the stored bytes, trailing blanks kept; N: a double, blank = 0; D: a Date, blank =
  // the blank date; L: true for T/t/Y/y; M: the 10 stored block-pointer bytes.
  Value Get(int field) const;
  Value Get(std::string_view name) const;
  std::string_view Raw(int field) const;  // the stored bytes
  bool Deleted() const;

  // Copies records first .. first + count - 1 (each record_length() bytes, with the deletion
  // flag) into `out` as they stand, the current record's unwritten changes included, without
  // moving the record pointer. kUsage error for records outside 1..RecCount(), kDamaged when
  // the file holds fewer.
  void ReadRecords(uint32_t first, uint32_t count, char* out);

  // Replaces a field of the current record. C takes a character value (cut or blank-padded
  // to the width), N a number (kValue error when it does not fit the width; nothing is
  // written then), D a date, L a logical. Index orders follow the new key at once. A shared
  // open must hold the record's lock and writes through at once; an exclusive open writes
  // the record when the pointer leaves it, on Flush and on close.
  void Replace(int field, const Value& value);
  void Replace(std::string_view name, const Value& value);

  // Appends a blank record and makes it current. In shared mode the header is re-read first
  // and the new record is locked for this open.
  void Append();
  void Delete();
  void Recall();
  void Zap();  // exclusive use only: removes every record
  // Writes the header (record count, today's date) and the end-of-file byte; syncs to disk.
  void Flush();
  // Re-reads the header so records appended by others become visible.
  void RefreshHeader();

  // Appends every record of `source`, copying fields of the same name and type (character
  // values cut to the new width) and the deletion flag. Returns the number of records.
  // Memo fields keep their block numbers as stored: the texts stay in the source's memo
  // file, which a caller replacing the source takes along as this table's memo file.
  uint64_t AppendFrom(Table& source, const Progress& progress = {});

  // ---- record locks (shared opens; exclusive opens always succeed)
  bool Lock(uint32_t recno);  // false when another open holds it; re-reads the header
  bool LockCurrent() { return Lock(RecNo()); }
  void Unlock(uint32_t recno);
  void UnlockAll();
  // Locks the records listed as "5, 7, 12" one by one; at the first failure unlocks what this
  // call locked and returns false. An entry that is not a record number fails the call.
  bool LockList(std::string_view list);
  bool IsLocked(uint32_t recno) const;  // held by this open

  // ---- expressions, orders and the filter
  void SetEnvironment(const ExprEnvironment& env);
  // This table's fields and RECNO()/DELETED() as an expression sees them; other areas'
  // fields come from the environment.
  expr::FieldSource& fields_source();

  // Builds an order on the key expression over every record and makes it active. The key is
  // the expression's value: character bytes, numbers and dates encoded so that byte order is
  // value order. An order of the same name is replaced. Returns the order number (1-based).
  int CreateOrder(std::string_view name, std::string_view key_expression,
                  const Progress& progress = {});
  int OrderCount() const;
  int ActiveOrder() const;  // 0 = natural record order
  void SetOrder(int order);
  bool SetOrder(std::string_view name);        // false when no order has that name
  std::string_view OrderKey(int order) const;  // the key expression text
  void ClearOrders();

  // Seeks `key` in the active order (kUsage error without one). A character key matches
  // every key that begins with it. Found: the first such record. Not found: EOF, or with
  // `soft` the first record with a greater key (EOF when there is none). Returns Found().
  bool Seek(const Value& key, bool soft = false);

  // Goes to the first record, from the top in the active order and past the filter, for
  // which `condition` is true; EOF when there is none. Returns Found().
  bool Locate(std::string_view condition);

  // Records for which the expression is not true are passed over by GoTop, GoBottom, Skip
  // and Seek. Each candidate is made current before the test, so related areas follow it.
  // An empty text clears the filter; the record pointer does not move.
  void SetFilter(std::string_view expression);
  std::string_view filter() const;

  // Called after every move of the record pointer (relations use it).
  void set_on_move(std::function<void()> hook);

  struct Impl;  // the engine's state, opaque outside it

 private:
  explicit Table(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace zur::dbf

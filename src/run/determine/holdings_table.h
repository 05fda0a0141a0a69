#pragma once
// The holdings table ATIMAST as the ZUR determination reads and writes it: the quantities and
// codes of the current record, the decision fields, and the stock's main account record.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/dbf/table.h"
#include "run/determine/transfer_rules.h"
#include "run/holdings/holdings_index.h"

namespace zur::determine {

// The holdings table cannot be used as it is: its message names the table.
class HoldingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The index key the determination walks and seeks: stock number, then account code.
using holdings::kHoldingsKey;

// Makes the table's order on kHoldingsKey the active one; false when it has none.
bool ActivateHoldingsOrder(dbf::Table& table);

class HoldingsTable {
 public:
  // Checks that every field the determination uses is there and that no filter hides records;
  // the records are found and walked through `index`. Throws HoldingsError.
  explicit HoldingsTable(holdings::HoldingsIndex& index);

  dbf::Table& table() { return table_; }
  holdings::HoldingsIndex& index() { return index_; }
  std::string Name() const;  // the file, for messages

  // ---- the current record
  Holding Quantities() const;
  std::string_view StockNo() const;  // ASTKNO as stored
  std::string_view Account() const;  // AATI without trailing blanks
  std::string_view From() const;     // AFROM without trailing blanks
  std::string_view Isin() const;     // AISIN without trailing blanks
  double TransferQuantity() const;   // AATIQTY
  // The numeric value of the stock number, for the upload line. Throws HoldingsError when
  // ASTKNO is not a positive whole number (another stock would be moved).
  int64_t StockNumber() const;

  // Writes the decision into the current record: AFROM, ATO and AATIQTY, and AATIQTY1 when
  // `due_bought_part` is given.
  void RecordDecision(std::string_view from, std::string_view to, int64_t quantity,
                      const int64_t* due_bought_part = nullptr);
  // Adds `quantity` to ATFRQTY of the current record.
  void AddToTransferred(int64_t quantity);

  // ---- the main account record of a stock
  // Moves to the record (stock number as stored, `main_account`); false and EOF when absent.
  bool SeekMain(std::string_view stock_no, std::string_view main_account);
  // Appends the main account record of the current record's stock (stock number, name and ISIN
  // copied, quantities 0) and stays on it. Throws HoldingsError when the new record cannot be
  // found again under its own key (a stock number that is not in key form would otherwise give
  // one new record per transfer).
  void AppendMain(std::string_view main_account);

 private:
  int Field(std::string_view name, char type) const;
  std::string_view Text(int field) const;
  double Number(int field) const { return table_.Get(field).num(); }
  // Shared opens write only to locked records.
  void MakeWritable();

  holdings::HoldingsIndex& index_;
  dbf::Table& table_;
  int stkno_, stk_, isin_, aati_, cas_, od_, net_, stl_, ustl_, tfr_, ss_, from_, to_, qty_, qty1_;
  std::string want_;  // the key sought, kept for its storage
};

}  // namespace zur::determine

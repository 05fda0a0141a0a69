#pragma once
// The reading half of the portfolio pass. On a thread of its own it reads the portfolio master
// in record order and works out all that needs nothing of the holdings being booked: which
// records count (not deleted, client not excluded, stock in the run's market), the quantities
// with the client's unsettled trades, and the client's segregated account. The records that
// count come to the booking half (the calling thread) in batches, in record order, so that the
// look-ups of one record overlap with the booking of another on a machine of several cores.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/dbf/table.h"
#include "run/position/client_master.h"
#include "run/position/portfolio_record.h"
#include "run/position/position_inputs.h"
#include "run/position/stock_master.h"
#include "run/position/unsettled.h"

namespace zur::position {

// A portfolio record that counts, as the reading half found it.
struct PortfolioEntry {
  uint32_t read = 0;  // records read since the entry before, this one included
  const PortfolioStock* stock = nullptr;
  Quantities q;                 // never all zero, unless `failure` is set
  std::exception_ptr failure;   // working out `q` failed: raised where the record is booked
  std::string_view segregated;  // LSEGAC of the client (in the client master's copy)
  uint32_t account_at = 0;      // FACCT as stored, in the batch's text
  uint32_t account_size = 0;
};

struct PortfolioBatch {
  std::vector<PortfolioEntry> entries;
  std::string text;            // the entries' account codes
  uint32_t read_after = 0;     // records read after the last entry
  std::exception_ptr failure;  // the reading failed after all that is above
  bool last = false;

  std::string_view Account(const PortfolioEntry& e) const {
    return std::string_view(text).substr(e.account_at, e.account_size);
  }
};

class PortfolioReading {
 public:
  // Starts reading `pf`. Until this object is gone, the reading thread alone uses `record`,
  // `trades`, `clients` and `stocks`.
  PortfolioReading(dbf::Table& pf, const PortfolioRecord& record, UnsettledTrades& trades,
                   ClientMaster& clients, StockMaster& stocks, const PositionInputs& in);
  // Stops the reading (when it has not ended) and waits for its thread.
  ~PortfolioReading();
  PortfolioReading(const PortfolioReading&) = delete;
  PortfolioReading& operator=(const PortfolioReading&) = delete;

  // The next batch, in order; after the one marked `last` there is none.
  PortfolioBatch Next();

 private:
  void Read();
  // Gives `batch` to the booking half, waiting while enough batches wait there; false when the
  // reading is to stop.
  bool HandOver(PortfolioBatch& batch);

  dbf::Table& pf_;
  const PortfolioRecord& record_;
  UnsettledTrades& trades_;
  ClientMaster& clients_;
  StockMaster& stocks_;
  const PositionInputs& in_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<PortfolioBatch> ready_;
  bool stopping_ = false;
  std::thread thread_;  // last: started once the rest stands
};

}  // namespace zur::position

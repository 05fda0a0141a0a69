#include "run/position/portfolio_reading.h"

#include <utility>

#include "lib/format/account_code.h"
#include "platform/dbf/record_scan.h"

namespace zur::position {
namespace {

// Records a batch holds, and batches that may wait for the booking half: enough to keep both
// halves busy, little enough to stay in the cache.
constexpr size_t kBatchEntries = 1024;
constexpr size_t kWaitingBatches = 2;

bool ExcludedClient(std::string_view facct, const PositionInputs& in) {
  if (!facct.empty() && in.excluded_types.find(facct.front()) != std::string::npos) return true;
  return in.IsSite("ROVERU") && in.exclude_a29 && BeginsWithCode(facct, "A29");
}

}  // namespace

PortfolioReading::PortfolioReading(dbf::Table& pf, const PortfolioRecord& record,
                                   UnsettledTrades& trades, ClientMaster& clients,
                                   StockMaster& stocks, const PositionInputs& in)
    : pf_(pf), record_(record), trades_(trades), clients_(clients), stocks_(stocks), in_(in) {
  // Built here rather than on first use on the reading thread: this thread's memory, freed by
  // the steps before, is used again.
  clients_.PrepareSeeks(record_.AccountWidth());
  thread_ = std::thread([this] { Read(); });
}

PortfolioReading::~PortfolioReading() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

PortfolioBatch PortfolioReading::Next() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !ready_.empty(); });
  PortfolioBatch batch = std::move(ready_.front());
  ready_.pop_front();
  lock.unlock();
  changed_.notify_all();
  return batch;
}

bool PortfolioReading::HandOver(PortfolioBatch& batch) {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopping_ || ready_.size() < kWaitingBatches; });
    if (stopping_) return false;
    ready_.push_back(std::move(batch));
  }
  changed_.notify_all();
  batch = PortfolioBatch();
  batch.entries.reserve(kBatchEntries);
  return true;
}

void PortfolioReading::Read() {
  PortfolioBatch batch;
  batch.entries.reserve(kBatchEntries);
  uint32_t read = 0;
  try {
    for (dbf::RecordScan scan(pf_); scan.Next();) {
      ++read;
      // The client and the trades of the next record start loading while this one is worked.
      if (dbf::RecordView next; scan.Ahead(next)) {
        clients_.Prefetch(record_.Account(next));
        trades_.Prefetch(record_.Account(next), stocks_.ForStockNo(record_.StockNo(next)).key3);
      }
      const dbf::RecordView position = scan.record();
      if (position.deleted()) continue;
      const std::string_view facct = record_.Account(position);
      if (ExcludedClient(facct, in_)) continue;
      const PortfolioStock& stock = stocks_.ForStockNo(record_.StockNo(position));
      if (!InRunMarket(stock.info, in_)) continue;
      PortfolioEntry entry;
      try {
        entry.q = record_.Calculate(position, trades_, stock);
      } catch (...) {
        entry.failure = std::current_exception();
      }
      if (!entry.failure && entry.q.AllZero()) continue;
      if (!entry.failure) entry.segregated = clients_.Segregated(facct);
      entry.read = std::exchange(read, 0);
      entry.stock = &stock;
      entry.account_at = static_cast<uint32_t>(batch.text.size());
      entry.account_size = static_cast<uint32_t>(facct.size());
      batch.text.append(facct);
      batch.entries.push_back(entry);
      if (batch.entries.size() == kBatchEntries && !HandOver(batch)) return;
    }
  } catch (...) {
    batch.failure = std::current_exception();
  }
  batch.read_after = read;
  batch.last = true;
  HandOver(batch);
}

}  // namespace zur::position

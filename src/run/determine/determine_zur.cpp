#include "run/determine/determine_zur.h"

#include <fmt/format.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "lib/text/trim_pad.h"
#include "run/determine/holdings_table.h"
#include "run/determine/transfer_rules.h"
#include "run/operator/run_stopped.h"

namespace zur::determine {
namespace {

class Determination {
 public:
  Determination(holdings::HoldingsIndex& index, upload::UploadWriter& writer,
                const DetermineInputs& in, run::Operator& op)
      : holdings_(index),
        writer_(writer),
        in_(in),
        rules_(in.eight_digit_accounts, in.keep_account_02),
        op_(op) {}

  DetermineResult Run() {
    const int passes = in_.due_bought_from_main ? kPassCount : 3;
    records_ = std::max<uint64_t>(holdings_.table().RecCount(), 1);
    total_steps_ = records_ * static_cast<uint64_t>(passes);
    for (int i = 0; i < passes; ++i) Walk(static_cast<Pass>(i));
    result_.due_bought_passes_run = in_.due_bought_from_main;
    holdings_.table().GoTo(0);  // past the last record, as after a walk
    writer_.Finish();
    op_.PercentDone();
    return result_;
  }

 private:
  // One pass over every record in key order. Records appended by pass 1 ("01" records, which
  // pass 1 never selects) are met in key order too.
  void Walk(Pass pass) {
    dbf::Table& t = holdings_.table();
    main_stock_.reset();
    uint64_t visited = 0;
    for (dbf::SeekIndex::Walk walk = holdings_.index().Begin(); walk.recno() != 0; walk.Next()) {
      if (t.RecNo() != walk.recno() || t.Eof()) t.GoTo(walk.recno());
      const std::string account(holdings_.Account());
      if (AccountRules::NamesNoAccount(account)) {
        if (pass == Pass::kExcessOut) WarnNoAccount();
      } else if (rules_.Selects(pass, account) && !rules_.IsMain(account)) {
        Serve(pass, account);
      }
      ShowProgress(static_cast<uint64_t>(static_cast<int>(pass)) * records_ + ++visited);
    }
  }

  void Serve(Pass pass, const std::string& account) {
    switch (pass) {
      case Pass::kExcessOut:
        return TakeExcess(account);
      case Pass::kTopUpHigh:
      case Pass::kTopUpOther:
        return TopUp(pass, account);
      case Pass::kDueBoughtHigh:
      case Pass::kDueBoughtOther:
        return GiveDueBought(pass, account);
    }
  }

  // Pass 1.
  void TakeExcess(const std::string& account) {
    const int64_t quantity =
        Whole(ExcessHolding(holdings_.Quantities(), in_.suppress_due_shortage));
    if (quantity <= 0) return;
    holdings_.RecordDecision(account, rules_.main(), quantity);
    const uint32_t here = holdings_.table().RecNo();
    const std::string stock_no(holdings_.StockNo());
    if (!holdings_.SeekMain(stock_no, rules_.main())) {
      holdings_.table().GoTo(here);
      holdings_.AppendMain(rules_.main());
      ++result_.main_records_added;
    }
    holdings_.AddToTransferred(quantity);
    holdings_.table().GoTo(here);
    Write(Pass::kExcessOut, account, rules_.main(), quantity);
  }

  // Passes 2 and 3: no more than "01" has (nothing when the stock has no "01" record).
  void TopUp(Pass pass, const std::string& account) {
    const double shortfall = Shortfall(holdings_.Quantities());
    if (shortfall <= 0) return;
    const uint32_t here = holdings_.table().RecNo();
    const std::string stock_no(holdings_.StockNo());
    int64_t quantity = 0;
    if (holdings_.SeekMain(stock_no, rules_.main())) {
      const double available = AvailableInMain(holdings_.Quantities());
      quantity = available <= 0 ? 0 : Whole(std::min(available, shortfall));
      if (quantity != 0) holdings_.AddToTransferred(-quantity);
    }
    holdings_.table().GoTo(here);
    if (quantity <= 0) return;
    holdings_.RecordDecision(rules_.main(), account, quantity);
    Write(pass, rules_.main(), account, quantity);
  }

  // Passes 4 and 5: no availability test; the transfer adds to one decided by pass 2 or 3.
  void GiveDueBought(Pass pass, const std::string& account) {
    if (holdings_.From() == account) return;  // pass 1 took shares out of it
    const double due_bought = DueBought(holdings_.Quantities());
    if (due_bought <= 0 || MainIsShort()) return;
    const int64_t quantity = Whole(due_bought);
    if (quantity <= 0) return;
    const int64_t total = Whole(holdings_.TransferQuantity()) + quantity;
    holdings_.RecordDecision(rules_.main(), account, total, &quantity);
    Write(pass, rules_.main(), account, quantity);
  }

  // Whether the "01" record of the current record's stock is short after passes 1 to 3. The
  // answer is kept for the stock, since passes 4 and 5 do not change "01".
  bool MainIsShort() {
    const std::string stock_no(holdings_.StockNo());
    if (main_stock_ && *main_stock_ == stock_no) return main_short_;
    const uint32_t here = holdings_.table().RecNo();
    main_short_ =
        holdings_.SeekMain(stock_no, rules_.main()) && ShortageOf(holdings_.Quantities()).is_short;
    main_stock_ = stock_no;
    holdings_.table().GoTo(here);
    return main_short_;
  }

  // The detail line of the transfer just recorded on the current record.
  void Write(Pass pass, std::string_view from, std::string_view to, int64_t quantity) {
    const std::string isin(holdings_.Isin());
    upload::Transfer transfer;
    transfer.stock_no = holdings_.StockNumber();
    transfer.isin = isin;
    transfer.from_account = from;
    transfer.to_account = to;
    transfer.quantity = quantity;
    const std::string_view account = pass == Pass::kExcessOut ? from : to;
    if (rules_.FileFor(account) == UploadFile::kSti) {
      writer_.WriteStiDetail(transfer);
      ++result_.sti_lines;
    } else {
      writer_.WriteZurDetail(transfer);
      ++result_.zur_lines;
    }
    ++result_.transfers[static_cast<size_t>(pass)];
  }

  int64_t Whole(double quantity) const {
    if (std::optional<int64_t> whole = WholeShares(quantity)) return *whole;
    throw HoldingsError(fmt::format("{}: quantity {} of stock \"{}\" account {} is out of range",
                                    holdings_.Name(), quantity, holdings_.StockNo(),
                                    holdings_.Account()));
  }

  void WarnNoAccount() {
    ++result_.records_without_account;
    op_.BlinkingWarning(
        fmt::format("WARNING: ZUR record {} of stock {} has no CCASS A/C; no ZUR is made for it !",
                    holdings_.table().RecNo(), text::AllTrim(holdings_.StockNo())));
  }

  void ShowProgress(uint64_t step) {
    const int percent = static_cast<int>(std::min<uint64_t>(step * 100 / total_steps_, 99));
    if (percent == last_percent_) return;
    last_percent_ = percent;
    op_.Percent(percent);
  }

  HoldingsTable holdings_;
  upload::UploadWriter& writer_;
  const DetermineInputs& in_;
  AccountRules rules_;
  run::Operator& op_;
  DetermineResult result_;
  uint64_t records_ = 1;
  uint64_t total_steps_ = 1;
  int last_percent_ = -1;
  std::optional<std::string> main_stock_;  // the stock whose "01" shortage is known
  bool main_short_ = false;
};

[[noreturn]] void Stop(run::Operator& op, const std::string& message) {
  op.MessageLineAndWait(message);
  throw run::RunStopped(message);
}

// Runs the passes over `index`, or over an index made here of `table` (which must have its
// order on the key).
DetermineResult Determine(holdings::HoldingsIndex* index, dbf::Table* table,
                          upload::UploadWriter& writer, const DetermineInputs& inputs,
                          run::Operator& op) {
  if (inputs.eight_digit_accounts != writer.has_sti_file())
    throw std::logic_error("the upload writer and the determination disagree on the STI file");
  op.ProgressLine("Determining ZUR ...");
  try {
    std::unique_ptr<holdings::HoldingsIndex> own;
    if (index == nullptr) {
      if (!ActivateHoldingsOrder(*table))
        throw HoldingsError(table->path().string() + ": the holdings table has no order on " +
                            std::string(kHoldingsKey));
      own = std::make_unique<holdings::HoldingsIndex>(*table, inputs.stock_numbers);
      index = own.get();
    }
    Determination determination(*index, writer, inputs, op);
    return determination.Run();
  } catch (const upload::UploadError& e) {
    Stop(op, e.what());
  } catch (const HoldingsError& e) {
    Stop(op,
         fmt::format("ERROR: ZUR cannot be determined: {} ! Please check and re-try", e.what()));
  } catch (const dbf::Error& e) {
    Stop(op,
         fmt::format("ERROR: ZUR cannot be determined: {} ! Please check and re-try", e.what()));
  }
}

}  // namespace

DetermineResult DetermineZur(holdings::HoldingsIndex& index, upload::UploadWriter& writer,
                             const DetermineInputs& inputs, run::Operator& op) {
  return Determine(&index, nullptr, writer, inputs, op);
}

DetermineResult DetermineZur(dbf::Table& table, upload::UploadWriter& writer,
                             const DetermineInputs& inputs, run::Operator& op) {
  return Determine(nullptr, &table, writer, inputs, op);
}

}  // namespace zur::determine

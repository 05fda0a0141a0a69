#include "run/readers/balance_layouts.h"

#include "lib/text/trim_pad.h"
#include "run/readers/report_columns.h"

namespace zur::readers {
namespace {

constexpr int kQuantityWidth = 15;
constexpr int kValueWidth = 22;
constexpr int kAccountTextWidth = 8;

// Where the three blocks of layout A sit.
struct EightDigitBlock {
  int quantity_col;           // quantity on the line after the accounts (earlier layout)
  int value_col_enhanced;     // value on the line after the accounts
  int value_col;              //   (earlier layout)
  int account_col;            // account on the account line (later layout)
  int gap_col;                // columns that are blank on an account line (later layout)
  int quantity_col_enhanced;  // quantity on the account line (later layout)
  int account_col_early;      // account on the account line (earlier layout)
  int gap_col_early;          // columns exactly blank before it (earlier layout)
  int gap_width_early;
};
constexpr std::array<EightDigitBlock, 3> kEightDigitBlocks = {{
    {7, 22, 23, 7, 15, 29, 18, 6, 12},
    {48, 63, 64, 48, 56, 70, 59, 26, 33},
    {89, 104, 105, 89, 97, 111, 100, 67, 33},
}};
constexpr int kGapWidth = 13;

void NoteStock(std::string_view stkno, BalanceState& state, const HoldingsBook& book) {
  state.key = book.StockKey(stkno);
}

}  // namespace

int ReadEightDigitLine(std::string_view line, bool enhanced, BalanceState& state,
                       HoldingsBook& book) {
  int recorded = 0;
  bool flushed = false;
  for (size_t i = 0; i < kEightDigitBlocks.size(); ++i) {
    BalanceState::Pending& p = state.pending[i];
    if (p.account.empty()) continue;
    const EightDigitBlock& b = kEightDigitBlocks[i];
    std::string quantity =
        enhanced ? p.quantity : std::string(Cols(line, b.quantity_col, kQuantityWidth));
    std::string_view value = Cols(line, enhanced ? b.value_col_enhanced : b.value_col, kValueWidth);
    BalanceState::Pending taken = std::move(p);
    p = {};
    recorded += book.Record(taken.key, taken.account, quantity, value, true) ? 1 : 0;
    flushed = true;
  }
  if (flushed) return recorded;

  std::string_view stock = Cols(line, 1, 5);
  if (enhanced) {
    if (HasPositiveValue(stock) && ColsBlank(line, 7, 11)) NoteStock(stock, state, book);
    if (!HasPositiveValue(stock) && !text::IsBlank(stock)) return 0;
    for (size_t i = 0; i < kEightDigitBlocks.size(); ++i) {
      const EightDigitBlock& b = kEightDigitBlocks[i];
      std::string_view account = Cols(line, b.account_col, kAccountTextWidth);
      if (!ColsBlank(line, b.gap_col, kGapWidth) || !HasPositiveValue(account)) continue;
      state.pending[i] = {state.key, book.Account(account),
                          std::string(Cols(line, b.quantity_col_enhanced, kQuantityWidth))};
    }
  } else {
    if (HasPositiveValue(stock) && ColsBlank(line, 6, 12)) NoteStock(stock, state, book);
    for (size_t i = 0; i < kEightDigitBlocks.size(); ++i) {
      const EightDigitBlock& b = kEightDigitBlocks[i];
      std::string_view account = Cols(line, b.account_col_early, kAccountTextWidth);
      // A blank account field is no account (it would read as "00000000").
      if (!ColsExactlyBlank(line, b.gap_col_early, b.gap_width_early) || text::IsBlank(account))
        continue;
      state.pending[i] = {state.key, book.Account(account), {}};
    }
  }
  return 0;
}

int ReadBlocksLine(std::string_view line, const BalanceState& state, HoldingsBook& book) {
  const int rs = state.right_shift;
  const int o = rs + state.stk_shift;
  // The second block's account moves with the page only, unless the shifted column is empty.
  int second_account = ColFilled(line, 49 + rs) ? 49 + rs : 49 + o;
  struct Block {
    int account, quantity, value;
  };
  const std::array<Block, 3> blocks = {{
      {6 + o, 9 + o, 25 + o},
      {second_account, 52 + o, 68 + o},
      {92 + o, 95 + o, 111 + o},
  }};
  int recorded = 0;
  for (const Block& b : blocks)
    recorded +=
        book.Record(state.key, Cols(line, b.account, 2), Cols(line, b.quantity, kQuantityWidth),
                    Cols(line, b.value, kValueWidth), true)
            ? 1
            : 0;
  return recorded;
}

int ReadStatementLine(std::string_view line, const BalanceState& state, HoldingsBook& book) {
  int account = Position(line, "A/C ");
  int closing = Position(line, "CLOSING BAL :");
  if (account == 0 || closing == 0 || !Contains(line, "OPENING BAL :")) return 0;
  return book.Record(state.key, Cols(line, account + 4, 2), Cols(line, closing + 13, 16), {}, false)
             ? 1
             : 0;
}

}  // namespace zur::readers

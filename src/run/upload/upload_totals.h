#pragma once
// The running counter and checksums of one upload file, and the transfer a detail line holds.

#include <cstdint>
#include <string>
#include <string_view>

namespace zur::upload {

// One transfer decided by the run: `quantity` shares of stock `stock_no` from one CCASS stock
// account to another (account codes as the run formats them).
struct Transfer {
  int64_t stock_no = 0;  // numeric value of the stock number
  std::string_view isin;
  std::string_view from_account;
  std::string_view to_account;
  int64_t quantity = 0;
};

// Held as full numbers; each is cut to its field only when the trailer is written.
struct UploadTotals {
  int64_t lines = 0;         // detail lines written
  int64_t stock_sum = 0;     // sum of the stock numbers
  int64_t quantity_sum = 0;  // sum of the quantities
  int64_t record_sum = 0;    // sum of the record checksums (stock number + quantity)

  // Counts one detail line. False, with the totals unchanged, when a sum would overflow.
  bool Add(const Transfer& transfer);
};

// Why a transfer cannot be written into fields of the given widths ("" when it can): a
// negative number, or one with more digits than its field, would be written as another stock
// or another quantity.
std::string TransferFieldProblem(const Transfer& transfer, int stock_width, int quantity_width);

}  // namespace zur::upload

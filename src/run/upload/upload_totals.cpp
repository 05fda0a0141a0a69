#include "run/upload/upload_totals.h"

#include <fmt/format.h>

namespace zur::upload {
namespace {

bool FitsDigits(int64_t value, int width) {
  int64_t limit = 1;
  for (int i = 0; i < width && limit <= INT64_MAX / 10; ++i) limit *= 10;
  return value >= 0 && value < limit;
}

}  // namespace

bool UploadTotals::Add(const Transfer& t) {
  UploadTotals next = *this;
  int64_t record = 0;
  if (__builtin_add_overflow(t.stock_no, t.quantity, &record) ||
      __builtin_add_overflow(next.lines, 1, &next.lines) ||
      __builtin_add_overflow(next.stock_sum, t.stock_no, &next.stock_sum) ||
      __builtin_add_overflow(next.quantity_sum, t.quantity, &next.quantity_sum) ||
      __builtin_add_overflow(next.record_sum, record, &next.record_sum))
    return false;
  *this = next;
  return true;
}

std::string TransferFieldProblem(const Transfer& t, int stock_width, int quantity_width) {
  if (!FitsDigits(t.stock_no, stock_width))
    return fmt::format("stock number {} does not fit a field of {} digits", t.stock_no,
                       stock_width);
  if (!FitsDigits(t.quantity, quantity_width))
    return fmt::format("quantity {} of stock {} does not fit a field of {} digits", t.quantity,
                       t.stock_no, quantity_width);
  return "";
}

}  // namespace zur::upload

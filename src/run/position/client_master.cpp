#include "run/position/client_master.h"

#include <algorithm>

#include "run/position/input_fields.h"
#include "run/position/pass_progress.h"

namespace zur::position {
namespace {

constexpr size_t kMaxKeyWidth = 240;  // as the table engine's orders

}  // namespace

ClientMaster::ClientMaster(dbf::Table& clients, int segregated_field, run::Operator& op)
    : copy_(clients),
      account_field_(RequireField(clients, "LACCT", 'C')),
      segregated_field_(segregated_field),
      index_(std::min(copy_.Record(1).Field(account_field_).size(), kMaxKeyWidth)) {
  op.ProgressLine("Generating Client Master Index ...");
  const dbf::Progress progress = PassProgress::ForIndex(op);
  const uint32_t n = copy_.size();
  const uint32_t step = std::max<uint32_t>(1, n / 100);
  for (uint32_t r = 1; r <= n; ++r) {
    index_.Add(copy_.Record(r).Field(account_field_));
    if (r % step == 0) progress(r, n);
  }
  progress(n, n);
  op.PercentDone();
}

std::string_view ClientMaster::Segregated(std::string_view facct) {
  return copy_.Record(index_.Seek(facct)).Field(segregated_field_);
}

}  // namespace zur::position

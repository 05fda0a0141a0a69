#include "run/position/client_master.h"

#include "platform/dbf/record_scan.h"

#include <algorithm>

#include "run/position/input_fields.h"
#include "run/position/pass_progress.h"

namespace zur::position {
namespace {

constexpr size_t kMaxKeyWidth = 240;  // as the table engine's orders

size_t Width(const dbf::Table& table, int field) {
  return static_cast<size_t>(table.fields()[static_cast<size_t>(field)].length);
}

}  // namespace

ClientMaster::ClientMaster(dbf::Table& clients, int segregated_field, run::Operator& op)
    : account_field_(RequireField(clients, "LACCT", 'C')),
      segregated_width_(Width(clients, segregated_field)),
      index_(std::min(Width(clients, account_field_), kMaxKeyWidth)) {
  op.ProgressLine("Generating Client Master Index ...");
  const dbf::TableCopy copy(clients);
  const dbf::Progress progress = PassProgress::ForIndex(op);
  const uint32_t n = copy.size();
  const uint32_t step = std::max<uint32_t>(1, n / 100);
  segregated_.assign(segregated_width_, ' ');
  segregated_.reserve(size_t{n + 1} * segregated_width_);
  for (uint32_t r = 1; r <= n; ++r) {
    const dbf::RecordView client = copy.Record(r);
    index_.Add(client.Field(account_field_));
    const std::string_view segregated = client.Field(segregated_field);
    segregated_.insert(segregated_.end(), segregated.begin(), segregated.end());
    if (r % step == 0) progress(r, n);
  }
  progress(n, n);
  op.PercentDone();
}

std::string_view ClientMaster::Segregated(std::string_view facct) {
  const uint32_t r = index_.Seek(facct);
  return std::string_view(segregated_.data() + size_t{r} * segregated_width_, segregated_width_);
}

}  // namespace zur::position

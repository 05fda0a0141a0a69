#include "run/position/pass_progress.h"

#include <algorithm>

namespace zur::position {
namespace {

int PercentOf(uint64_t done, uint64_t total) {
  if (total == 0) return 100;
  return static_cast<int>(std::min<uint64_t>(100, done * 100 / total));
}

}  // namespace

PassProgress::PassProgress(run::Operator& op, uint64_t total)
    : op_(op), total_(total), step_(StepFor(total)) {}

uint64_t PassProgress::StepFor(uint64_t total) {
  if (total < 20) return 1;
  if (total < 50) return 5;
  if (total < 100) return 10;
  if (total < 1000) return 50;
  return 100;
}

void PassProgress::Record() {
  if (++done_ % step_ == 0) op_.Percent(PercentOf(done_, total_));
}

void PassProgress::Done() {
  op_.PercentDone();
}

dbf::Progress PassProgress::ForIndex(run::Operator& op) {
  return [&op](uint64_t done, uint64_t total) { op.Percent(PercentOf(done, total)); };
}

}  // namespace zur::position

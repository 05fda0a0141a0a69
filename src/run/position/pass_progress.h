#pragma once
// The percentage display of a pass over a table: shown every few records (more often for small
// tables), and while an index is built.

#include <cstdint>

#include "platform/dbf/table.h"
#include "run/operator/operator.h"

namespace zur::position {

class PassProgress {
 public:
  PassProgress(run::Operator& op, uint64_t total);
  // One record has been handled.
  void Record();
  // The pass is over: "100% ".
  void Done();

  // Records between two displays for a table of `total` records.
  static uint64_t StepFor(uint64_t total);
  // Progress of an index build on the same display.
  static dbf::Progress ForIndex(run::Operator& op);

 private:
  run::Operator& op_;
  uint64_t total_;
  uint64_t step_;
  uint64_t done_ = 0;
};

}  // namespace zur::position

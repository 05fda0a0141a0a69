#pragma once
// The client master (alias CL) in its index "CLMAST" on LACCT, read once: the segregated
// account of the client a portfolio record names, as a relation from the portfolio master to
// the client master on FACCT finds it.

#include <string_view>
#include <vector>

#include "platform/dbf/seek_index.h"
#include "platform/dbf/table.h"
#include "run/operator/operator.h"

namespace zur::position {

class ClientMaster {
 public:
  // Reads the table and builds the index, showing "Generating Client Master Index ..." and
  // its progress. InputError when LACCT is not a character field.
  ClientMaster(dbf::Table& clients, int segregated_field, run::Operator& op);

  // LSEGAC of the client found for `facct` (FACCT as stored), blank when none is.
  std::string_view Segregated(std::string_view facct);
  // Starts loading what finding `facct` reads (for a record coming next).
  void Prefetch(std::string_view facct) const { index_.Prefetch(facct); }
  // Builds now what finding accounts of this width uses (else built on first use).
  void PrepareSeeks(size_t facct_width) { index_.PrepareSeeks(facct_width); }

 private:
  int account_field_;
  size_t segregated_width_;
  std::vector<char> segregated_;  // LSEGAC of records 1..n, after the blank one
  dbf::SeekIndex index_;
};

}  // namespace zur::position

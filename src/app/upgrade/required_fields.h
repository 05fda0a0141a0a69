#pragma once
// The fields that this version requires of its own tables and of the back-office client
// master, chosen by the table's name.

#include <string>
#include <string_view>
#include <vector>

namespace zur::upgrade {

struct RequiredField {
  std::string name;
  char type = 'C';  // 'C', 'N' or 'D'
  int length = 0;
  int decimals = 0;
};

inline constexpr int kDefaultStknoLen = 5;

// The required fields of the table `name` (without ".DBF"; may carry a path), in the order in
// which they are checked: "RPINFO", "RPOPTN", "ATIMAST" (ASTKNO `stkno_len` wide),
// "ATISYSFL", and any name ending in "CLMAST". Other names require nothing.
std::vector<RequiredField> RequiredFieldsFor(std::string_view name,
                                             int stkno_len = kDefaultStknoLen);

}  // namespace zur::upgrade

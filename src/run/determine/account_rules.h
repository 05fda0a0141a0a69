#pragma once
// Which CCASS stock accounts each pass of the ZUR determination serves, and which upload file
// a transfer of an account goes to. Account codes are the AATI texts without trailing blanks,
// compared as texts with the codes "01", "02", "17", "18", "20" and "21" in the run's format
// (two characters, or eight digits with leading zeros).

#include <string>
#include <string_view>

namespace zur::determine {

enum class Pass {
  kExcessOut,       // 1: shares an account holds beyond its clients' needs go to "01"
  kTopUpHigh,       // 2: accounts 21 and above get their shortfall from "01"
  kTopUpOther,      // 3: the other accounts get their shortfall from "01"
  kDueBoughtHigh,   // 4: T+1 due bought of accounts 21 and above, out of "01"
  kDueBoughtOther,  // 5: T+1 due bought of the other accounts, out of "01"
};
inline constexpr int kPassCount = 5;
inline int PassNumber(Pass pass) {
  return static_cast<int>(pass) + 1;
}

enum class UploadFile { kZur, kSti };

class AccountRules {
 public:
  AccountRules(bool eight_digit_accounts, bool keep_account_02);

  const std::string& main() const { return main_; }  // "01" in the run's format
  bool IsMain(std::string_view code) const { return code == main_; }
  // A blank or all-zero code names no CCASS account (it is what a blank setting formats to).
  static bool NamesNoAccount(std::string_view code);

  // Whether `pass` looks at a record of account `code` at all. Passes 4 and 5 look at the
  // "01" records too, for the shortage test of their stock.
  bool Selects(Pass pass, std::string_view code) const;
  // The file a transfer from or to account `code` is written to: the STI file for accounts
  // above "20" with 8-digit codes, else the ZUR file.
  UploadFile FileFor(std::string_view code) const;

 private:
  bool IsHigh(std::string_view code) const { return code >= a21_; }
  bool IsKept02(std::string_view code) const { return keep_02_ && code == a02_; }
  bool IsReserved(std::string_view code) const { return code == a17_ || code == a18_; }

  bool eight_digit_;
  bool keep_02_;
  std::string main_, a02_, a17_, a18_, a20_, a21_;
};

}  // namespace zur::determine

#pragma once
// The initialisation file ("ZUR.INI") the directory set-up writes: lines ending in CR LF,
//   [CHECKPATH] / CHECKPATH=N                                   the operator declined the set-up
//   [CHECKPATH] / CHECKPATH=Y / [DBF] / DBF=... / [LIB] / LIB=...  the set-up was completed

#include <string>

namespace zur::screens {

std::string DeclinedIniText();
std::string CompletedIniText(const std::string& database_dir, const std::string& library_dir);

}  // namespace zur::screens

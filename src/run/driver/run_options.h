#pragma once
// The per-site and per-date options of a checking run, set from the settings and the
// back-office settings before the upload files are made.

#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::driver {

// CONV_TYPE: the client type letter of the finance company's accounts at a site.
std::string ConvTypeFor(std::string_view site, bool sbf1_user);

// CLEAR_LCN, CLEAR_LCN2, CAS3_START, CAS3_0705, SNO_JUST, CONV_TYPE and SBF3_USER with their
// defaults and site rules, in that order; LOCK_KEY, the first eight characters of the site
// code.
void SetRunOptions(VarStore& vars);

// The layout switches once the trade date is known: IS_CCASS3 (CAS3_START not blank and on
// or before TRAN_DATE) and ATI_LEN (99, 87 or 74).
void SetLayoutSwitches(VarStore& vars);

}  // namespace zur::driver

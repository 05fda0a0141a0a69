#pragma once
// The settings record (the one record of ATISYSFL, open as SYS) and its memory variables:
// loading every setting at start-up and writing the settings back from the variables.

#include <string>
#include <string_view>

#include "platform/dbf/table.h"
#include "platform/vars/var_store.h"

namespace zur::startup {

inline constexpr std::string_view kSettingsTable = "ATISYSFL";
inline constexpr std::string_view kSettingsAlias = "SYS";

// True when the open settings table lacks a field of this version (or has one of another
// type), so that its structure has to be upgraded before it is read.
bool SettingsNeedUpgrade(const dbf::Table& sys);

// Copies the current record of `sys` into the settings' memory variables, with the start-up
// defaults: blank accounts for "F" clients (and the site groups) become "03" ("08", "07")
// padded to the field, blank upload file names "ATIFILE.TXT" and "STIFILE.TXT" padded; the
// optional accounts CLS_ATI, CLT_ATI and CLB_ATI set CHECK_CLS/CLT/CLB; the market variants
// "SAS " and "SZMK" never transfer account "01" (ATI_01OUT "N"). Also sets the frames and
// VIDEO_SET. The density nXPSCRDEN is copied as stored (see NormaliseDensity).
void LoadSettings(const dbf::Table& sys, VarStore& vars, bool colour_display);

// VIDEO_SET (COLOR_SET or MONO_SET) and the frame characters PC_FRAME, CHI_FRAME, FRAME.
void SetDisplayVariables(VarStore& vars, bool colour_display);

}  // namespace zur::startup

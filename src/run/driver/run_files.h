#pragma once
// The files of a checking run, named from the start screen's directories, and the checks that
// they are there before anything is written.
//
// Directories are taken as typed: trimmed, with a separator appended when they do not end in
// one ("/" or "\"); a relative directory is taken from the database directory. Back-office
// files are found whatever the letter case of their names on disk.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/vars/var_store.h"

namespace zur::driver {

struct RunFiles {
  std::string ccass_path;  // CCASS_PATH
  std::string stk_fname;   // STK_FNAME: the CCASS report text file
  std::string sb_path;     // SB_PATH: the back-office data directory
  std::string sys_fname;   // SYS_FNAME: SBSYSFL.DBF
  std::string msg_fname;   // MSG_FNAME: the back-office saved settings "SB.XBS"
  std::string pf_fname;    // PF_FNAME: PFMAST.DBF
  std::string sm_fname;    // SM_FNAME: SMMAST.DBF
  std::string mu_fname;    // MU_FNAME: MGNUNSTL.DBF
  std::string cl_path;     // CL_PATH: the client master's directory (SB_PATH when not given)
  std::string cl_fname;    // CL_FNAME: CLMAST.DBF
  std::string sl_fname;    // SL_FNAME: SLMAST.DBF, only with a stock location account
  std::string sbf_path;    // SBF_PATH: the finance company's directory, or ""
  std::string pff_fname;   // PFF_FNAME, "" without the finance directory
  std::string muf_fname;   // MUF_FNAME, "" without the finance directory
};

// `dir` trimmed, with "/" appended when it is not empty and ends in neither "/" nor "\";
// backslashes become "/".
std::string DirectoryPrefix(std::string_view dir);

// The file names from CCASS_DIR, STK_FILE, SB_DIR, CL_DIR, SBF_DIR, MSG_EXT and EX_SLATI.
RunFiles NameRunFiles(const VarStore& vars);

// Sets the memory variables of the same names.
void StoreRunFiles(const RunFiles& files, VarStore& vars);

// Where a run file is on disk: relative names are taken from `data_dir`; a file missing under
// its name is looked up ignoring letter case. "" stays "".
std::filesystem::path OnDisk(const std::filesystem::path& data_dir, std::string_view name);

// The failed input check: its message, and whether it ends the program rather than returning
// to the main menu.
struct InputCheckFailure {
  std::string message;
  bool ends_program = false;
};

// The input checks in their order; nothing when every file is there.
std::optional<InputCheckFailure> CheckInputFiles(const RunFiles& files,
                                                 const std::filesystem::path& data_dir,
                                                 bool location_master_used);

}  // namespace zur::driver

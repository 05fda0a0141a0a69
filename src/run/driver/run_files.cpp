#include "run/driver/run_files.h"

#include <sys/stat.h>

#include <system_error>

#include "lib/text/trim_pad.h"
#include "platform/dbf/file_util.h"
#include "platform/vars/file_io.h"

namespace zur::driver {
namespace fs = std::filesystem;

namespace {

std::string Text(const VarStore& vars, std::string_view name) {
  const Value* v = vars.Find(name);
  return v != nullptr && v->IsChar() ? v->str() : std::string();
}

bool Exists(const fs::path& data_dir, std::string_view name) {
  std::error_code ec;
  const fs::path path = OnDisk(data_dir, name);
  return !path.empty() && fs::is_regular_file(path, ec);
}

// What stands under the name when it is there but is no regular file ("A CHARACTER DEVICE"),
// else "".
std::string NotAFile(const fs::path& data_dir, std::string_view name) {
  const fs::path path = OnDisk(data_dir, name);
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return "";
  return text::Upper(FileKindText(st.st_mode));
}

}  // namespace

std::string DirectoryPrefix(std::string_view dir) {
  std::string out(text::AllTrim(dir));
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  if (!out.empty() && out.back() != '/') out += '/';
  return out;
}

RunFiles NameRunFiles(const VarStore& vars) {
  RunFiles f;
  f.ccass_path = DirectoryPrefix(Text(vars, "CCASS_DIR"));
  f.stk_fname = f.ccass_path + std::string(text::AllTrim(Text(vars, "STK_FILE")));
  f.sb_path = DirectoryPrefix(Text(vars, "SB_DIR"));
  f.sys_fname = f.sb_path + "SBSYSFL.DBF";
  std::string ext = Text(vars, "MSG_EXT");
  if (text::IsBlank(ext)) ext = ".XBS";
  f.msg_fname = f.sb_path + "SB" + std::string(text::AllTrim(ext));
  f.pf_fname = f.sb_path + "PFMAST.DBF";
  f.sm_fname = f.sb_path + "SMMAST.DBF";
  f.mu_fname = f.sb_path + "MGNUNSTL.DBF";
  f.cl_path = DirectoryPrefix(Text(vars, "CL_DIR"));
  if (f.cl_path.empty()) f.cl_path = f.sb_path;
  f.cl_fname = f.cl_path + "CLMAST.DBF";
  if (!text::IsBlank(Text(vars, "EX_SLATI"))) f.sl_fname = f.sb_path + "SLMAST.DBF";
  f.sbf_path = DirectoryPrefix(Text(vars, "SBF_DIR"));
  if (!f.sbf_path.empty()) {
    f.pff_fname = f.sbf_path + "PFMAST.DBF";
    f.muf_fname = f.sbf_path + "MGNUNSTL.DBF";
  }
  return f;
}

void StoreRunFiles(const RunFiles& f, VarStore& vars) {
  vars.Set("CCASS_PATH", f.ccass_path);
  vars.Set("STK_FNAME", f.stk_fname);
  vars.Set("SB_PATH", f.sb_path);
  vars.Set("SYS_FNAME", f.sys_fname);
  vars.Set("MSG_FNAME", f.msg_fname);
  vars.Set("PF_FNAME", f.pf_fname);
  vars.Set("SM_FNAME", f.sm_fname);
  vars.Set("MU_FNAME", f.mu_fname);
  vars.Set("CL_PATH", f.cl_path);
  vars.Set("CL_FNAME", f.cl_fname);
  vars.Set("SL_FNAME", f.sl_fname);
  vars.Set("SBF_PATH", f.sbf_path);
  vars.Set("PFF_FNAME", f.pff_fname);
  vars.Set("MUF_FNAME", f.muf_fname);
}

fs::path OnDisk(const fs::path& data_dir, std::string_view name) {
  if (name.empty()) return {};
  fs::path path(name);
  if (path.is_relative()) path = data_dir / path;
  return dbf::ResolveCaseInsensitive(path);
}

std::optional<InputCheckFailure> CheckInputFiles(const RunFiles& f, const fs::path& data_dir,
                                                 bool location_master_used) {
  const std::string retry = " !  PLEASE RE-TRY !";
  struct Check {
    const std::string& file;
    std::string message;
    const char* label;  // what the file is, for a name that is there but is no file
    bool ends_program = false;
  };
  const Check checks[] = {
      {f.stk_fname, "ERROR: STOCK REPORT FILE NOT FOUND !  PLEASE RE-TRY !", "STOCK REPORT FILE"},
      {f.sys_fname, "ERROR: STOCK BROKER SYSTEM FILE NOT FOUND IN " + f.sb_path + retry,
       "STOCK BROKER SYSTEM FILE"},
      {f.msg_fname, "ERROR: MESSAGE FILE NOT FOUND IN " + f.sb_path + retry, "MESSAGE FILE"},
      {f.pf_fname, "ERROR: PORTFOLIO MASTER NOT FOUND IN " + f.sb_path + retry, "PORTFOLIO MASTER"},
      {f.sm_fname, "ERROR: STOCK MASTER NOT FOUND IN " + f.sb_path + retry, "STOCK MASTER"},
      {f.mu_fname, "ERROR: PORTFOLIO UNSETTLED FILE NOT FOUND IN " + f.sb_path + retry,
       "PORTFOLIO UNSETTLED FILE"},
      {f.cl_fname, "ERROR: CLIENT MASTER NOT FOUND IN " + f.cl_path + retry, "CLIENT MASTER"},
  };
  for (const Check& c : checks) {
    if (Exists(data_dir, c.file)) continue;
    // A device or a folder under the name is said to be one, not "not found".
    if (const std::string kind = NotAFile(data_dir, c.file); !kind.empty())
      return InputCheckFailure{
          "ERROR: " + std::string(c.label) + " " + c.file + " IS " + kind + ", NOT A FILE" + retry,
          c.ends_program};
    return InputCheckFailure{c.message, c.ends_program};
  }
  if (location_master_used && !Exists(data_dir, f.sl_fname)) {
    return InputCheckFailure{
        "ERROR: STOCK LOCATION MASTER NOT FOUND IN SB DATA DIRECTORY !  PLEASE CHECK !", true};
  }
  if (!f.sbf_path.empty()) {
    if (!Exists(data_dir, f.pff_fname)) {
      return InputCheckFailure{
          "ERROR: PORTFOLIO MASTER NOT FOUND IN FINANCE SB DATA DIRECTORY !  PLEASE RE-TRY !"};
    }
    if (!Exists(data_dir, f.muf_fname)) {
      return InputCheckFailure{
          "ERROR: PORTFOLIO UNSETTLED FILE NOT FOUND IN FINANCE SB DATA DIRECTORY !  PLEASE "
          "RE-TRY !"};
    }
  }
  return std::nullopt;
}

}  // namespace zur::driver

#include "run/driver/run_preparation.h"

#include <string>

#include "app/startup/settings_write.h"
#include "app/upgrade/check_dbf.h"
#include "lib/format/account_code.h"
#include "lib/text/trim_pad.h"
#include "platform/vars/whole_number.h"
#include "run/driver/backoffice_settings.h"
#include "run/driver/run_options.h"
#include "run/driver/stop.h"
#include "run/driver/upload_names.h"

namespace zur::driver {
namespace fs = std::filesystem;

namespace {

std::string Trimmed(const Value& v) {
  return std::string(text::AllTrim(v.StrOr()));
}

void DefaultLogical(VarStore& vars, std::string_view name) {
  if (vars.Type(name) != 'L') vars.Set(name, false);
}

fs::path InDataDir(const fs::path& data_dir, const std::string& name) {
  const fs::path p(name);
  return p.is_relative() ? data_dir / p : p;
}

// A file number as the upload header writes it (4 digits); -1, which the settings check
// refuses, for anything else (a NaN from a memory file, a negative or a huge number).
int FileNumber(const VarStore& vars, std::string_view name) {
  return IntegerIn(vars.Get(name).NumOr(1), 0, upload::kMaxFileNumber).value_or(-1);
}

void TakeUploadNames(dbf::WorkAreas& areas, VarStore& vars, run::Operator& op) {
  WithTableErrors(op, [&] {
    dbf::Table* sys = areas.Find("SYS");
    if (sys == nullptr) throw dbf::Error(dbf::ErrorKind::kUsage, "the settings table is not open");
    vars.Set("ATI_TEXT", Trimmed(sys->Get("ATITEXT")));
    vars.Set("STI_TEXT", Trimmed(sys->Get("STITEXT")));
    vars.Set("PART_ID", sys->Get("PARTID"));
    vars.Set("SEND_BIC", sys->FieldIndex("SENDBIC") >= 0 ? sys->Get("SENDBIC") : Value(""));
  });
  vars.Set("CR_LF", "\r\n");
  DefaultLogical(vars, "BANK_TRADE");
  DefaultLogical(vars, "CC_READY");
}

void RestoreVersionBytes(const RunFiles& f, const fs::path& data_dir) {
  std::vector<std::string> names = {f.sys_fname, f.pf_fname, f.sm_fname, f.mu_fname, f.cl_fname};
  if (!f.sl_fname.empty()) names.push_back(f.sl_fname);
  if (!f.sbf_path.empty()) {
    names.push_back(f.pff_fname);
    names.push_back(f.muf_fname);
  }
  for (const std::string& name : names) upgrade::CheckDbf(OnDisk(data_dir, name).string(), false);
}

void ReadTradeDates(const RunFiles& f, const fs::path& data_dir, dbf::WorkAreas& areas,
                    VarStore& vars, run::Operator& op) {
  WithTableErrors(op, [&] {
    areas.Select(0);
    dbf::Table& sys = areas.Use(OnDisk(data_dir, f.sys_fname), "SBSYS", dbf::Share::kShared,
                                dbf::Access::kReadOnly);
    sys.GoTop();
    for (const auto& [var, field] :
         {std::pair{"TRAN_DATE", "TR_DATE"}, std::pair{"NTRAN_DATE", "NTR_DATE"},
          std::pair{"SETL_DATE", "ST_DATE"}}) {
      const int at = sys.FieldIndex(field);
      if (at < 0 || sys.fields()[at].type != 'D') {
        throw dbf::Error(dbf::ErrorKind::kDamaged,
                         sys.path().string() + ": no date field " + std::string(field));
      }
      vars.Set(var, sys.Get(at));
    }
    if (sys.RecCount() == 0 || vars.Get("TRAN_DATE").date().IsBlank()) {
      throw dbf::Error(dbf::ErrorKind::kDamaged, sys.path().string() + ": no trade date");
    }
    areas.Close("SBSYS");
  });
}

}  // namespace

upload::UploadSettings UploadSettingsFromVars(const VarStore& vars, const fs::path& data_dir) {
  upload::UploadSettings s;
  s.is_ccass3 = vars.Get("IS_CCASS3").IsTrue();
  s.eight_char_accounts = format::Ccass0705(vars);
  s.zur_file_no = FileNumber(vars, "ATI_FILENO");
  s.sti_file_no = FileNumber(vars, "STI_FILENO");
  s.part_id = std::string(vars.Get("PART_ID").StrOr());
  s.send_bic = std::string(vars.Get("SEND_BIC").StrOr());
  s.own_ref = std::string(text::RTrim(vars.Get("OWN_REF").StrOr()));
  s.gen_date = vars.Get("GEN_DATE").IsDate() ? vars.Get("GEN_DATE").date() : Date();
  s.zur_path = InDataDir(data_dir, std::string(vars.Get("ATI_TEXT").StrOr()));
  s.sti_path = InDataDir(data_dir, std::string(vars.Get("STI_TEXT").StrOr()));
  s.publish_marker = data_dir / upload::kPublishMarker;
  const Value charset = vars.Get("CAS3_CHAR");
  if (charset.IsChar() && !charset.str().empty()) s.ccass3_charset = charset.str();
  return s;
}

std::unique_ptr<upload::UploadWriter> PrepareRun(RunFiles& files, const fs::path& data_dir,
                                                 VarStore& vars, dbf::WorkAreas& areas,
                                                 run::Operator& op,
                                                 const upload::StepHook& upload_steps) {
  // A run killed while it put its upload files in place may have left one without the other.
  for (const std::string& warning :
       upload::RecoverInterruptedPublish(data_dir / upload::kPublishMarker))
    op.BlinkingWarning(warning);

  const startup::SettingsWriteResult written = startup::WriteRunInputsBack(vars, areas);
  if (!written.ok()) Stop(op, "ERROR: " + written.error);

  const std::string loaded =
      LoadBackOfficeSettings(OnDisk(data_dir, files.msg_fname).string(), vars);
  if (!loaded.empty()) Stop(op, loaded);

  SetRunOptions(vars);
  if (vars.Get("SBF3_USER").IsTrue()) {
    files.sbf_path.clear();
    files.pff_fname.clear();
    files.muf_fname.clear();
    StoreRunFiles(files, vars);
  }
  TakeUploadNames(areas, vars, op);
  RestoreVersionBytes(files, data_dir);
  ReadTradeDates(files, data_dir, areas, vars, op);
  SetLayoutSwitches(vars);

  // The settings are checked before any upload file is made; the writer then makes both
  // files with their headers.
  const upload::UploadSettings settings = UploadSettingsFromVars(vars, data_dir);
  if (auto refused = upload::CheckUploadSettings(settings)) Stop(op, *refused);
  // The names as the settings record now holds them, once more before anything is removed.
  const fs::path sti_path = settings.eight_char_accounts ? settings.sti_path : fs::path();
  if (auto refused =
          CheckUploadNames(settings.zur_path, sti_path, FilesTheRunKeeps(files, data_dir)))
    Stop(op, *refused);
  for (const fs::path& upload_path : {settings.zur_path, sti_path})
    for (const fs::path& left : upload::RemoveStaleTempFiles(upload_path))
      op.ProgressLine("Removed " + left.string() + ", left by a run that was stopped");
  std::unique_ptr<upload::UploadWriter> writer;
  try {
    writer = std::make_unique<upload::UploadWriter>(settings, upload::WriteBytesFn{}, upload_steps);
  } catch (const upload::UploadError& e) {
    if (!e.reason().empty()) op.ProgressLine(e.reason());  // which file, and why
    op.MessageLineAndWait(e.what());
    throw run::RunStopped(e.what());
  }
  for (const char* counter : {"STK_CKSUM", "QTY_CKSUM", "ALL_CKSUM", "ATI_CTR", "SSTK_CKSUM",
                              "SQTY_CKSUM", "SALL_CKSUM", "STI_CTR"}) {
    vars.Set(counter, 0);
  }
  vars.Set("IDX_EXT", "+");
  return writer;
}

}  // namespace zur::driver

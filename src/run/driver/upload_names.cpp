#include "run/driver/upload_names.h"

#include <sys/stat.h>

#include <array>
#include <string_view>
#include <system_error>

#include "app/startup/directory_check.h"
#include "app/startup/layout_date.h"
#include "app/startup/settings_record.h"
#include "app/upgrade/delete_index.h"
#include "lib/text/trim_pad.h"
#include "run/driver/run_tables.h"
#include "run/upload/upload_writer.h"

namespace zur::driver {
namespace fs = std::filesystem;
namespace {

// The program's own files in the database directory.
constexpr std::array<std::string_view, 4> kOwnTables = {"ATISYSFL", "RPINFO", "RPOPTN", "ATIMAST"};
// Index files: the stale ones start-up removes and those the run's orders are named after.
constexpr std::array<std::string_view, 9> kIndexNames = {
    "ATIMAST", "PFMAST", "SMMAST", "CLMAST", "MGNUNSTL", "HOLIDAY", "SMNO", "SLNO", "FILESTRU"};
constexpr std::array<std::string_view, 4> kOtherOwnFiles = {"ZUR.INI", "ati.conf", "ATIConfig.dat",
                                                            "FILESTRU.DBF"};
// An upload file is a text file: these are the extensions of tables, indexes and memory files.
constexpr std::array<std::string_view, 9> kNotUploadExtensions = {
    ".DBF", ".DBT", ".NSX", ".NTX", ".CDX", ".IDX", ".MDX", ".XBS", ".MEM"};

// A file as the check compares it.
struct Identity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string folded;  // absolute, normalised, links of the existing part resolved, upper case
};

Identity IdentityOf(const fs::path& path) {
  Identity id;
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec) absolute = path;
  fs::path resolved = fs::weakly_canonical(absolute, ec);
  if (ec) resolved = absolute.lexically_normal();
  id.folded = text::Upper(resolved.string());
  struct stat st {};
  if (::stat(absolute.c_str(), &st) == 0) {
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
  }
  return id;
}

bool SameFile(const Identity& a, const Identity& b) {
  if (a.exists && b.exists && a.device == b.device && a.inode == b.inode) return true;
  return a.folded == b.folded;
}

std::string Refusal(std::string_view which, const fs::path& name, const std::string& what) {
  return "ERROR: The " + std::string(which) + " upload file " + name.string() + " would replace " +
         what + " ! Please give the upload file another name.";
}

}  // namespace

std::vector<KeptFile> FilesTheRunKeeps(const RunFiles& f, const fs::path& data_dir) {
  std::vector<KeptFile> kept;
  auto add = [&](const fs::path& path, std::string what) {
    if (!path.empty()) kept.push_back({path, std::move(what) + " (" + path.string() + ")"});
  };
  auto add_table = [&](std::string_view name, const std::string& what) {
    if (name.empty()) return;
    const fs::path table = OnDisk(data_dir, name);
    add(table, what);
    fs::path memo = table;
    add(OnDisk(data_dir, memo.replace_extension(".DBT").string()), what + "'s memo file");
  };
  add(OnDisk(data_dir, f.stk_fname), "the CCASS report file");
  add(OnDisk(data_dir, f.msg_fname), "the back office's memory file");
  add(OnDisk(data_dir, f.sb_path + kMappingFile), "the stock code mapping file");
  add_table(f.sys_fname, "the back office's system file");
  add_table(f.pf_fname, "the portfolio master");
  add_table(f.sm_fname, "the stock master");
  add_table(f.mu_fname, "the unsettled trades table");
  add_table(f.cl_fname, "the client master");
  add_table(f.sl_fname, "the stock location master");
  add_table(f.pff_fname, "the finance portfolio master");
  add_table(f.muf_fname, "the finance unsettled trades table");
  for (std::string_view table : kOwnTables)
    add_table(std::string(table) + ".DBF", table == startup::kSettingsTable
                                               ? std::string("the settings table")
                                               : "the program's table " + std::string(table));
  add(OnDisk(data_dir, startup::kSavedVarsName), "the program's memory file");
  for (std::string_view index : kIndexNames)
    add(OnDisk(data_dir, std::string(index) + std::string(upgrade::kIndexExtension)),
        "an index file");
  for (std::string_view name : kOtherOwnFiles) add(OnDisk(data_dir, name), "a file of the program");
  add(OnDisk(data_dir, startup::kLibraryMarker), "a file of the program");
  add(OnDisk(data_dir, startup::kLayoutDateFile), "a file of the program");
  add(OnDisk(data_dir, upload::kPublishMarker), "the upload files' publish marker");
  return kept;
}

std::optional<std::string> CheckUploadNames(const fs::path& zur, const fs::path& sti,
                                            const std::vector<KeptFile>& kept) {
  struct Upload {
    std::string_view which;
    const fs::path& path;
  };
  const Upload uploads[] = {{"ZUR", zur}, {"STI", sti}};
  for (const Upload& upload : uploads) {
    if (upload.path.empty()) continue;
    const Identity id = IdentityOf(upload.path);
    for (const KeptFile& file : kept)
      if (SameFile(id, IdentityOf(file.path))) return Refusal(upload.which, upload.path, file.what);
    const std::string extension = text::Upper(upload.path.extension().string());
    for (std::string_view refused : kNotUploadExtensions)
      if (extension == refused)
        return "ERROR: The " + std::string(upload.which) + " upload file " + upload.path.string() +
               " has the name of a table, an index or a memory file (" + extension +
               ") ! Please give the upload file another name.";
  }
  if (!zur.empty() && !sti.empty() && SameFile(IdentityOf(zur), IdentityOf(sti)))
    return "ERROR: The ZUR upload file " + zur.string() + " and the STI upload file " +
           sti.string() +
           " are one file: the ZUR and STI upload files need two names. Please "
           "check the settings.";
  return std::nullopt;
}

}  // namespace zur::driver

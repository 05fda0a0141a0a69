#include "segac/client_master.h"

#include "app/upgrade/flconv.h"

namespace zur::segac {
namespace {

constexpr int kSegacWidth = 8;

bool HasSegregatedField(const dbf::Table& table) {
  const int at = table.FieldIndex("LSEGAC");
  return at >= 0 && table.fields()[static_cast<size_t>(at)].type == 'C' &&
         table.fields()[static_cast<size_t>(at)].length >= kSegacWidth;
}

// The index of a character field, or -1 (`missing` names it) when there is none.
int CharField(const dbf::Table& table, std::string_view name, std::string& missing) {
  const int at = table.FieldIndex(name);
  if (at >= 0 && table.fields()[static_cast<size_t>(at)].type == 'C') return at;
  if (missing.empty()) missing = std::string(name);
  return -1;
}

dbf::Table& OpenShared(dbf::WorkAreas& areas, const std::filesystem::path& file) {
  areas.Select(0);
  return areas.Use(file, kClientAlias, dbf::Share::kShared);
}

}  // namespace

ClientMasterOpen OpenClientMaster(dbf::WorkAreas& areas, const std::filesystem::path& file,
                                  upgrade::UpgradeConsole& console) {
  ClientMasterOpen out;
  try {
    dbf::Table* table = &OpenShared(areas, file);
    if (!HasSegregatedField(*table)) {
      areas.Close(kClientAlias);
      std::string name = file.string();
      name.resize(name.size() - file.extension().string().size());
      const upgrade::UpgradeResult up = upgrade::Flconv(name, console);
      switch (up.status) {
        case upgrade::UpgradeStatus::kInUse:
          out.message = "ERROR: " + file.string() +
                        " is in use by another user: its segregated A/C field cannot be added "
                        "now, please re-try later !";
          return out;
        case upgrade::UpgradeStatus::kQuit:  // the message was shown and the key awaited
          return out;
        case upgrade::UpgradeStatus::kFailed:
          console.WaitKey(upgrade::kPressAnyKey);
          return out;
        default:
          break;
      }
      table = &OpenShared(areas, file);
    }
    std::string missing;
    const ClientFields fields{
        CharField(*table, "LACCT", missing), CharField(*table, "LNAME", missing),
        CharField(*table, "LNAME2", missing), CharField(*table, "LSEGAC", missing)};
    if (!missing.empty() || !HasSegregatedField(*table)) {
      areas.Close(kClientAlias);
      out.message = "ERROR: " + file.string() + " has no character field " +
                    (missing.empty() ? std::string("LSEGAC") : missing) + " !";
      return out;
    }
    out.table = table;
    out.fields = fields;
  } catch (const dbf::Error& e) {
    areas.Close(kClientAlias);
    out.message = e.kind() == dbf::ErrorKind::kInUse
                      ? std::string(kCannotOpen)
                      : std::string(kCannotOpen) + " (" + e.what() + ")";
  }
  return out;
}

void BuildClientOrders(dbf::Table& clients, const std::function<void(int percent)>& percent) {
  clients.ClearOrders();
  const dbf::Progress progress = [&percent](uint64_t done, uint64_t total) {
    if (percent && total > 0) percent(static_cast<int>(done * 100 / total));
  };
  clients.CreateOrder("CLMAST", "LACCT", progress);
  clients.CreateOrder("CLSEGAC", "LSEGAC+LACCT", progress);
  clients.CreateOrder("CLNAME", "UPPER(LNAME)", progress);
  clients.SetOrder(1);
}

}  // namespace zur::segac

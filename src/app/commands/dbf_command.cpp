#include "app/commands/dbf_command.h"

#include <filesystem>
#include <memory>
#include <string_view>

#include <fmt/format.h>

#include "app/commands/csv_field.h"
#include "platform/dbf/table.h"

namespace zur::commands {
namespace {

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

std::unique_ptr<dbf::Table> OpenForReading(const std::string& file) {
  try {
    return dbf::Table::Open(file, dbf::Share::kShared, dbf::Access::kReadOnly);
  } catch (const dbf::Error& e) {
    const bool bare = std::filesystem::path(file).extension().empty();
    if (e.kind() != dbf::ErrorKind::kNotFound || !bare) throw;
  }
  return dbf::Table::Open(file + ".DBF", dbf::Share::kShared, dbf::Access::kReadOnly);
}

void PrintStructure(const dbf::Table& table, std::ostream& out) {
  for (const dbf::FieldSpec& f : table.fields())
    out << fmt::format("{:<10} {} {:>3} {:>2}\n", f.name, f.type, f.length, f.decimals);
}

void PrintRecords(dbf::Table& table, std::ostream& out) {
  const auto& fields = table.fields();
  out << "DEL";
  for (const dbf::FieldSpec& f : fields) out << ',' << CsvField(f.name);
  out << '\n';
  const uint32_t count = table.RecCount();
  for (uint32_t recno = 1; recno <= count; ++recno) {
    table.GoTo(recno);
    out << (table.Deleted() ? "*" : "");
    for (size_t i = 0; i < fields.size(); ++i) {
      std::string_view raw = TrimRight(table.Raw(static_cast<int>(i)));
      if (fields[i].type != 'C') raw = TrimLeft(raw);
      out << ',' << CsvField(raw);
    }
    out << '\n';
  }
}

}  // namespace

int DbfCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: zur dbf FILE\n";
    return 2;
  }
  try {
    auto table = OpenForReading(args[0]);
    PrintStructure(*table, out);
    out << '\n';
    PrintRecords(*table, out);
    out << std::flush;
    return 0;
  } catch (const dbf::Error& e) {
    err << "zur dbf: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace zur::commands

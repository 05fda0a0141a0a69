#pragma once
// A client master of a few clients for the maintenance's tests, names in Big5.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/big5/big5_text.h"
#include "platform/dbf/table.h"
#include "platform/dbf/tests/temp_dir.h"

namespace zur::segac::testing {

struct Client {
  const char* acct;
  const char* name;  // UTF-8 in the test, Big5 in the table
  const char* name2;
  const char* segac;
  bool deleted = false;
};

inline void WriteClients(const std::filesystem::path& file, const std::vector<Client>& clients,
                         bool with_segac = true) {
  std::vector<dbf::FieldSpec> fields = {
      {"LACCT", 'C', 10, 0}, {"LNAME", 'C', 30, 0}, {"LNAME2", 'C', 30, 0}};
  if (with_segac) fields.push_back({"LSEGAC", 'C', 8, 0});
  dbf::Table::Create(file, fields);
  auto t = dbf::Table::Open(file, dbf::Share::kExclusive);
  for (const Client& c : clients) {
    t->Append();
    t->Replace("LACCT", Value(c.acct));
    t->Replace("LNAME", Value(big5::Utf8ToBig5(c.name)));
    t->Replace("LNAME2", Value(big5::Utf8ToBig5(c.name2)));
    if (with_segac) t->Replace("LSEGAC", Value(c.segac));
    if (c.deleted) t->Delete();
  }
}

}  // namespace zur::segac::testing

#include "run/position/input_fields.h"

#include <cmath>

namespace zur::position {
namespace {

std::string_view TypeName(char type) {
  switch (type) {
    case 'N':
      return "numeric";
    case 'D':
      return "date";
    default:
      return "character";
  }
}

// A damaged numeric field must not carry a NaN or infinity into the totals.
double Number(const Value& v) {
  return v.IsNum() && std::isfinite(v.num()) ? v.num() : 0;
}

Date DateOf(const Value& v) {
  return v.IsDate() ? v.date() : Date();
}

}  // namespace

int RequireField(const dbf::Table& table, std::string_view name, char type) {
  const int field = table.FieldIndex(name);
  if (field < 0)
    throw InputError("ERROR: " + table.path().string() + " has no field " + std::string(name) +
                     " ! Please check the file.");
  if (table.fields()[static_cast<size_t>(field)].type != type)
    throw InputError("ERROR: field " + std::string(name) + " of " + table.path().string() +
                     " is not " + std::string(TypeName(type)) + " ! Please check the file.");
  return field;
}

int OptionalField(const dbf::Table& table, std::string_view name, char type) {
  const int field = table.FieldIndex(name);
  if (field < 0 || table.fields()[static_cast<size_t>(field)].type != type) return -1;
  return field;
}

std::string TextField(const dbf::Table& table, int field) {
  if (field < 0) return {};
  Value v = table.Get(field);
  return v.IsChar() ? v.str() : std::string();
}

double NumberField(const dbf::Table& table, int field) {
  return field < 0 ? 0 : Number(table.Get(field));
}

Date DateField(const dbf::Table& table, int field) {
  return field < 0 ? Date() : DateOf(table.Get(field));
}

std::string_view TextField(const dbf::RecordView& record, int field) {
  return record.Field(field);
}

double NumberField(const dbf::RecordView& record, int field) {
  return field < 0 ? 0 : Number(record.Get(field));
}

Date DateField(const dbf::RecordView& record, int field) {
  return field < 0 ? Date() : DateOf(record.Get(field));
}

}  // namespace zur::position

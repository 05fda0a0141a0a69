#pragma once
// Fields of the back-office tables looked up once per pass, with a message naming the file
// when a table lacks one or holds it with another type.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/dbf/record_scan.h"
#include "platform/dbf/table.h"

namespace zur::position {

// A back-office table that cannot serve the position build; the message names the file.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The field's number; InputError when it is missing or not of `type` ('C', 'N', 'D').
int RequireField(const dbf::Table& table, std::string_view name, char type);
// The field's number, or -1 when the table has no such field of `type`.
int OptionalField(const dbf::Table& table, std::string_view name, char type);

// Readers of a field by number that never fail on a blank or missing (-1) field.
std::string TextField(const dbf::Table& table, int field);
double NumberField(const dbf::Table& table, int field);
Date DateField(const dbf::Table& table, int field);

// The same for a record read in a scan or a copy of a table; a text as stored.
std::string_view TextField(const dbf::RecordView& record, int field);
double NumberField(const dbf::RecordView& record, int field);
Date DateField(const dbf::RecordView& record, int field);

}  // namespace zur::position

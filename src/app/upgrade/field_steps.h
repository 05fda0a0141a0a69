#pragma once
// The field steps of the structure upgrade: each compares one required field with a table's
// structure (held in memory as a field list) and brings the structure to it.
//
//   character: found -> width set to the required one (narrower or wider); missing -> appended
//   numeric:   found -> width and decimals only ever grow to the required ones; missing ->
//              appended
//   date:      found -> nothing; missing -> appended (D 8)
//   found with another type: kWrongType, the structure is not touched.

#include <string>
#include <string_view>
#include <vector>

#include "app/upgrade/required_fields.h"
#include "platform/dbf/table.h"

namespace zur::upgrade {

using Structure = std::vector<dbf::FieldSpec>;

enum class StepResult { kSame, kChanged, kWrongType };

StepResult ApplyRequiredField(Structure& structure, const RequiredField& field);

StepResult CtLocate(Structure& structure, std::string_view name, int width);
StepResult NtLocate(Structure& structure, std::string_view name, int width, int decimals);
StepResult DtLocate(Structure& structure, std::string_view name);

// The console line for a required field found with another type.
std::string WrongTypeMessage(std::string_view table, std::string_view field, char type);

}  // namespace zur::upgrade

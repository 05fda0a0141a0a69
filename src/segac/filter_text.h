#pragma once
// The filter of the client segregated account maintenance as expression text (FILTER_STR):
// a condition for each value the operator typed. A typed value goes into the text as a
// literal whose value is exactly its bytes, whatever they are: a Big5 name may have "]" or
// "[" as the second byte of a character, and a name may hold quotes.

#include <string>
#include <string_view>

namespace zur::segac {

// An expression that evaluates to `value`: "value", or where the value holds double quotes,
// the pieces between them joined with '"' ("AB"+'"'+"C").
std::string TextLiteral(std::string_view value);

// CATFILTC: when the right-trimmed value is not empty, appends `field=<value>` (a field that
// begins with the value matches), joined to what `filter` holds by " .AND. ".
void CatFiltC(std::string& filter, std::string_view field, std::string_view value);

// When the right-trimmed name is not empty, appends the name condition: the name upper-cased
// within UPPER(LNAME) or UPPER(LNAME2), or as typed within LNAME or LNAME2.
void CatNameFilter(std::string& filter, std::string_view name);

}  // namespace zur::segac

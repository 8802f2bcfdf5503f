// The fields of one CSV line: splitting with quotes, the separator a file uses, and a column
// chosen by header name or number.
//   SplitFields("a,\"b,c\", d", ',')  -> {"a", "b,c", "d"}
//   SeparatorOf("", "time;level")     -> ';'
//   ColumnOf("2", {}, 3, "")          -> 1
//   ParseDecimalComma("1.234,5")      -> 1234.5
#ifndef CORVIXMATH_TOOLS_CSV_FIELDS_H
#define CORVIXMATH_TOOLS_CSV_FIELDS_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvix_tool {

// The text without blanks (spaces, tabs, carriage returns) at either end.
std::string Trimmed(const std::string& text);
std::string_view TrimmedView(std::string_view text);

// Digits only, at most `most` of them; false for an empty text or any other character.
bool ParseDigits(const std::string& text, std::size_t most, long long& value);

// A number written with a decimal comma ("1,5", "-0,25", "1.234,5" with thousands points, "1e3");
// false for any other text, such as "1.5" or "1.23,4".
bool ParseDecimalComma(const std::string& text, double& value);

// One line's fields, each trimmed; a field in double quotes may hold the separator ("" stands
// for ").
std::vector<std::string> SplitFields(const std::string& line, char separator);

// The separator chosen (",", ";", "tab"), or with no choice the one the first line uses: a tab,
// else a semicolon, else a comma. BadInput for any other choice.
char SeparatorOf(const std::string& choice, const std::string& firstLine);

// A column chosen by header name or by number (1 is the first column), as an index; BadInput
// starting with `where` when there is none.
std::size_t ColumnOf(const std::string& choice, const std::vector<std::string>& header,
                     std::size_t columns, const std::string& where);

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_CSV_FIELDS_H

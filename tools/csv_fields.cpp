// The fields of one CSV line, the separator and the columns a user chooses.
#include "csv_fields.h"

#include "tool.h"

namespace corvix_tool {

std::string_view TrimmedView(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Trimmed(const std::string& text) {
  return std::string(TrimmedView(text));
}

bool ParseDigits(const std::string& text, std::size_t most, long long& value) {
  if (text.empty() || text.size() > most) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool ParseDecimalComma(const std::string& text, double& value) {
  const std::size_t comma = text.find(',');
  if (comma != text.rfind(',')) return false;
  const std::string whole = text.substr(0, comma);
  const std::size_t digits = whole.find_first_of("0123456789");
  std::string english = whole.substr(0, digits);  // a sign
  // Thousands points stand between groups of three digits after a first of one to three.
  std::size_t groupStart = digits;
  for (std::size_t point = whole.find('.'); point != std::string::npos;
       point = whole.find('.', point + 1)) {
    const std::size_t length = point - groupStart;
    if (digits == std::string::npos || point < digits || length < 1 || length > 3 ||
        (groupStart != digits && length != 3))
      return false;
    english += whole.substr(groupStart, length);
    groupStart = point + 1;
  }
  if (groupStart != digits &&
      (whole.size() - groupStart != 3 ||
       whole.find_first_not_of("0123456789", groupStart) != std::string::npos))
    return false;
  english += digits == std::string::npos ? "" : whole.substr(groupStart);
  if (comma != std::string::npos) english += "." + text.substr(comma + 1);
  return ParseNumberNoThrow(english, value);
}

std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == separator) {
      fields.push_back(Trimmed(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(Trimmed(field));
  return fields;
}

char SeparatorOf(const std::string& choice, const std::string& firstLine) {
  if (choice == "," || choice == ";") return choice[0];
  if (choice == "tab" || choice == "\t") return '\t';
  if (!choice.empty()) throw BadInput("--separator takes ',', ';' or 'tab': '" + choice + "'");
  if (firstLine.find('\t') != std::string::npos) return '\t';
  if (firstLine.find(';') != std::string::npos) return ';';
  return ',';
}

std::size_t ColumnOf(const std::string& choice, const std::vector<std::string>& header,
                     std::size_t columns, const std::string& where) {
  long long number = 0;
  if (ParseDigits(choice, 6, number)) {
    if (number < 1 || static_cast<std::size_t>(number) > columns)
      throw BadInput(where + "there is no column " + choice + " (the file has " +
                     std::to_string(columns) + ")");
    return static_cast<std::size_t>(number - 1);
  }
  for (std::size_t i = 0; i < header.size(); ++i)
    if (header[i] == choice) return i;
  throw BadInput(where +
                 (header.empty() ? "no header line to find the column '" : "no column is named '") +
                 choice + "'");
}

}  // namespace corvix_tool

// The fields of one CSV line, the separator and the columns a user chooses.
#include "csv_fields.h"

#include "tool.h"

namespace corvix_tool {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
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

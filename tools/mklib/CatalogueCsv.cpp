#include "CatalogueCsv.h"

#include <fstream>
#include <sstream>

int CsvTable::column(const std::string& name) const {
  for (std::size_t i = 0; i < header.size(); ++i)
    if (header[i] == name) return static_cast<int>(i);
  return -1;
}

namespace {
// Splits one row; false when a quoted field is not closed on this line.
bool splitRow(const std::string& line, std::vector<std::string>& fields) {
  fields.assign(1, std::string());
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return !quoted;
}
}  // namespace

bool readCsvTable(const std::string& path, CsvTable& table, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot open";
    return false;
  }
  CsvTable parsed;
  std::string line;
  std::vector<std::string> fields;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (!splitRow(line, fields)) {
      error = path + ":" + std::to_string(number) + ": unclosed quote";
      return false;
    }
    if (parsed.header.empty()) {
      parsed.header = fields;
    } else {
      parsed.rows.push_back(fields);
      parsed.rowLines.push_back(number);
    }
  }
  if (in.bad()) {
    error = path + ": read error";
    return false;
  }
  if (parsed.header.empty()) {
    error = path + ": empty file, no header row";
    return false;
  }
  table = std::move(parsed);
  return true;
}

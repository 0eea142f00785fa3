#include "AttributeValueFileWriter.h"

#include <algorithm>
#include <map>

#include "InputExcerpt.h"
#include "LibraryFiles.h"
#include "PresentationLibrary.h"

namespace {
// Meanings are cut well inside the reader's line buffer.
constexpr std::size_t kLongestMeaning = 900;

bool readCode(const std::string& text, int& code) {
  if (text.empty() || text.size() > 9) return false;
  code = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    code = code * 10 + (c - '0');
  }
  return true;
}
}  // namespace

void writeAttributeValueFile(const CsvTable& table, LibraryTextFile& file, int& values) {
  values = 0;
  const int codeColumn = table.column("Code"), idColumn = table.column("ID"), meaningColumn = table.column("Meaning");
  for (const auto& [column, name] : {std::pair{codeColumn, "Code"}, {idColumn, "ID"}, {meaningColumn, "Meaning"}}) {
    if (column < 0) {
      file.setError(std::string("no column \"") + name + "\" in the header row");
      return;
    }
  }
  std::map<int, std::map<int, std::string>> meanings;
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    const std::vector<std::string>& fields = table.rows[row];
    const std::string where = "line " + std::to_string(table.rowLines[row]);
    if (static_cast<std::size_t>(std::max({codeColumn, idColumn, meaningColumn})) >= fields.size()) {
      file.setError(where + ": too few fields");
      return;
    }
    int attribute = 0, value = 0;
    if (!readCode(fields[codeColumn], attribute) || !readCode(fields[idColumn], value)) {
      file.setError(where + ": the codes \"" + inputExcerpt(fields[codeColumn]) + "\", \"" +
                    inputExcerpt(fields[idColumn]) + "\" are not numbers");
      return;
    }
    // A value the table lists without a meaning is left out: it shows as
    // its code, not as nothing.
    std::string meaning = singleLine(fields[meaningColumn], kLongestMeaning);
    if (meaning.find_first_not_of(' ') == std::string::npos) continue;
    meanings[attribute][value] = std::move(meaning);
  }
  file.line("BEGIN");
  file.line("Attribute values from s57expectedinput.csv");
  for (const auto& [attribute, byValue] : meanings) {
    file.line("<");
    file.line("Code: " + std::to_string(attribute));
    for (const auto& [value, meaning] : byValue) {
      file.line(std::to_string(value) + ": " + meaning);
      ++values;
    }
    file.line(">");
  }
}

bool buildAttributeValueFile(const std::string& csvPath, std::string& text, int& values, std::string& error) {
  CsvTable table;
  if (!readCsvTable(csvPath, table, error)) return false;
  LibraryTextFile file;
  writeAttributeValueFile(table, file, values);
  if (!file.error().empty()) {
    error = csvPath + ": " + file.error() + " (writing " + libraryFile(LibraryFileId::AttributeValues).name + ")";
    return false;
  }
  text = file.text();
  return true;
}

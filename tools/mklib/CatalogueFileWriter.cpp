#include "CatalogueFileWriter.h"

#include <initializer_list>

#include "InputExcerpt.h"
#include "LibraryMapping.h"

namespace {
// Label texts; their widths are the columns the readers skip (14, 11, 9, 6).
constexpr const char* kClassLabel = "Object class: ";
constexpr const char* kAttributeLabel = "Attribute: ";
constexpr const char* kAcronymLabel = "Acronym: ";
constexpr const char* kCodeLabel = "Code: ";

// Information lines are cut well inside the readers' line buffer.
constexpr std::size_t kLongestInformation = 900;

bool isCode(const std::string& s) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The columns a table needs, by header name; false (with the file's error
// set) when one is missing.
bool findColumns(const CsvTable& table, std::initializer_list<const char*> names, std::vector<int>& columns,
                 LibraryTextFile& file) {
  columns.clear();
  for (const char* name : names) {
    columns.push_back(table.column(name));
    if (columns.back() < 0) {
      file.setError(std::string("no column \"") + name + "\" in the header row");
      return false;
    }
  }
  return true;
}

// The row's fields in the given columns; false for a row that is too short.
bool rowFields(const CsvTable& table, std::size_t row, const std::vector<int>& columns,
               std::vector<std::string>& fields, LibraryTextFile& file) {
  fields.clear();
  for (int c : columns) {
    if (static_cast<std::size_t>(c) >= table.rows[row].size()) {
      file.setError("line " + std::to_string(table.rowLines[row]) + ": too few fields");
      return false;
    }
    fields.push_back(table.rows[row][c]);
  }
  if (!isCode(fields[0])) {
    file.setError("line " + std::to_string(table.rowLines[row]) + ": the code \"" + inputExcerpt(fields[0]) + "\" is not a number");
    return false;
  }
  return true;
}
}  // namespace

void writeObjectClassFile(const CsvTable& table, LibraryTextFile& file, ConversionReport& report) {
  std::vector<int> columns;
  if (!findColumns(table, {"Code", "ObjectClass", "Acronym", "Attribute_A", "Attribute_B", "Attribute_C", "Class",
                           "Primitives"},
                   columns, file))
    return;
  file.line("BEGIN");
  file.line("Object classes from s57objectclasses.csv");
  std::vector<std::string> f;
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    if (!rowFields(table, row, columns, f, file)) return;
    if (mapping::catalogueCommentRow(f[1])) continue;
    // Written as given: the reader keeps six characters, which for the
    // military layer rows ("airres + catasr") is the class acronym.
    if (f[2].empty()) {
      file.setError("line " + std::to_string(table.rowLines[row]) + ": no acronym");
      return;
    }
    file.line("<");
    file.line(kClassLabel + singleLine(f[1], kLongestInformation));
    file.line(kAcronymLabel + f[2]);
    file.line(kCodeLabel + f[0]);
    file.line("Attribute_A: " + singleLine(f[3], kLongestInformation));
    file.line("Attribute_B: " + singleLine(f[4], kLongestInformation));
    file.line("Attribute_C: " + singleLine(f[5], kLongestInformation));
    file.line("Class: " + singleLine(f[6], 20) + "; primitives: " + singleLine(f[7], 100));
    ++report.objectClasses;
  }
}

void writeAttributeFile(const CsvTable& table, LibraryTextFile& file, ConversionReport& report) {
  std::vector<int> columns;
  if (!findColumns(table, {"Code", "Attribute", "Acronym", "Attributetype", "Class"}, columns, file)) return;
  file.line("BEGIN");
  file.line("Attributes from s57attributes.csv");
  std::vector<std::string> f;
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    if (!rowFields(table, row, columns, f, file)) return;
    if (mapping::catalogueCommentRow(f[1])) continue;
    file.line("<");
    file.line(kAttributeLabel + singleLine(f[1], kLongestInformation));
    file.line(kAcronymLabel + singleLine(f[2], kLongestInformation));
    file.line(kCodeLabel + f[0]);
    file.line("Type: " + singleLine(f[3], 100));
    file.line("Class: " + singleLine(f[4], 100));
    file.line(">");
    ++report.attributes;
  }
}

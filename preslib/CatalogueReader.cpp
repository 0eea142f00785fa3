#include "CatalogueReader.h"

#include <string_view>

#include "LibraryLine.h"
#include "LibraryLineReader.h"

namespace {
constexpr std::string_view kRecordStart = "<\n";
constexpr std::string_view kAttributeRecordEnd = ">\n";

// Label widths before the values; the labels themselves are not read.
constexpr std::size_t kClassNameColumn = 14;
constexpr std::size_t kAttributeNameColumn = 11;
constexpr std::size_t kAcronymColumn = 9;
constexpr std::size_t kClassAcronymLength = 6;
constexpr std::size_t kCodeColumn = 6;

// Reads up to the next "<" line; false at end of file.
bool findRecordStart(LibraryLineReader& reader) {
  std::string_view line;
  while (reader.next(line))
    if (line == kRecordStart) return true;
  return false;
}

// The three value lines after "<", without their line feeds. A line the file
// does not have reads as empty.
struct ValueLines {
  std::string_view name, acronym, code;
};

ValueLines readValueLines(LibraryLineReader& reader) {
  ValueLines v;
  std::string_view line;
  if (reader.next(line)) v.name = withoutLineFeed(line);
  if (reader.next(line)) v.acronym = withoutLineFeed(line);
  if (reader.next(line)) v.code = withoutLineFeed(line);
  return v;
}

bool reaches(const ValueLines& v, std::size_t nameColumn) {
  return v.name.size() >= nameColumn && v.acronym.size() >= kAcronymColumn && v.code.size() >= kCodeColumn;
}
}  // namespace

LibraryResult readObjectClassFile(const std::string& path, ObjectClassCatalogue& catalogue) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  std::string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;
  while (findRecordStart(reader)) {
    const ValueLines v = readValueLines(reader);
    if (!reaches(v, kClassNameColumn)) continue;  // malformed: skip the record
    ObjectClassRecord record;
    record.name = std::string(v.name.substr(kClassNameColumn));
    record.acronym = std::string(v.acronym.substr(kAcronymColumn, kClassAcronymLength));
    record.code = readDecimal(v.code.substr(kCodeColumn));
    catalogue[record.code] = std::move(record);
    for (int i = 0; i < 4; ++i) reader.next(line);  // attribute lists, class and primitives
  }
  return LibraryResult::Ok;
}

LibraryResult readAttributeFile(const std::string& path, AttributeCatalogue& catalogue) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  std::string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;
  while (findRecordStart(reader)) {
    const ValueLines v = readValueLines(reader);
    if (!reaches(v, kAttributeNameColumn)) continue;  // malformed: skip the record
    AttributeRecord record;
    record.name = std::string(v.name.substr(kAttributeNameColumn));
    record.acronym = std::string(v.acronym.substr(kAcronymColumn));
    record.codeText = std::string(v.code.substr(kCodeColumn));
    catalogue[record.codeText] = std::move(record);
    while (reader.next(line) && line != kAttributeRecordEnd) {
    }
  }
  return LibraryResult::Ok;
}

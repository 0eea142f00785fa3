#include "LookupTableReader.h"

#include <string_view>

#include "InstructionParser.h"
#include "LibraryLine.h"
#include "LibraryLineReader.h"

namespace {
using std::string_view;

// Columns of the look-up line.
constexpr std::size_t kClassColumn = 19, kClassLength = 6;
constexpr std::size_t kGeometryColumn = 25;
constexpr std::size_t kPriorityColumn = 26, kPriorityLength = 5;
constexpr std::size_t kRadarColumn = 31;
constexpr std::size_t kTableNameColumn = 32;

constexpr std::size_t kShortestLookupLine = 6;     // shorter ends the file
constexpr std::size_t kShortestWholeLookupLine = 32;
constexpr std::size_t kShortestConditionLine = 12;  // shorter: no condition
constexpr std::size_t kShortestFieldLine = 9;

std::vector<AttributeCondition> parseConditions(string_view line) {
  std::vector<AttributeCondition> conditions;
  if (line.size() >= kShortestConditionLine) {
    const string_view content = fieldContent(line);
    for (std::size_t start = 0; start <= content.size();) {
      std::size_t end = content.find(kUnitSeparator, start);
      if (end == string_view::npos) end = content.size();
      const string_view piece = content.substr(start, end - start);
      if (piece.size() >= 7)
        conditions.push_back({std::string(piece.substr(0, 6)), std::string(piece.substr(6))});
      else if (!piece.empty())
        conditions.push_back({std::string(piece), std::string()});
      start = end + 1;
    }
  }
  if (conditions.empty()) conditions.push_back({"attf", "null"});  // the class's default entry
  return conditions;
}

// Reads the six lines after a terminator. Returns false when the file ends
// or the look-up line is too short to be a record ("stop"); sets `entry` only
// for a well-formed record.
bool readRecord(LibraryLineReader& reader, LookupEntry& entry, bool& wellFormed) {
  string_view lines[6];
  bool present[6] = {};
  for (int i = 0; i < 6; ++i) {
    present[i] = reader.next(lines[i]);
    if (i == 1 && (!present[1] || lines[1].size() < kShortestLookupLine)) return false;
  }
  const string_view lookup = lines[1];
  wellFormed = lookup.size() >= kShortestWholeLookupLine && lines[3].size() >= kShortestFieldLine &&
               lines[4].size() >= kShortestFieldLine && lines[5].size() >= kShortestFieldLine;
  if (!wellFormed) return true;

  entry.className = std::string(columns(lookup, kClassColumn, kClassLength));
  entry.geometryLetter = std::string(columns(lookup, kGeometryColumn, 1));
  entry.displayPriority = readDecimal(columns(lookup, kPriorityColumn, kPriorityLength));
  entry.radarFlag = std::string(columns(lookup, kRadarColumn, 1));
  entry.tableName = lookup.size() >= kTableNameColumn + 2
                        ? std::string(lookup.substr(kTableNameColumn, lookup.size() - kTableNameColumn - 2))
                        : std::string();
  entry.conditions = parseConditions(lines[2]);
  entry.instructions = parseInstructions(fieldContent(lines[3]));
  entry.displayCategoryText = std::string(fieldContent(lines[4]));
  entry.viewingGroup = std::string(fieldContent(lines[5]));
  return true;
}
}  // namespace

int lookupTableOfName(std::string_view tableName) {
  if (tableName == "SYMBOLIZED_BOUNDARIES") return static_cast<int>(LookupTableId::SYMBOLIZED_BOUNDARIES);
  if (tableName == "PLAIN_BOUNDARIES") return static_cast<int>(LookupTableId::PLAIN_BOUNDARIES);
  if (tableName == "SIMPLIFIED") return static_cast<int>(LookupTableId::SIMPLIFIED);
  if (tableName == "PAPER_CHART") return static_cast<int>(LookupTableId::PAPER_CHART);
  if (tableName == "LINES") return static_cast<int>(LookupTableId::LINES);
  return -1;
}

LibraryResult readLookupFile(const std::string& path, std::array<LookupTable, kLookupTableCount>& tables) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;
  reader.next(line);  // the library identification line

  // Records are grouped by consecutive class: a run of one class is one list,
  // registered under the table of the run's first record. A run under an
  // unknown table name is collected in `unregistered` and never used.
  std::string previousClass;
  std::vector<LookupEntry>* current = nullptr;
  std::vector<LookupEntry> unregistered;
  for (;;) {
    do {
      if (!reader.next(line)) return LibraryResult::Ok;
    } while (line != recordTerminator);

    LookupEntry entry;
    bool wellFormed = false;
    if (!readRecord(reader, entry, wellFormed)) return LibraryResult::Ok;
    if (!wellFormed) continue;  // malformed: skip the record

    if (current && entry.className == previousClass) {
      current->push_back(std::move(entry));
      continue;
    }
    previousClass = entry.className;
    const int table = lookupTableOfName(entry.tableName);
    if (table >= 0) {
      current = &tables[table][entry.className];
      current->clear();
    } else {
      unregistered.clear();
      current = &unregistered;
    }
    current->push_back(std::move(entry));
  }
}

#include "LookupFileWriter.h"

#include <algorithm>
#include <map>

#include "CategoryRepair.h"
#include "InputExcerpt.h"
#include "LibraryLine.h"
#include "LibraryMapping.h"
#include "NameRepair.h"

namespace {
constexpr std::string_view kXmlTableOrder[5] = {"Plain", "Symbolized", "Paper", "Simplified", "Lines"};

std::string where(const XmlLookup& l) {
  return "line " + std::to_string(l.sourceLine) + ", look-up of " + inputExcerpt(l.className) + ": ";
}

// The look-up line content: module LU, record id, status NIL, class,
// geometry, priority, radar flag, table name.
bool lookupLine(const XmlLookup& l, int recordId, LibraryTextFile& file, std::string& content) {
  const auto geometry = mapping::geometryLetter(l.type);
  const auto priority = mapping::displayPriorityDigit(l.displayPriority);
  const auto radar = mapping::radarFlag(l.radarPriority);
  const auto table = mapping::lookupTableName(l.tableName);
  if (!geometry) file.setError(where(l) + "unknown geometry type \"" + inputExcerpt(l.type) + "\"");
  else if (!priority) file.setError(where(l) + "unknown display priority \"" + inputExcerpt(l.displayPriority) + "\"");
  else if (!radar) file.setError(where(l) + "unknown radar priority \"" + inputExcerpt(l.radarPriority) + "\"");
  else if (!table) file.setError(where(l) + "unknown table name \"" + inputExcerpt(l.tableName) + "\"");
  if (!geometry || !priority || !radar || !table) return false;
  content = "LU" + file.number5(recordId) + "NIL" + l.className + *geometry + "0000" + *priority + *radar +
            std::string(*table);
  return true;
}

void writeRecord(const XmlLookup& l, int sequence, const DrawingNames& drawings, LibraryTextFile& file,
                 ConversionReport& report) {
  const int recordId = l.rcid >= 0 && l.rcid <= 99999 ? l.rcid : sequence;
  std::string lookup;
  if (!lookupLine(l, recordId, file, lookup)) return;
  const auto mended = mapping::mendedDisplayCategory(l.displayCategory, l.comment);
  const std::string_view xmlCategory = mended ? *mended : std::string_view(l.displayCategory);
  const auto category = mapping::displayCategory(xmlCategory);
  if (!category) {
    file.setError(where(l) + "unknown display category \"" + inputExcerpt(l.displayCategory) + "\"");
    return;
  }
  if (mended) {
    ++report.lookupsWithMendedCategory;
    noteCategoryRepair(report.categories, l.className, l.type, l.tableName, l.comment, l.displayCategory,
                       std::string(*mended), l.sourceLine);
  }
  std::string conditions;
  for (const std::string& code : l.attributeCodes) {
    conditions += code;
    conditions += kUnitSeparator;
  }
  const std::string renamed = mapping::instructionText(l.instruction);
  if (renamed != l.instruction) ++report.lookupsWithRenamedProcedure;
  const std::string instruction = repairDrawingNames(renamed, drawings, l.sourceLine, report.names);
  if (instruction != renamed) ++report.lookupsWithRepairedName;

  file.field("0001", file.number5(sequence));
  file.field("LUPT", lookup);
  file.field("ATTC", conditions);
  file.field("INST", instruction);
  file.field("DISC", *category);
  file.field("LUCM", l.comment);  // the viewing group
  file.terminator();
}
}  // namespace

void writeLookupFile(const std::vector<XmlLookup>& lookups, const DrawingNames& drawings, LibraryTextFile& file,
                     ConversionReport& report) {
  file.line("BEGIN");
  file.field("LBID", "look-up table from chartsymbols.xml");
  file.terminator();

  // Classes of each table in order of first appearance, each with its records.
  struct Table {
    std::vector<std::string> classOrder;
    std::map<std::string, std::vector<const XmlLookup*>> byClass;
  };
  Table tables[5];
  for (int t = 0; t < 5; ++t) {
    for (const XmlLookup& l : lookups) {
      if (l.tableName != kXmlTableOrder[t]) continue;
      if (!mapping::lookupClassFits(l.className)) {
        ++report.lookupsWithLongClassName;
        continue;
      }
      auto& run = tables[t].byClass[l.className];
      if (run.empty()) tables[t].classOrder.push_back(l.className);
      run.push_back(&l);
    }
  }
  // The reader takes a run of consecutive records of one class as one list,
  // under the table of the run's first record: a table that began with the
  // class the table before it ends with would lose those records to it. The
  // classes of a table may come in any order, so such a table begins with
  // its next class instead (or the one before it ends with another).
  Table* previous = nullptr;
  for (Table& table : tables) {
    std::vector<std::string>& order = table.classOrder;
    if (order.empty()) continue;
    if (previous && order.front() == previous->classOrder.back()) {
      std::vector<std::string>& before = previous->classOrder;
      if (order.size() > 1) std::rotate(order.begin(), order.begin() + 1, order.end());
      else if (before.size() > 1) std::swap(before[before.size() - 1], before[before.size() - 2]);
      else file.setError("two look-up tables hold one class each, the same: " + inputExcerpt(order.front()));
    }
    previous = &table;
  }
  int sequence = 0;
  for (Table& table : tables) {
    for (const std::string& className : table.classOrder) {
      for (const XmlLookup* l : table.byClass[className]) {
        writeRecord(*l, ++sequence, drawings, file, report);
        ++report.lookups;
      }
    }
  }
  for (const XmlLookup& l : lookups) {
    bool known = false;
    for (std::string_view name : kXmlTableOrder) known = known || l.tableName == name;
    if (!known) file.setError(where(l) + "unknown table name \"" + inputExcerpt(l.tableName) + "\"");
  }
}

#pragma once
// The walk every S-57 record decoder makes over its record's directory:
// entries 1 to count - 1 in directory order (entry 0, the "0001" record
// identifier field, is never decoded); fewer than two entries decode nothing.
#include <string_view>

#include "ReaderResult.h"
#include "RecordView.h"

// Calls visit(tag, fieldBytes) for each field. Returns Ok, or
// RecordOutOfBounds at the first entry or field that reaches outside the
// record (fields before it have been visited).
template <class Visit>
ReaderResult visitDataFields(const RecordView& record, Visit&& visit) {
  const int count = record.entryCount();
  for (int i = 1; i < count; ++i) {
    DirectoryEntry entry;
    std::string_view field;
    if (!record.entry(i, entry) || !record.field(entry, field)) return ReaderResult::RecordOutOfBounds;
    visit(entry.tag, field);
  }
  return ReaderResult::Ok;
}

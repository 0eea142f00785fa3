#include "FieldDescriptions.h"

#include "FieldSplitter.h"
#include "ReaderResult.h"
#include "RecordView.h"

std::vector<SubfieldDescription> describeSubfields(std::string_view arrayDescriptor,
                                                   std::string_view formatControls) {
  const std::vector<std::string_view> labels = splitField(arrayDescriptor, '!');

  std::string_view formats = formatControls;
  if (!formats.empty() && formats.back() == kFieldTerminator) formats.remove_suffix(1);
  if (!formats.empty() && formats.front() == '(') formats.remove_prefix(1);
  if (!formats.empty() && formats.back() == ')') formats.remove_suffix(1);

  std::vector<SubfieldDescription> pairs;
  size_t label = 0;
  FieldSplitter items(formats, ',');
  for (std::string_view item; label < labels.size() && items.next(item);) {
    int repeat = 1;
    std::string_view format = item;
    if (!item.empty() && item[0] >= '1' && item[0] <= '9') {
      repeat = item[0] - '0';
      format.remove_prefix(1);
    }
    for (int i = 0; i < repeat && label < labels.size(); ++i)
      pairs.emplace_back(std::string(labels[label++]), std::string(format));
  }
  return pairs;
}

ReaderResult parseFieldDescriptions(std::string_view ddr, FieldDescriptionTable& table) {
  table.clear();
  if (ddr.size() < kLeaderLength) return ReaderResult::DescriptiveTooShort;
  const RecordView record(ddr);
  const int count = record.entryCount();
  for (int i = 0; i < count; ++i) {
    DirectoryEntry entry;
    if (!record.entry(i, entry)) return ReaderResult::DescriptiveOutOfBounds;
    if (entry.tag == "0000" || entry.tag == "0001") continue;
    std::string_view text;
    if (!record.field(entry, text)) return ReaderResult::DescriptiveOutOfBounds;
    const std::vector<std::string_view> parts = splitField(text, kUnitTerminator);
    if (parts.size() != 3) continue;
    table[std::string(entry.tag)] = describeSubfields(parts[1], parts[2]);
  }
  return ReaderResult::Ok;
}

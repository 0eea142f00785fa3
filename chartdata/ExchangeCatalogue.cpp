#include "ExchangeCatalogue.h"

#include <algorithm>

#include "DataFields.h"
#include "ReaderResult.h"
#include "S57CellReader.h"
#include "SubfieldCursor.h"

namespace {

// Bytes of a fixed-width format ("A(2)", "I(10)", "b12", "B(40)"); 0 for a
// variable one ("A", "R"), which ends at a unit terminator.
size_t formatWidth(std::string_view format) {
  if (format.size() == 3 && format[0] == 'b') return format[2] >= '1' && format[2] <= '8' ? format[2] - '0' : 0;
  const size_t open = format.find('(');
  if (open == std::string_view::npos) return 0;
  const int n = decimalNumber(format.substr(open + 1));
  if (n <= 0) return 0;
  return format[0] == 'B' ? static_cast<size_t>(n) / 8 : static_cast<size_t>(n);
}

const std::vector<SubfieldDescription>& defaultLayout() {
  static const std::vector<SubfieldDescription> layout =
      describeSubfields("RCNM!RCID!FILE!LFIL!VOLM!IMPL!SLAT!WLON!NLAT!ELON!CRCS!COMT", "(A(2),I(10),3A,A(3),4R,2A)");
  return layout;
}

void decodeCatalogueField(std::string_view field, const std::vector<SubfieldDescription>& layout,
                          CatalogueEntry& entry) {
  const std::string_view data = fieldData(field);
  size_t pos = 0;
  for (const auto& [rawLabel, format] : layout) {
    std::string_view value;
    if (const size_t width = formatWidth(format)) {
      value = boundedSlice(data, pos, width);
      pos += value.size();
    } else if (pos < data.size()) {
      size_t end = data.find('\x1f', pos);
      if (end == std::string_view::npos) end = data.size();
      value = data.substr(pos, end - pos);
      pos = end + 1;
    }
    std::string_view label(rawLabel);
    if (!label.empty() && label.front() == '*') label.remove_prefix(1);
    if (label == "FILE") entry.file.assign(value);
    else if (label == "LFIL") entry.longName.assign(value);
    else if (label == "VOLM") entry.volume.assign(value);
    else if (label == "IMPL") entry.implementation.assign(value);
    else if (label == "CRCS") entry.crc.assign(value);
    else if (label == "COMT") entry.comment.assign(value);
  }
}

ReaderResult readRecords(S57CellReader& reader, std::vector<CatalogueEntry>& entries) {
  ReaderResult code = reader.splitRecords();
  if (code == ReaderResult::Ok) code = reader.parseDescriptiveRecord();
  if (code != ReaderResult::Ok) return code;
  const auto described = reader.fieldDescriptions.find("CATD");
  const std::vector<SubfieldDescription>& layout =
      described != reader.fieldDescriptions.end() && !described->second.empty() ? described->second
                                                                                  : defaultLayout();
  for (const std::string_view bytes : reader.records) {
    if (bytes.size() < kLeaderLength) return ReaderResult::RecordOutOfBounds;
    if (bytes[6] != 'D') return ReaderResult::NotDataRecord;
    code = visitDataFields(RecordView(bytes), [&](std::string_view tag, std::string_view field) {
      if (tag == "CATD") decodeCatalogueField(field, layout, entries.emplace_back());
    });
    if (code != ReaderResult::Ok) return code;
  }
  return ReaderResult::Ok;
}

}  // namespace

ReaderResult readCatalogueBytes(std::string_view bytes, std::vector<CatalogueEntry>& entries) {
  entries.clear();
  S57CellReader reader;
  reader.readBytes(bytes);
  return readRecords(reader, entries);
}

ReaderResult readCatalogue(const std::string& path, std::vector<CatalogueEntry>& entries) {
  entries.clear();
  S57CellReader reader;
  if (const ReaderResult code = reader.readFile(path); code != ReaderResult::Ok) return code;
  return readRecords(reader, entries);
}

std::string catalogueRelativePath(const CatalogueEntry& entry) {
  std::string path = entry.file;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

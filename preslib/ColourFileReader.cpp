#include "ColourFileReader.h"

#include <string_view>
#include <vector>

#include "LibraryLine.h"
#include "LibraryLineReader.h"

namespace {
// The scheme a "<" section names, or -1; the name keeps its line feed.
int schemeOfName(std::string_view name) {
  if (name == "DAY_BRIGHT\n") return static_cast<int>(ColourScheme::DAY_BRIGHT);
  if (name == "DAY_WHITEBACK\n") return static_cast<int>(ColourScheme::DAY_WHITEBACK);
  if (name == "DAY_BLACKBACK\n") return static_cast<int>(ColourScheme::DAY_BLACKBACK);
  if (name == "DUSK\n") return static_cast<int>(ColourScheme::DUSK);
  if (name == "NIGHT\n") return static_cast<int>(ColourScheme::NIGHT);
  return -1;
}

void splitFields(std::string_view row, std::vector<std::string_view>& fields) {
  fields.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t semicolon = row.find(';', start);
    fields.push_back(row.substr(start, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - start));
    if (semicolon == std::string_view::npos) return;
    start = semicolon + 1;
  }
}

// Rows are longer than this; shorter lines that are not "<" are ignored.
constexpr std::size_t kShortestRow = 11;
constexpr std::size_t kRowFieldCount = 8;
}  // namespace

LibraryResult readColourFile(const std::string& path, std::array<ColourTable, kColourSchemeCount>& tables) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  std::string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;

  int scheme = -1;
  std::vector<std::string_view> fields;
  while (reader.next(line)) {
    if (line == "<\n") {
      std::string_view name;
      if (reader.next(name) && !name.empty()) scheme = schemeOfName(name);
      continue;
    }
    if (line.size() < kShortestRow) continue;
    splitFields(line, fields);
    if (fields.size() < kRowFieldCount || scheme < 0) return LibraryResult::BadColourRow;
    const int red = readDecimal(fields[5]), green = readDecimal(fields[6]), blue = readDecimal(fields[7]);
    auto inRange = [](int c) { return c >= 0 && c <= 255; };
    tables[scheme].entries[colourIndex(fields[0])] =
        inRange(red) && inRange(green) && inRange(blue) ? QColor(red, green, blue) : QColor();
  }
  return LibraryResult::Ok;
}

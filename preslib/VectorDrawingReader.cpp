#include "VectorDrawingReader.h"

#include <algorithm>
#include <string_view>

#include "LibraryLine.h"
#include "LibraryLineReader.h"
#include "VectorCommandParser.h"

namespace {
using std::string_view;

constexpr std::size_t kNumberWidth = 5;
constexpr std::size_t kNameColumn = 9, kNameLength = 8;

int scaledNumber(string_view line, std::size_t column) {
  return scaleSymbolUnits(readDecimal(columns(line, column, kNumberWidth)));
}

// Pivot, size and bounding box: six consecutive numbers from `column`.
template <typename Definition>
void readGeometry(string_view line, std::size_t column, Definition& d) {
  d.pivotColumn = scaledNumber(line, column);
  d.pivotRow = scaledNumber(line, column + 5);
  d.width = scaledNumber(line, column + 10);
  d.height = scaledNumber(line, column + 15);
  d.boxColumn = scaledNumber(line, column + 20);
  d.boxRow = scaledNumber(line, column + 25);
}

ColourReferences readColourReferences(string_view line) {
  ColourReferences references;
  if (line.size() < 10) return references;  // malformed: no references
  const std::size_t pairs = (line.size() - 10) / 6;
  for (std::size_t i = 0; i < pairs; ++i)
    references.emplace(std::string(line.substr(9 + 6 * i, 1)), std::string(line.substr(10 + 6 * i, 5)));
  return references;
}

template <typename Visit>
void forEachCommand(string_view vectorLine, Visit visit) {
  const string_view content = fieldContent(vectorLine);
  for (std::size_t start = 0; start <= content.size();) {
    std::size_t end = content.find(';', start);
    if (end == string_view::npos) end = content.size();
    visit(content.substr(start, end - start));
    start = end + 1;
  }
}

// What differs between the three files: the vector tag, the shortest
// definition line, and how a definition is made and stored.
struct SymbolFile {
  static constexpr string_view kVectorTag = "SVCT";
  static constexpr std::size_t kShortestDefinition = 48;
  using Definition = SymbolDefinition;
  static void readDefinition(string_view line, Definition& d) {
    d.typeLetter = std::string(columns(line, 17, 1));
    readGeometry(line, 18, d);
  }
  static void addVectorLine(string_view line, Definition& d) {
    forEachCommand(line, [&](string_view c) { parseVectorCommand(c, d.colourReferences, d.commands); });
  }
  static void finish(Definition&) {}
};

struct PatternFile {
  static constexpr string_view kVectorTag = "PVCT";
  static constexpr std::size_t kShortestDefinition = 64;
  using Definition = PatternDefinition;
  static void readDefinition(string_view line, Definition& d) {
    d.typeLetter = std::string(columns(line, 17, 1));
    d.fillKind = std::string(columns(line, 18, 3));
    d.spacingKind = std::string(columns(line, 21, 3));
    d.minimumDistance = scaledNumber(line, 24);
    d.maximumDistance = scaledNumber(line, 29);
    readGeometry(line, 34, d);
  }
  static void addVectorLine(string_view line, Definition& d) {
    forEachCommand(line, [&](string_view c) { parseVectorCommand(c, d.colourReferences, d.commands); });
  }
  static void finish(Definition&) {}
};

struct LineStyleFile {
  static constexpr string_view kVectorTag = "LVCT";
  static constexpr std::size_t kShortestDefinition = 47;
  using Definition = LineStyleDefinition;
  static void readDefinition(string_view line, Definition& d) { readGeometry(line, 17, d); }
  // Each vector line is one segment; its SP sets the segment colour.
  static void addVectorLine(string_view line, Definition& d) {
    LineStyleSegment segment;
    std::vector<VectorCommand> made;
    forEachCommand(line, [&](string_view c) {
      made.clear();
      parseVectorCommand(c, d.colourReferences, made);
      for (const VectorCommand& command : made) {
        if (command.opcode == kSP) {
          segment.colour = command.colour;
          continue;
        }
        if (command.opcode == kSW) segment.width = command.first;
        if (command.opcode == kPD && !(c == "PD")) {
          segment.largestX = std::max(segment.largestX, command.first);
          segment.smallestX = std::min(segment.smallestX, command.first);
        }
        segment.commands.push_back(command);
      }
    });
    d.segments.push_back(std::move(segment));
  }
  // Segments in ascending largestX, except two styles drawn in file order.
  static void finish(Definition& d) {
    if (d.name == "ARCSLN01" || d.name == "ESSARE01") return;
    std::stable_sort(d.segments.begin(), d.segments.end(),
                     [](const LineStyleSegment& a, const LineStyleSegment& b) { return a.largestX < b.largestX; });
  }
};

template <typename File>
LibraryResult readDrawingFile(const std::string& path,
                              std::map<std::string, typename File::Definition>& definitions) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;
  reader.next(line);  // the library identification line

  bool haveLine = reader.next(line);
  for (;;) {
    while (haveLine && line != recordTerminator) haveLine = reader.next(line);
    if (!haveLine) return LibraryResult::Ok;

    string_view definitionLine;
    reader.next(line);  // record identifier
    reader.next(line);  // module line
    if (!reader.next(definitionLine) || definitionLine.size() < File::kShortestDefinition) {
      haveLine = reader.next(line);  // the record is skipped
      continue;
    }
    typename File::Definition definition;
    definition.name = std::string(columns(definitionLine, kNameColumn, kNameLength));
    File::readDefinition(definitionLine, definition);

    string_view referenceLine;
    reader.next(line);  // exposition
    if (reader.next(referenceLine)) definition.colourReferences = readColourReferences(referenceLine);

    while ((haveLine = reader.next(line)) && columns(line, 0, 4) == File::kVectorTag)
      File::addVectorLine(line, definition);
    File::finish(definition);
    const std::string name = definition.name;
    definitions[name] = std::move(definition);
  }
}
}  // namespace

LibraryResult readPatternFile(const std::string& path, std::map<std::string, PatternDefinition>& patterns) {
  return readDrawingFile<PatternFile>(path, patterns);
}

LibraryResult readSymbolFile(const std::string& path, std::map<std::string, SymbolDefinition>& symbols) {
  return readDrawingFile<SymbolFile>(path, symbols);
}

LibraryResult readLineStyleFile(const std::string& path, std::map<std::string, LineStyleDefinition>& lineStyles) {
  return readDrawingFile<LineStyleFile>(path, lineStyles);
}

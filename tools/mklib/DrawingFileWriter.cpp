#include "DrawingFileWriter.h"

#include "InputExcerpt.h"
#include "LibraryMapping.h"

namespace {
struct Tags {
  const char* module;       // module line tag and its two-letter module name
  const char* moduleName;
  const char* definition;
  const char* exposition;
  const char* colours;
  const char* vector;
  const char* what;
};

Tags tagsOf(DrawingKind kind) {
  switch (kind) {
    case DrawingKind::Symbol: return {"SYMB", "SY", "SYMD", "SXPO", "SCRF", "SVCT", "symbol"};
    case DrawingKind::Pattern: return {"PATT", "PT", "PATD", "PXPO", "PCRF", "PVCT", "pattern"};
    case DrawingKind::LineStyle: break;
  }
  return {"LNST", "LS", "LIND", "LXPO", "LCRF", "LVCT", "line style"};
}

std::string trimmed(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(first, last - first + 1));
}

// The HPGL commands as vector line contents.
std::vector<std::string> vectorLines(DrawingKind kind, const std::string& hpgl, LibraryTextFile& file,
                                     const std::string& where) {
  std::vector<std::string> lines(1);
  for (std::size_t start = 0; start <= hpgl.size();) {
    std::size_t end = hpgl.find(';', start);
    if (end == std::string::npos) end = hpgl.size();
    const std::string command = trimmed(std::string_view(hpgl).substr(start, end - start));
    start = end + 1;
    if (command.empty()) continue;
    const bool penSelection = command.compare(0, 2, "SP") == 0;
    const bool full = lines.back().size() + command.size() + 1 > kLongestVectorContent;
    if (!lines.back().empty() && (full || (kind == DrawingKind::LineStyle && penSelection))) {
      if (kind == DrawingKind::LineStyle && full)
        file.setError(where + "one pen's drawing is longer than a vector line");
      lines.emplace_back();
    }
    if (command.size() + 1 > kLongestVectorContent) file.setError(where + "a vector command is too long");
    lines.back() += command;
    lines.back() += ';';
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

void writeDrawing(DrawingKind kind, const XmlDrawing& d, int sequence, LibraryTextFile& file) {
  const Tags tags = tagsOf(kind);
  const std::string where = "line " + std::to_string(d.sourceLine) + ", " + tags.what + " " + inputExcerpt(d.name) + ": ";
  if (d.name.size() != 8) {
    file.setError(where + "the name is not eight characters long");
    return;
  }
  if (d.colourRef.size() % 6 != 0) {
    file.setError(where + "the colour references are not letter and five-character token pairs");
    return;
  }
  std::string definition = d.name;
  if (kind != DrawingKind::LineStyle) definition += d.definition.size() == 1 ? d.definition : std::string("V");
  if (kind == DrawingKind::Pattern) {
    const auto fill = mapping::patternFillKind(d.fillType);
    const auto spacing = mapping::patternSpacingKind(d.spacing);
    if (!fill || !spacing) {
      file.setError(where + "unknown fill type \"" + inputExcerpt(d.fillType) + "\" or spacing \"" +
                    inputExcerpt(d.spacing) + "\"");
      return;
    }
    definition += std::string(*fill) + std::string(*spacing) + file.number5(d.minimumDistance) +
                  file.number5(d.maximumDistance);
  }
  // Pivot, size, and the upper-left corner of the bounding box.
  for (int value : {d.pivotX, d.pivotY, d.width, d.height, d.originX, d.originY}) definition += file.number5(value);

  const int recordId = d.rcid >= 0 && d.rcid <= 99999 ? d.rcid : sequence;
  file.field("0001", file.number5(sequence));
  file.field(tags.module, std::string(tags.moduleName) + file.number5(recordId) + "NIL");
  file.field(tags.definition, definition);
  file.field(tags.exposition, singleLine(d.description, kLongestVectorContent));
  file.field(tags.colours, d.colourRef);
  for (const std::string& line : vectorLines(kind, d.hpgl, file, where)) file.field(tags.vector, line);
  file.terminator();
}
}  // namespace

void writeDrawingFile(DrawingKind kind, const std::vector<XmlDrawing>& drawings, LibraryTextFile& file,
                      ConversionReport& report) {
  file.line("BEGIN");
  file.field("LBID", std::string(tagsOf(kind).what) + " library from chartsymbols.xml");
  file.terminator();
  int sequence = 0;
  for (const XmlDrawing& d : drawings) {
    if (!d.hasVector) {
      // The program draws vector drawings only.
      if (kind == DrawingKind::Symbol) ++report.bitmapOnlySymbols;
      if (kind == DrawingKind::Pattern) ++report.bitmapOnlyPatterns;
      continue;
    }
    writeDrawing(kind, d, ++sequence, file);
    if (kind == DrawingKind::Symbol) ++report.symbols;
    if (kind == DrawingKind::Pattern) ++report.patterns;
    if (kind == DrawingKind::LineStyle) ++report.lineStyles;
  }
}

#include "ModelInfo.h"

#include <chrono>
#include <cstdio>
#include <map>

#include "ChartEngine.h"
#include "ChartModel.h"
#include "ColourToken.h"
#include "PresentationLibrary.h"

namespace {

std::string classAcronym(const PresentationLibrary& library, int objectClass) {
  const auto& classes = library.objectClassCatalogue;
  const auto it = classes.find(objectClass);
  return it == classes.end() ? std::to_string(objectClass) : it->second.acronym;
}

// Degrees to about a millimetre (JsonLine keeps six digits only).
std::string degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::string colourText(int colour) {
  const std::string_view token = colourToken(colour);
  return token.empty() ? std::to_string(colour) : std::string(token);
}

// Justification, spacing and offsets: what a text instruction keeps of its
// parameters.
std::string textParameters(const Instruction& i) {
  return std::to_string(i.colour) + "," + std::to_string(i.width) + "," + std::to_string(i.style) + "," +
         std::to_string(i.transparency) + "," + std::to_string(i.yOffset);
}

std::string instructionsText(const std::vector<Instruction>& list) {
  std::string text;
  for (const Instruction& i : list) {
    if (!text.empty()) text += ';';
    text += instructionText(i);
  }
  return text;
}

std::string lookupJson(const LookupResult& result) {
  return JsonLine().add("category", result.category).add("instructions", instructionsText(result.instructions)).str();
}

const char* kindName(FeatureKind kind) {
  switch (kind) {
    case FeatureKind::Point: return "point";
    case FeatureKind::Sounding: return "sounding";
    case FeatureKind::Line: return "line";
    case FeatureKind::Area: return "area";
  }
  return "?";
}

void printFeature(const PresentationLibrary& library, const S57Cell& cell, const ChartFeature& f,
                  long long vertices, const DrawnInstructions* drawn) {
  std::string attributes = "[";
  for (const FeatureAttribute& a : f.attributes) {
    if (attributes.size() > 1) attributes += ',';
    attributes += "[" + jsonString(a.acronym) + "," + jsonString(a.value) + "]";
  }
  attributes += "]";
  JsonLine line;
  line.add("cell", cell.name)
      .add("kind", kindName(f.kind))
      .add("class", classAcronym(library, f.objectClass))
      .add("foid", foidText(f))
      .add("objl", f.objectClass)
      .addRaw("attributes", attributes)
      .add("priority", f.displayPriority)
      .add("group", f.viewingGroup);
  if (f.radarFlag == static_cast<char>(0xFF)) line.addRaw("radar", "null");
  else line.add("radar", std::string(1, f.radarFlag));
  line.addRaw("first", lookupJson(f.firstLookup))
      .addRaw("second", lookupJson(f.secondLookup))
      .add("vertices", vertices);
  if (drawn) {
    const auto it = drawn->find(&f);
    line.add("drawn", it == drawn->end() ? std::string() : instructionsText(it->second));
  }
  std::printf("%s\n", line.str().c_str());
}

}  // namespace

std::string foidText(const ChartFeature& f) {
  char text[24];
  std::snprintf(text, sizeof text, "%04X%08X%04X", static_cast<unsigned>(f.agency) & 0xFFFFu,
                static_cast<unsigned>(f.featureNumber), static_cast<unsigned>(f.featureSubdivision) & 0xFFFFu);
  return text;
}

std::string instructionText(const Instruction& i) {
  switch (i.kind) {
    case kLS: {
      const char* style = i.style == 2 ? "DASH" : i.style == 1 ? "SOLD" : i.style == 3 ? "DOTT" : "?";
      return std::string("LS(") + style + "," + std::to_string(i.width) + "," + colourText(i.colour) + ")";
    }
    case kLC: return "LC(" + i.name + ")";
    case kAC:
      return "AC(" + colourText(i.colour) + (i.transparency >= 0 ? "," + std::to_string(i.transparency) : "") + ")";
    case kAP: return "AP(" + i.name + ")";
    case kSY: return "SY(" + i.name + (i.text2.empty() ? "" : "," + i.text2) + ")";
    case kTX: return "TX(" + i.text2 + "," + textParameters(i) + ")";
    case kTE: return "TE('" + i.name + "','" + i.text2 + "'," + textParameters(i) + ")";
    case kCS: return "CS(" + i.name + ")";
    case kARC: return "ARC(" + colourText(i.colour) + ")";
    default: return "?";
  }
}

const S57Cell* addModelInfo(ChartEngine& engine, JsonLine& line, const std::string& path,
                            const CellLoadOptions& options, CellLoadResult* result) {
  const auto start = std::chrono::steady_clock::now();
  CellLoadReport report;
  const CellLoadResult code = engine.loadCell(path, nullptr, options, &report);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (result) *result = code;
  line.add("load", resultCode(code));
  if (!code.listed()) return nullptr;
  const S57Cell* cell = report.cell;

  long long lineVertices = 0, exteriorVertices = 0, soundings = 0;
  std::map<std::string, long long> classes;
  for (const auto& f : cell->points) ++classes[classAcronym(engine.library(), f->objectClass)];
  for (const auto& f : cell->soundings) {
    ++classes[classAcronym(engine.library(), f->objectClass)];
    soundings += static_cast<long long>(f->soundings.size());
  }
  for (const auto& f : cell->lines) {
    ++classes[classAcronym(engine.library(), f->objectClass)];
    lineVertices += static_cast<long long>(f->vertices.size());
  }
  for (const auto& f : cell->areas) {
    ++classes[classAcronym(engine.library(), f->objectClass)];
    exteriorVertices += static_cast<long long>(f->exteriorVertices.size());
  }
  JsonLine classLine;
  for (const auto& [acronym, count] : classes) classLine.add(acronym, count);

  line.add("pointFeatures", static_cast<long long>(cell->points.size()))
      .add("soundingFeatures", static_cast<long long>(cell->soundings.size()))
      .add("lineFeatures", static_cast<long long>(cell->lines.size()))
      .add("areaFeatures", static_cast<long long>(cell->areas.size()))
      .add("lineVertices", lineVertices)
      .add("exteriorVertices", exteriorVertices)
      .add("soundings", soundings);
  if (cell->extents.empty()) {
    line.addRaw("extent", "null");
  } else {
    const GeoPoint southWest = chartToGeo({cell->boundingBox.minX, cell->boundingBox.minY});
    const GeoPoint northEast = chartToGeo({cell->boundingBox.maxX, cell->boundingBox.maxY});
    line.addRaw("extent", JsonLine()
                              .addRaw("south", degrees(southWest.latitude))
                              .addRaw("west", degrees(southWest.longitude))
                              .addRaw("north", degrees(northEast.latitude))
                              .addRaw("east", degrees(northEast.longitude))
                              .str());
  }
  line.addRaw("classes", classLine.str()).add("loadMs", ms);
  return cell;
}

void printFeatureLines(const PresentationLibrary& library, const S57Cell& cell, const DrawnInstructions* drawn) {
  for (const auto& f : cell.areas)
    printFeature(library, cell, *f, static_cast<long long>(f->exteriorVertices.size()), drawn);
  for (const auto& f : cell.lines)
    printFeature(library, cell, *f, static_cast<long long>(f->vertices.size()), drawn);
  for (const auto& f : cell.points) printFeature(library, cell, *f, 1, drawn);
  for (const auto& f : cell.soundings)
    printFeature(library, cell, *f, static_cast<long long>(f->soundings.size()), drawn);
}

#include "ModelInfo.h"

#include <chrono>
#include <cstdio>
#include <map>

#include "ChartEngine.h"
#include "ChartModel.h"
#include "ColourToken.h"
#include "DisplaySettings.h"
#include "FeaturePortrayal.h"
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
std::string textParameters(const Text& t) {
  return std::to_string(t.horizontal) + "," + std::to_string(t.vertical) + "," + std::to_string(t.spacing) + "," +
         std::to_string(t.xOffset) + "," + std::to_string(t.yOffset);
}

// What a text shows once prepared, else the attribute it will show.
const std::string& shownOrAttribute(const Text& t, const std::string& attribute) {
  return t.prepared ? t.text : attribute;
}

std::string lineStyleText(LineDash dash, int width, int colour) {
  const char* word = dash == LineDash::Dashed  ? "DASH"
                     : dash == LineDash::Solid ? "SOLD"
                     : dash == LineDash::Dotted ? "DOTT"
                                                : "?";
  return std::string("LS(") + word + "," + std::to_string(width) + "," + colourText(colour) + ")";
}

std::string instructionsText(const std::vector<Instruction>& list) {
  std::string text;
  for (const Instruction& i : list) {
    if (!text.empty()) text += ';';
    text += instructionText(i);
  }
  return text;
}

std::string lookupJson(const LookupResult& result, int category) {
  return JsonLine().add("category", category).add("instructions", instructionsText(result.instructions)).str();
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
  const DisplayState& chosen = displayState(f, nullptr);  // as the look-up chose it
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
      .add("priority", chosen.priority)
      .add("group", chosen.viewingGroup);
  if (chosen.radarFlag == static_cast<char>(0xFF)) line.addRaw("radar", "null");
  else line.add("radar", std::string(1, chosen.radarFlag));
  line.addRaw("first", lookupJson(f.firstLookup, chosen.firstCategory))
      .addRaw("second", lookupJson(f.secondLookup, chosen.secondCategory))
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
  switch (i.kind()) {
    case InstructionKind::LineStyle: {
      const LineStyle& l = i.as<LineStyle>();
      return lineStyleText(l.dash, l.width, l.colour);
    }
    case InstructionKind::Leg: {  // a line style drawn from a light
      const Leg& l = i.as<Leg>();
      return lineStyleText(l.dash, l.width, l.colour);
    }
    case InstructionKind::ComplexLine: return "LC(" + i.as<ComplexLine>().name + ")";
    case InstructionKind::AreaColour: {
      const AreaColour& a = i.as<AreaColour>();
      return "AC(" + colourText(a.colour) + (a.transparency >= 0 ? "," + std::to_string(a.transparency) : "") + ")";
    }
    case InstructionKind::AreaPattern: return "AP(" + i.as<AreaPattern>().name + ")";
    case InstructionKind::Symbol: {
      const Symbol& s = i.as<Symbol>();
      return "SY(" + s.name + (s.rotation.empty() ? "" : "," + s.rotation) + ")";
    }
    case InstructionKind::PlainText: {
      const PlainText& t = i.as<PlainText>();
      return "TX(" + shownOrAttribute(t, t.attribute) + "," + textParameters(t) + ")";
    }
    case InstructionKind::FormattedText: {
      const FormattedText& t = i.as<FormattedText>();
      return "TE('" + t.format + "','" + shownOrAttribute(t, t.attribute) + "'," + textParameters(t) + ")";
    }
    case InstructionKind::ProcedureCall: return "CS(" + i.as<ProcedureCall>().name + ")";
    case InstructionKind::SectorArc: return "ARC(" + colourText(i.as<SectorArc>().colour) + ")";
    case InstructionKind::None: break;
  }
  return "?";
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

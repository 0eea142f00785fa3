#include "HazardProcedures.h"

#include "HazardDepth.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"
#include "SoundingSymbols.h"

namespace {

struct ObstructionSymbol {
  const char* name;
  bool depthFigures;
};

// The symbol of an obstruction or rock that is not an isolated danger.
ObstructionSymbol obstructionSymbol(const PointFeature& point, const DisplaySettings& settings) {
  const std::string& valsou = point.findAttribute("VALSOU");
  const std::string& watlev = point.findAttribute("WATLEV");
  const bool rock = point.objectClass == s57::UWTROC;
  const bool otherObstruction = point.findAttribute("CATOBS") == "6";  // foul area
  if (!valsou.empty()) {
    if (attributeFloat(point, "VALSOU") > settings.hazardDepth) return {"DANGER02", true};
    if (rock) return isOneOf(watlev, {"4", "5"}) ? ObstructionSymbol{"UWTROC04", false}
                                                 : ObstructionSymbol{"DANGER01", true};
    if (otherObstruction) return {"DANGER01", true};
    if (isOneOf(watlev, {"1", "2"})) return {"OBSTRN11", false};
    if (isOneOf(watlev, {"4", "5"})) return {"DANGER03", true};
    return {"DANGER01", true};
  }
  if (rock) return {watlev == "3" ? "UWTROC03" : "UWTROC04", false};
  if (otherObstruction) return {"OBSTRN01", false};
  if (isOneOf(watlev, {"1", "2"})) return {"OBSTRN11", false};
  if (isOneOf(watlev, {"4", "5"})) return {"OBSTRN03", false};
  return {"OBSTRN01", false};
}

const char* wreckSymbolWithoutSounding(const ChartFeature& wreck) {
  const std::string& catwrk = wreck.findAttribute("CATWRK");
  const std::string& watlev = wreck.findAttribute("WATLEV");
  if (catwrk == "1" && watlev == "3") return "WRECKS04";
  if (catwrk == "2" && watlev == "3") return "WRECKS05";
  if (isOneOf(catwrk, {"4", "5"}) || isOneOf(watlev, {"1", "2", "3", "4"})) return "WRECKS01";
  return "WRECKS05";
}

void appendSymbol(ProcedureResult& out, std::string name) { out.instructions.push_back(symbolInstruction(std::move(name))); }
}  // namespace

std::string lowAccuracyTest(const PointFeature& point) {
  return lowAccuracyPosition(point.findAttribute("QUAPOS")) ? "LOWACC01" : "";
}

std::string lowAccuracyTest(const AreaFeature& area) {
  if (lowAccuracyPosition(area.findAttribute("QUAPOS"))) return "LOWACC01";
  for (const BoundaryPart& part : area.exteriorParts)
    for (const EdgeAttribute& a : part.edgeAttributes)
      if (a.code == "402" && lowAccuracyPosition(a.value)) return "LOWACC01";  // QUAPOS
  return {};
}

void pointObstructionProcedure(const PointFeature& point, const S57Cell& cell, const DisplaySettings& settings,
                      ProcedureResult& out) {
  const ChartPoint& position = point.position.point;
  float depth;
  if (!point.findAttribute("VALSOU").empty()) {
    depth = attributeFloat(point, "VALSOU");
  } else {
    depth = shallowestUnderlyingDepth(point, point.findAttribute("WATLEV"), point.findAttribute("EXPSOU"), cell,
                                      position);
    if (depth == kUnknownDepth) depth = obstructionDepthWithoutSounding(point);
  }

  std::string symbol;
  const bool danger = underwaterHazard(point, depth, position, symbol, cell, settings, out);
  const std::string low = lowAccuracyTest(point);
  if (danger) {
    appendSymbol(out, symbol);
  } else {
    const ObstructionSymbol choice = obstructionSymbol(point, settings);
    appendSymbol(out, choice.name);
    if (choice.depthFigures) soundingSymbols(point, depth, settings, out.instructions);
  }
  if (!low.empty()) appendSymbol(out, low);
}

void wreckProcedure(const PointFeature& point, const S57Cell& cell, const DisplaySettings& settings,
                    ProcedureResult& out) {
  const ChartPoint& position = point.position.point;
  const float depth = wreckDepth(point, position, cell);

  std::string symbol;
  const bool danger = underwaterHazard(point, depth, position, symbol, cell, settings, out);
  const std::string low = lowAccuracyTest(point);
  if (danger) {
    appendSymbol(out, symbol);
  } else if (!point.findAttribute("VALSOU").empty()) {
    const float valsou = attributeFloat(point, "VALSOU");
    appendSymbol(out, valsou < settings.hazardDepth ? "DANGER01" : "DANGER02");
    out.display.viewingGroup = 34051;
    soundingSymbols(point, valsou, settings, out.instructions);
  } else {
    appendSymbol(out, wreckSymbolWithoutSounding(point));
    const int group = out.display.viewingGroup;
    if (group != 14050 && group != 24050 && group != 24020) {
      out.display.priority = 8;
      out.display.firstCategory = 0;
      out.display.secondCategory = 0;
      out.display.radarFlag = 'O';  // over radar
      out.display.viewingGroup = 24020;
    }
  }
  if (!low.empty()) appendSymbol(out, low);
}

void pointQualityProcedure(const PointFeature& point, ProcedureResult& out) {
  const std::string low = lowAccuracyTest(point);
  if (!low.empty()) appendSymbol(out, low);
}

void areaObstructionProcedure(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                              ProcedureResult& result) {
  const std::vector<ChartVertex>& outline = area.exteriorVertices;
  const bool hasSounding = !area.findAttribute("VALSOU").empty();
  float depth;
  if (hasSounding) {
    depth = attributeFloat(area, "VALSOU");
  } else {
    depth = shallowestUnderlyingDepthOverPoints(area, area.findAttribute("WATLEV"), area.findAttribute("EXPSOU"),
                                                cell, outline);
    if (depth == kUnknownDepth) depth = obstructionDepthWithoutSounding(area);
  }

  std::string symbol;
  const bool danger = underwaterHazardOverPoints(area, depth, outline, symbol, cell, settings, result);
  std::vector<Instruction>& out = result.instructions;
  if (danger) {
    out.push_back(fillInstruction("DEPVS"));
    out.push_back(patternInstruction("FOULAR01"));
    out.push_back(lineInstruction(LineDash::Dashed, 2, "CHBLK"));
    out.push_back(symbolInstruction(symbol));
    const std::string low = lowAccuracyTest(area);
    if (!low.empty()) out.push_back(symbolInstruction(low));
    return;
  }
  if (hasSounding) {
    out.push_back(lineInstruction(LineDash::Solid, 2, depth <= settings.hazardDepth ? "CHBLK" : "CHGRD"));
    soundingSymbols(area, depth, settings, out);
    return;
  }
  const std::string& watlev = area.findAttribute("WATLEV");
  if (area.findAttribute("CATOBS") == "6") {
    out.push_back(patternInstruction("FOULAR01"));
    out.push_back(lineInstruction(LineDash::Dashed, 2, "CHBLK"));
  } else if (isOneOf(watlev, {"1", "2"})) {
    out.push_back(fillInstruction("CHBRN"));
    out.push_back(lineInstruction(LineDash::Solid, 2, "CSTLN"));
  } else if (watlev == "4") {
    out.push_back(fillInstruction("DEPIT"));
    out.push_back(lineInstruction(LineDash::Solid, 2, "CSTLN"));
  } else {
    out.push_back(fillInstruction("DEPVS"));
    out.push_back(lineInstruction(LineDash::Solid, 2, "CHBLK"));
  }
}

void areaWreckProcedure(const AreaFeature& area, const S57Cell& cell, const DisplaySettings& settings,
                        ProcedureResult& result) {
  const std::vector<ChartVertex>& outline = area.exteriorVertices;
  const float depth = wreckDepthOverPoints(area, outline, cell);
  std::string symbol;
  const bool danger = underwaterHazardOverPoints(area, depth, outline, symbol, cell, settings, result);
  std::vector<Instruction>& out = result.instructions;
  if (danger) {
    out.push_back(fillInstruction("DEPVS"));
    out.push_back(lineInstruction(LineDash::Dotted, 2, "CHBLK"));
    out.push_back(symbolInstruction(symbol));
  } else if (!area.findAttribute("VALSOU").empty()) {
    out.push_back(lineInstruction(depth <= 20.0f ? LineDash::Dotted : LineDash::Dashed, 2, "CHBLK"));
    soundingSymbols(area, depth, settings, out);
  } else {
    const std::string& watlev = area.findAttribute("WATLEV");
    if (isOneOf(watlev, {"1", "2"})) {
      out.push_back(fillInstruction("CHBRN"));
      out.push_back(lineInstruction(LineDash::Solid, 2, "CSTLN"));
    } else if (watlev == "4") {
      out.push_back(fillInstruction("DEPIT"));
      out.push_back(lineInstruction(LineDash::Dashed, 2, "CSTLN"));
    } else {
      out.push_back(fillInstruction("DEPVS"));
      out.push_back(lineInstruction(LineDash::Dotted, 2, "CSTLN"));
    }
  }
  const std::string low = lowAccuracyTest(area);
  if (!low.empty()) out.push_back(symbolInstruction(low));
}

#include "PointPortrayal.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "DisplaySettings.h"
#include "HazardProcedures.h"
#include "LibraryLine.h"
#include "LightProcedure.h"
#include "LineStyles.h"
#include "LookupSelection.h"
#include "Primitives.h"
#include "SymbolDrawing.h"
#include "TextDrawing.h"
#include "TextPreparation.h"
#include "TextProcedures.h"
#include "TopmarkProcedure.h"

namespace {
constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kLegUnit = 88.0;  // logical units per unit of leg length
constexpr double kLongestLeg = 1e9;  // logical units, far past any view

std::uint8_t key(bool setting) { return setting ? 1 : 0; }

// A TX of a point takes its attribute's value once the feature has one; an
// absent value draws nothing and is looked for again at the next pass. From
// the look-up list, a value starting with a multi-byte character is dropped
// (the national text, set when the look-up was chosen, stays); a generated
// TX takes the national object name as its national text instead.
bool preparePointText(const PointFeature& point, Instruction& instruction, bool generated) {
  if (instruction.textPrepared || instruction.kind != kTX) return prepareText(point, instruction);
  std::string value = point.findAttribute(instruction.text2);
  if (value.empty()) return false;
  if (instruction.text2 == "NATSUR") seabedWords(value);
  if (generated)
    instruction.text3 = point.findAttribute("NOBJNM");
  else if ((static_cast<unsigned char>(value[0]) & 0x80) != 0)
    value.clear();
  instruction.text2 = std::move(value);
  instruction.textPrepared = true;
  return true;
}
}  // namespace

void runPointProcedure(PointFeature& point, S57Cell& cell, const std::string& name) {
  const DisplaySettings& settings = displaySettings();
  if (name == "LIGHTS05") {
    if (key(settings.lightLabels) == point.procedureKey) return;
    point.generatedInstructions.clear();
    lightProcedure(point, cell);
    point.procedureKey = key(settings.lightLabels);
  } else if (name == "WRECKS04") {
    if (key(settings.paperChartSymbols) == point.procedureKey && point.cachedPointDepth == settings.safetyContour)
      return;
    point.generatedInstructions.clear();
    wreckProcedure(point, cell);
    point.cachedPointDepth = settings.safetyContour;
    point.procedureKey = key(settings.paperChartSymbols);
  } else if (name == "OBSTRN06") {
    if (point.cachedPointDepth == settings.safetyContour) return;
    point.generatedInstructions.clear();
    pointObstruction(point, cell);
    point.cachedPointDepth = settings.safetyContour;
  } else if (name == "QUAPOS01") {
    if (key(settings.qualityKey) == point.procedureKey) return;
    point.generatedInstructions.clear();
    pointQuality(point);
    point.procedureKey = key(settings.qualityKey);
  } else if (name == "TOPMAR01") {
    if (point.procedureKey != 0) return;
    point.generatedInstructions.clear();
    topmarkProcedure(point, cell);
    point.procedureKey = 1;
  }
}

void drawPointInstruction(QPainter& painter, Instruction& instruction, PointFeature& point, const QPointF& anchor,
                          S57Cell& cell, bool generated) {
  switch (instruction.kind) {
    case kSY:
      drawSymbol(painter, anchor, instruction.name, readDecimal(instruction.text2));
      break;
    case kTX:
    case kTE:
      if (preparePointText(point, instruction, generated)) drawText(painter, anchor, instruction, cell.textBoxes);
      break;
    case kLS:
      setLineStylePen(painter, instruction);
      strokeDashedSegment(painter, anchor, legEnd(anchor, instruction));
      break;
    case kARC:
      if (generated) drawSectorArc(painter, instruction, anchor);
      break;
    default:
      break;
  }
}

QPointF legEnd(const QPointF& anchor, const Instruction& leg) {
  const double bearing = std::atof(leg.name.c_str()) * kDegree;
  double length = kLegUnit * std::atof(leg.text2.c_str());
  // A nominal range of 1e300 (or "inf") would put the end where no
  // coordinate reaches; a leg of that length is off every view anyway.
  if (!std::isfinite(length)) length = length > 0 ? kLongestLeg : length < 0 ? -kLongestLeg : 0;
  length = std::clamp(length, -kLongestLeg, kLongestLeg);
  if (!std::isfinite(bearing)) return anchor;
  return QPointF(anchor.x() + length * std::sin(bearing), anchor.y() - length * std::cos(bearing));
}

ArcAngles sectorArcAngles(const Instruction& arc) {
  // Wide arithmetic: the bearings read saturate at the int range.
  const long long start = readDecimal(arc.name);
  const long long end = readDecimal(arc.text3);
  const long long endWithinCircle = end > 360 ? end - 360 : end;
  long long startAngle = 16 * (90 - endWithinCircle < 0 ? 450 - endWithinCircle : 90 - endWithinCircle);
  // Angles are taken modulo a whole turn, and no arc spans more than one.
  constexpr long long kTurn = 16 * 360;
  if (startAngle > kTurn || startAngle < -kTurn) startAngle %= kTurn;
  ArcAngles angles;
  angles.start = static_cast<int>(startAngle);
  angles.span = static_cast<int>(std::clamp(16 * (end - start), -kTurn, kTurn));
  return angles;
}

void drawSectorArc(QPainter& painter, const Instruction& arc, const QPointF& centre) {
  const ArcAngles angles = sectorArcAngles(arc);
  drawArc(painter, arc.colour, arc.width, arc.style == 2, centre, static_cast<float>(std::atof(arc.text2.c_str())),
          angles.start, angles.span);
}

void drawPoint(QPainter& painter, PointFeature& point, S57Cell& cell, const ViewGeometry& view) {
  const QPointF anchor = toLogicalExact(point.position.point, view);
  if (!insideViewport(anchor, view)) return;
  const DisplaySettings& settings = displaySettings();
  for (Instruction& instruction : instructionsInUse(point, false, settings)) {
    if (instruction.kind == kCS)
      runPointProcedure(point, cell, instruction.name);
    else if (passesDisplayCategory(point, settings))  // a procedure may have changed the category
      drawPointInstruction(painter, instruction, point, anchor, cell, false);
  }
  if (!passesDisplayCategory(point, settings)) return;
  if (point.objectClass == TOPMARK_CLASS && !settings.paperChartSymbols) return;
  for (Instruction& instruction : point.generatedInstructions)
    drawPointInstruction(painter, instruction, point, anchor, cell, true);
}

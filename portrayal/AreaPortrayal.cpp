#include "AreaPortrayal.h"

#include <QPainter>
#include <cmath>

#include "AreaCentre.h"
#include "ComplexLines.h"
#include "DepthAreaProcedure.h"
#include "DisplaySettings.h"
#include "HazardProcedures.h"
#include "LibraryLine.h"
#include "LineStyles.h"
#include "LookupSelection.h"
#include "PatternFill.h"
#include "Primitives.h"
#include "RestrictedAreaProcedures.h"
#include "SymbolDrawing.h"
#include "TextDrawing.h"
#include "TextPreparation.h"

namespace {
constexpr int kCoverageClass = 306;
constexpr std::uint8_t kDataLimit = 3;

bool alongDataLimit(const AreaOutline& outline, int i) {
  return outline.usage[static_cast<std::size_t>(i)] == kDataLimit &&
         outline.usage[static_cast<std::size_t>(i) + 1] == kDataLimit;
}

// Clipping joins the places where an outline leaves and re-enters the
// margin around the viewport by pieces along the margin's edges. They are no
// boundary of the area: a complex line's symbols would show along the
// window's right and bottom edges, 100 units out.
bool alongClippingEdge(const QPoint& a, const QPoint& b, const ViewGeometry& view) {
  const int left = -OUTLINE_MARGIN_BEFORE, top = -OUTLINE_MARGIN_BEFORE;
  const int right = view.viewportWidth + OUTLINE_MARGIN_AFTER, bottom = view.viewportHeight + OUTLINE_MARGIN_AFTER;
  return (a.x() == b.x() && (a.x() == left || a.x() == right)) || (a.y() == b.y() && (a.y() == top || a.y() == bottom));
}

bool boundarySegment(const AreaOutline& outline, int i, const ViewGeometry& view) {
  return !alongDataLimit(outline, i) &&
         !alongClippingEdge(outline.points[static_cast<std::size_t>(i)], outline.points[static_cast<std::size_t>(i) + 1],
                            view);
}

// The area's centre in logical units, not truncated.
QPointF logicalCentre(AreaFeature& area, const ViewGeometry& view) { return toLogicalExact(areaCentre(area), view); }

bool depthKeyChanged(const AreaFeature& area, float safetyContour) {
  return area.cachedSafetyContour != safetyContour || std::isnan(area.cachedSafetyContour) ||
         std::isnan(safetyContour);
}
}  // namespace

void runAreaProcedure(AreaFeature& area, S57Cell& cell, const std::string& name) {
  const DisplaySettings& settings = displaySettings();
  if (name == "DEPARE02" || name == "OBSTRN06") {
    if (!depthKeyChanged(area, settings.safetyContour)) return;
    area.generatedInstructions.clear();
    if (name == "DEPARE02")
      depthAreaProcedure(area);
    else
      areaObstructionProcedure(area, cell);
    area.cachedSafetyContour = settings.safetyContour;
  } else if (name == "RESARE03" || name == "RESTRN01") {
    // An empty list is rebuilt every time: RESTRN01 would otherwise never
    // run for a feature first drawn with paper-chart symbols, whose key
    // starts out equal to that setting.
    if (area.cachedSymbolStyle == settings.paperChartSymbols && !area.generatedInstructions.empty()) return;
    area.generatedInstructions.clear();
    if (name == "RESARE03")
      resareProcedure(area);
    else
      restrnProcedure(area);
    area.cachedSymbolStyle = settings.paperChartSymbols;
  }
}

void drawAreaInstruction(QPainter& painter, Instruction& instruction, AreaFeature& area, const AreaOutline& outline,
                         S57Cell& cell, const ViewGeometry& view) {
  const QPoint* points = outline.points.data();
  const int count = outline.size();
  switch (instruction.kind) {
    case kAC:
      if (instruction.transparency > 0)
        fillAreaTransparent(painter, points, count, instruction.colour, instruction.transparency);
      else
        fillArea(painter, points, count, instruction.colour);
      break;
    case kAP:
      fillPattern(painter, points, count, instruction.name, view);
      break;
    case kLS:
      setLineStylePen(painter, instruction);
      if (instruction.style != 1 && instruction.style != 2) break;
      for (int i = 0; i + 1 < count; ++i) {
        if (!boundarySegment(outline, i, view)) continue;
        if (instruction.style == 1)
          strokeSegment(painter, points[i], points[i + 1]);
        else
          strokeDashedSegment(painter, points[i], points[i + 1]);
      }
      break;
    case kLC: {
      const LineStyleDefinition* style = findLineStyle(instruction.name);
      if (!style) break;
      ComplexLineState state;
      for (int i = 0; i + 1 < count; ++i)
        if (boundarySegment(outline, i, view)) drawComplexSegment(painter, points[i], points[i + 1], *style, state);
      break;
    }
    case kSY:
      drawSymbol(painter, logicalCentre(area, view), instruction.name, readDecimal(instruction.text2));
      break;
    case kTX:
    case kTE:
      if (prepareText(area, instruction)) drawText(painter, logicalCentre(area, view), instruction, cell.textBoxes);
      break;
    default:
      break;
  }
}

void drawArea(QPainter& painter, AreaFeature& area, S57Cell& cell, const ViewGeometry& view,
              AreaOutlineBuffers& buffers) {
  const DisplaySettings& settings = displaySettings();
  if (!settings.allViewingGroups && inMarinersViewingGroups(area)) return;
  if (area.objectClass == kCoverageClass) return;
  const AreaOutline* outline = projectOutline(area, view, buffers);
  if (!outline) return;

  const bool admitted = passesDisplayCategory(area, settings);
  for (Instruction& instruction : instructionsInUse(area, false, settings)) {
    if (instruction.kind == kCS) {
      runAreaProcedure(area, cell, instruction.name);
      continue;
    }
    if (!admitted) return;
    drawAreaInstruction(painter, instruction, area, *outline, cell, view);
  }
  if (!admitted) return;
  for (Instruction& instruction : area.generatedInstructions)
    drawAreaInstruction(painter, instruction, area, *outline, cell, view);
}

#include "SoundingPortrayal.h"

#include "LibraryLine.h"
#include "LookupSelection.h"
#include "SoundingSymbols.h"
#include "SymbolOutlines.h"

void drawSoundings(QPainter& painter, SoundingFeature& feature, S57Cell&, const ViewGeometry& view) {
  const std::vector<Instruction>& lookup = instructionsInUse(feature, true);
  for (Sounding& sounding : feature.soundings) {
    const QPointF at = toLogicalExact(ChartPoint{sounding.x, sounding.y}, view);
    if (!insideViewport(at, view)) continue;
    for (const Instruction& instruction : lookup) {
      if (instruction.kind != kCS) continue;
      sounding.instructions.clear();
      soundingSymbols(feature, sounding.depth, sounding.instructions);
    }
    for (const Instruction& instruction : sounding.instructions)
      if (instruction.kind == kSY) drawSymbolFast(painter, at, instruction.name, readDecimal(instruction.text2));
  }
}

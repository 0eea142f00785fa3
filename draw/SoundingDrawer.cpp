#include "SoundingDrawer.h"

#include <algorithm>

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "LibraryLine.h"
#include "SymbolDrawing.h"
#include "SymbolOutlines.h"

void drawSoundings(DrawContext& dc, const SoundingFeature& feature, const S57Cell& cell) {
  if (!soundingsPassTests(dc.settings, dc.scale, feature)) return;
  const std::shared_ptr<const ProcedureResult> result = procedureResult(feature, cell, dc.settings);
  const std::size_t count = soundingsWithSymbols(feature, result.get());
  dc.result = result;
  bool indicated = !(dc.settings.showAllDates && showOnViewingDate(feature, dc.settings) == DateShow::ShownOutsideDates);
  for (std::size_t i = 0; i < count; ++i) {
    const Sounding& sounding = feature.soundings[i];
    const QPointF at = toLogicalExact(ChartPoint{sounding.x, sounding.y}, dc.view);
    if (!insideViewport(at, dc.view)) continue;
    TextBox room{0, 0, 0, 0};
    bool figures = false;
    for (const Instruction& instruction : result->partInstructions[i]) {
      const Symbol* symbol = instruction.find<Symbol>();
      if (!symbol) continue;
      const SymbolDefinition* drawn = drawSymbolFast(dc.canvas, at, symbol->name, readDecimal(symbol->rotation));
      dc.record(feature, instruction);
      if (!drawn || !dc.texts) continue;
      const TextBox box = symbolBox(*drawn, at);
      room = figures ? TextBox{std::min(room.left, box.left), std::max(room.right, box.right),
                               std::min(room.top, box.top), std::max(room.bottom, box.bottom)}
                     : box;
      figures = true;
    }
    // The figures take their room: no text of the view is placed over them.
    if (figures) dc.texts->addSounding(room, ChartPoint{sounding.x, sounding.y}, dc.cellOrder);
    if (!indicated) {  // once, at the first sounding in view
      dc.transientInstruction = true;
      executePointInstruction(dc, outsideDatesIndication(feature, dc.settings, dc.library()), feature, at, false);
      dc.transientInstruction = false;
      indicated = true;
    }
  }
}

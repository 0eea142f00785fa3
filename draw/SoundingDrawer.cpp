#include "SoundingDrawer.h"

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "LibraryLine.h"
#include "SymbolOutlines.h"

void drawSoundings(DrawContext& dc, const SoundingFeature& feature, const S57Cell& cell) {
  if (!soundingsPassTests(dc.settings, dc.scale, feature)) return;
  const std::shared_ptr<const ProcedureResult> result = procedureResult(feature, cell, dc.settings);
  const std::size_t count = soundingsWithSymbols(feature, result.get());
  bool indicated = !(dc.settings.showAllDates && showOnViewingDate(feature, dc.settings) == DateShow::ShownOutsideDates);
  for (std::size_t i = 0; i < count; ++i) {
    const Sounding& sounding = feature.soundings[i];
    const QPointF at = toLogicalExact(ChartPoint{sounding.x, sounding.y}, dc.view);
    if (!insideViewport(at, dc.view)) continue;
    for (const Instruction& instruction : result->partInstructions[i]) {
      const Symbol* symbol = instruction.find<Symbol>();
      if (!symbol) continue;
      drawSymbolFast(dc.canvas, at, symbol->name, readDecimal(symbol->rotation));
      dc.record(feature, instruction);
    }
    if (!indicated) {  // once, at the first sounding in view
      executePointInstruction(dc, outsideDatesIndication(feature, dc.settings, dc.library()), feature, at, false);
      indicated = true;
    }
  }
}

#include "CellBuilder.h"

#include <cstdlib>

#include "CellChoice.h"
#include "CellDetailLevels.h"
#include "CellFinishing.h"
#include "GeometryAssembly.h"
#include "LookupSelection.h"
#include "S57CellReader.h"
#include "TrueScale.h"
#include "ViewGeometry.h"

std::unique_ptr<S57Cell> buildCell(const S57CellReader& reader, const PresentationLibrary& library) {
  auto cell = std::make_unique<S57Cell>();
  cell->compilationScale = reader.dataSetParameters.CSCL;
  cell->coordinateFactor = reader.dataSetParameters.COMF;
  cell->soundingFactor = reader.dataSetParameters.SOMF;
  cell->name = reader.dataSetIdentification.DSNM;
  cell->edition = std::atoi(reader.dataSetIdentification.EDTN.c_str());
  cell->producingAgency = reader.dataSetIdentification.AGEN;
  cell->productSpecification = reader.dataSetIdentification.PRSP;
  if (assembleFeatures(reader, *cell, library.attributeCatalogue) != ReaderResult::Ok) return nullptr;
  for (auto& f : cell->points) selectLookups(*f, library);
  for (auto& f : cell->soundings) selectLookups(*f, library);
  for (auto& f : cell->lines) selectLookups(*f, library);
  for (auto& f : cell->areas) selectLookups(*f, library);
  finishCell(*cell, nullptr);
  return cell;
}

void finishCell(S57Cell& cell, ViewGeometry* view) {
  computeExtents(cell);
  if (view) centreView(cell, *view);
  collectLights(cell);
  orderFeatures(cell);
  prepareDetailLevels(cell, detailTolerances(cell));
}

DetailTolerances detailTolerances(const S57Cell& cell) {
  DetailTolerances tolerances{};
  if (cell.extents.empty()) return tolerances;
  const double compilation = compilationScaleForRules(cell);
  for (int level = 1; level <= kDetailLevels; ++level) {
    const double viewScale =
        viewScaleForTrueScale(compilation * static_cast<double>(1 << level), cell.centreY, kDefaultPixelMillimetres);
    tolerances[static_cast<std::size_t>(level - 1)] = kDetailPixels * LOGICAL_UNITS_PER_PIXEL * viewScale;
  }
  return tolerances;
}

void centreView(const S57Cell& cell, ViewGeometry& view) {
  if (cell.extents.empty()) return;
  view.centre = ChartPoint{cell.centreX, cell.centreY};
  // An unknown compilation scale (0 or less) keeps the view's scale.
  if (cell.compilationScale > 0) setTrueScale(view, cell.compilationScale);
}

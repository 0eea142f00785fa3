#include "UnloadedCell.h"

std::unique_ptr<S57Cell> unloadedCopy(const S57Cell& cell) {
  auto copy = std::make_unique<S57Cell>();
  copy->compilationScale = cell.compilationScale;
  copy->coordinateFactor = cell.coordinateFactor;
  copy->soundingFactor = cell.soundingFactor;
  copy->name = cell.name;
  copy->projectionRadius = cell.projectionRadius;
  copy->crossesAntimeridian = cell.crossesAntimeridian;
  copy->edition = cell.edition;
  copy->updatesApplied = cell.updatesApplied;
  copy->loadWarnings = cell.loadWarnings;
  copy->permitExpired = cell.permitExpired;
  copy->producingAgency = cell.producingAgency;
  copy->productSpecification = cell.productSpecification;
  copy->extents = cell.extents;
  copy->boundingBox = cell.boundingBox;
  copy->centreX = cell.centreX;
  copy->centreY = cell.centreY;
  copy->unloaded = true;
  return copy;
}

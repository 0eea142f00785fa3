#include "ChangeMarks.h"

#include <QPainter>

#include "MercatorProjection.h"
#include "SymbolDrawing.h"

namespace {
bool sameFeature(const ChartFeature& f, const UpdatedFeature& u) {
  return f.agency == u.agency && f.featureNumber == u.number && f.featureSubdivision == u.subdivision;
}

void alongParts(const std::vector<BoundaryPart>& parts, const std::vector<ChartVertex>& vertices,
                std::vector<ChangeMark>& marks) {
  for (const BoundaryPart& part : parts)
    if (part.count > 0 && part.offset + part.count <= vertices.size())
      marks.push_back({vertices[part.offset + part.count / 2].point, false});
}

void marksOf(const S57Cell& cell, const UpdatedFeature& u, std::vector<ChangeMark>& marks) {
  for (const auto& p : cell.points)
    if (sameFeature(*p, u)) marks.push_back({p->position.point, false});
  for (const auto& s : cell.soundings)
    if (sameFeature(*s, u))
      for (const Sounding& sounding : s->soundings) marks.push_back({ChartPoint{sounding.x, sounding.y}, false});
  for (const auto& l : cell.lines)
    if (sameFeature(*l, u)) alongParts(l->parts, l->vertices, marks);
  for (const auto& a : cell.areas)
    if (sameFeature(*a, u)) {
      alongParts(a->exteriorParts, a->exteriorVertices, marks);
      if (a->hasBounds) marks.push_back({a->centre, false});
    }
}
}  // namespace

std::vector<ChangeMark> changeMarks(const S57Cell& cell, int number) {
  std::vector<ChangeMark> marks;
  for (const UpdateChanges& changes : cell.updateChanges) {
    if (changes.number != number) continue;
    for (const UpdatedFeature& u : changes.features) {
      if (u.instruction == 2) {
        if (u.located && cell.coordinateFactor > 0)
          marks.push_back({geoToChart(GeoPoint{static_cast<double>(u.y) / cell.coordinateFactor,
                                               static_cast<double>(u.x) / cell.coordinateFactor}),
                           true});
      } else {
        marksOf(cell, u, marks);
      }
    }
  }
  return marks;
}

void drawChangeMarks(const Canvas& canvas, const ViewGeometry& view, const std::vector<ChangeMark>& marks) {
  canvas.painter.save();
  for (const ChangeMark& mark : marks)
    drawSymbol(canvas, toLogicalExact(mark.at, view), mark.deleted ? "CHCRDEL1" : "CHCRID01", 0);
  canvas.painter.restore();
}

#include "GeometryAssembly.h"

#include <cstdlib>
#include <iterator>
#include <unordered_map>

#include "Antimeridian.h"
#include "ReaderResult.h"
#include "S57CellReader.h"

namespace {
using mercator::kPi;
using mercator::kTwoPi;

class Assembler {
public:
  Assembler(const S57CellReader& reader, S57Cell& cell, const AttributeCatalogue& catalogue)
      : reader_(reader), cell_(cell), catalogue_(catalogue) {
    indexVectors();
  }

  // Ok, or GeometryTooLarge when the budget ran out (assembly stops there).
  ReaderResult run() {
    for (const auto& record : reader_.features) {
      switch (record->PRIM) {
        case 1: addPoint(*record); break;
        case 2: addLine(*record); break;
        case 3: addArea(*record); break;
        default: break;  // no geometry
      }
      if (overBudget_) return ReaderResult::GeometryTooLarge;
    }
    return ReaderResult::Ok;
  }

private:
  ChartVertex project(int32_t y, int32_t x) const { return projectVertex(cell_, y, x); }

  // Vector records are looked up several times each (an edge for every
  // feature that uses it, a node for every edge that ends in it), so they
  // are indexed once by RCNM and RCID in plain arrays, and the 2-D
  // coordinates of each are projected on first use only.
  struct VectorSlot {
    const VRID* record = nullptr;
    std::int64_t firstPoint = -1;  // in points_, -1 until projected
    std::size_t pointCount = 0;    // the record's 2-D coordinates
  };

  static int slotTable(int rcnm) { return rcnm == 110 ? 0 : rcnm == 120 ? 1 : rcnm == 130 ? 2 : -1; }

  // Takes `count` vertices from the budget; false (and the budget marked
  // spent) when they do not fit.
  bool spend(std::size_t count) {
    if (overBudget_ || static_cast<long long>(count) > budget_) {
      overBudget_ = true;
      return false;
    }
    budget_ -= static_cast<long long>(count);
    return true;
  }

  void indexVectors() {
    long long fileCoordinates = 0;
    for (const auto& record : reader_.vectors)
      fileCoordinates += static_cast<long long>(record->coordinates2D.size() + record->coordinates3D.size());
    budget_ = kAssembledVerticesPerCoordinate * fileCoordinates + kAssembledVerticesFloor;

    // RCIDs are normally numbered densely from 1; far larger ones go to the map.
    const std::int64_t limit = 2 * static_cast<std::int64_t>(reader_.vectors.size()) + 1024;
    size_t pointCount = 0;
    for (const auto& [key, record] : reader_.vectorIndex) {
      const int table = slotTable(static_cast<int>(key & 0xFF));
      const std::int64_t rcid = static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 8));
      pointCount += record->coordinates2D.size();
      VectorSlot* slot;
      if (table >= 0 && rcid >= 0 && rcid < limit) {
        auto& slots = slots_[table];
        if (slots.size() <= static_cast<size_t>(rcid)) slots.resize(rcid + 1);
        slot = &slots[rcid];
      } else {
        slot = &otherSlots_[key];
      }
      slot->record = record.get();
      slot->pointCount = record->coordinates2D.size();
    }
    points_.reserve(pointCount);
  }

  VectorSlot* findVector(const RecordName& name) {
    const std::uint64_t key = nameKey(name);
    const int table = slotTable(name[0]);
    const std::int64_t rcid = static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 8));
    if (table >= 0 && rcid >= 0 && static_cast<size_t>(rcid) < slots_[table].size()) {
      VectorSlot& slot = slots_[table][rcid];
      return slot.record ? &slot : nullptr;
    }
    const auto it = otherSlots_.find(key);
    return it == otherSlots_.end() ? nullptr : &it->second;
  }

  // The projected 2-D coordinates of the slot's record.
  const ChartPoint* projected(VectorSlot& slot) {
    if (slot.firstPoint < 0) {
      slot.firstPoint = static_cast<std::int64_t>(points_.size());
      for (const SG2D& c : slot.record->coordinates2D) points_.push_back(project(c.YCOO, c.XCOO).point);
    }
    return points_.data() + slot.firstPoint;
  }

  void attachAttributes(const FRID& record, ChartFeature& feature) const {
    feature.objectClass = record.OBJL;
    feature.agency = record.AGEN;
    feature.featureNumber = record.FIDN;
    feature.featureSubdivision = record.FIDS;
    feature.attributes.reserve(record.attributes.size() + record.nationalAttributes.size());
    attach(record.attributes, feature, true);
    attach(record.nationalAttributes, feature, false);
    feature.mayHaveDates = false;
    for (const FeatureAttribute& a : feature.attributes)
      if (a.acronym == "DATSTA" || a.acronym == "DATEND" || a.acronym == "PERSTA" || a.acronym == "PEREND")
        feature.mayHaveDates = true;
  }

  // ATTF sets the scale limits even for codes the catalogue lacks; NATF only
  // for catalogued codes.
  void attach(const RecordList<ATTF_NATF>& list, ChartFeature& feature, bool limitsAlways) const {
    for (const ATTF_NATF& a : list) {
      const auto entry = catalogue_.find(a.attributeCode);
      const bool catalogued = entry != catalogue_.end();
      if (limitsAlways || catalogued) {
        if (a.attributeCode == "132") feature.scaleMaximum = std::atoi(a.attributeValue.c_str());
        else if (a.attributeCode == "133") feature.scaleMinimum = std::atoi(a.attributeValue.c_str());
      }
      if (catalogued) feature.attributes.push_back({entry->second.acronym, a.attributeValue});
    }
  }

  void addPoint(const FRID& record) {
    if (record.spatialPointers.empty()) return;
    VectorSlot* slot = findVector(record.spatialPointers.front().NAME);
    if (!slot) return;
    const VRID* node = slot->record;
    if (!spend(1 + node->coordinates3D.size())) return;
    if (!node->coordinates2D.empty()) {
      auto point = std::make_unique<PointFeature>();
      attachAttributes(record, *point);
      point->position.point = projected(*slot)[0];
      cell_.points.push_back(std::move(point));
    }
    if (!node->coordinates3D.empty()) {
      auto sounding = std::make_unique<SoundingFeature>();
      attachAttributes(record, *sounding);
      sounding->soundings.reserve(node->coordinates3D.size());
      const float somf = static_cast<float>(cell_.soundingFactor);
      for (const SG3D& c : node->coordinates3D) {
        const ChartVertex v = project(c.YCOO, c.XCOO);
        Sounding s;
        s.x = v.point.x;
        s.y = v.point.y;
        s.depth = static_cast<float>(c.VE3D) / somf;
        sounding->soundings.push_back(std::move(s));
      }
      cell_.soundings.push_back(std::move(sounding));
    }
  }

  // Appends the polyline of the edge behind `pointer` to `out` as a new
  // part: the edge's own vertices, reversed when ORNT is not 1, between its
  // begin and end nodes. False when the edge is missing.
  bool appendPart(const FSPT& pointer, std::uint8_t usage, std::vector<ChartVertex>& out,
                  std::vector<BoundaryPart>& parts) {
    VectorSlot* edgeSlot = findVector(pointer.NAME);
    if (!edgeSlot) return false;
    const VRID* edge = edgeSlot->record;
    // The edge's own vertices and at most its two end nodes.
    if (!spend(edgeSlot->pointCount + 2)) return false;
    const bool forward = pointer.ORNT == 1;

    // Nodes at the front were each placed before the previous ones, so they
    // are written in reverse.
    front_.clear();
    back_.clear();
    for (const VRPT& p : edge->pointers) {
      if (p.TOPI != 1 && p.TOPI != 2) continue;
      VectorSlot* node = findVector(p.NAME);
      if (!node || node->pointCount == 0) continue;
      ((p.TOPI == 1) == forward ? front_ : back_).push_back({projected(*node)[0], usage});
    }

    BoundaryPart part;
    part.offset = static_cast<std::uint32_t>(out.size());
    part.edgeAttributes.reserve(edge->attributes.size());
    for (const ATTF_NATF& a : edge->attributes) part.edgeAttributes.push_back({a.attributeCode, a.attributeValue});
    std::copy(pointer.NAME.begin(), pointer.NAME.end(), part.edgeName.begin());

    const size_t inner = edgeSlot->pointCount;
    const ChartPoint* innerPoints = inner ? projected(*edgeSlot) : nullptr;
    out.insert(out.end(), front_.rbegin(), front_.rend());
    for (size_t i = 0; i < inner; ++i) out.push_back({innerPoints[forward ? i : inner - 1 - i], usage});
    out.insert(out.end(), back_.begin(), back_.end());
    part.count = static_cast<std::uint32_t>(out.size() - part.offset);
    parts.push_back(std::move(part));
    return true;
  }

  // Parts are gathered in scratch lists that keep their capacity from one
  // feature to the next, then copied into the feature at their exact size.
  template <typename T>
  static void takeExact(std::vector<T>& scratch, std::vector<T>& into) {
    into.reserve(scratch.size());
    std::move(scratch.begin(), scratch.end(), std::back_inserter(into));
    scratch.clear();
  }

  void addLine(const FRID& record) {
    auto line = std::make_unique<LineFeature>();
    for (const FSPT& pointer : record.spatialPointers)
      if (!overBudget_) appendPart(pointer, 0, vertices_[0], parts_[0]);
    takeExact(vertices_[0], line->vertices);
    takeExact(parts_[0], line->parts);
    attachAttributes(record, *line);
    cell_.lines.push_back(std::move(line));
  }

  void addArea(const FRID& record) {
    auto area = std::make_unique<AreaFeature>();
    for (const FSPT& pointer : record.spatialPointers) {
      if (pointer.MASK == 0 || overBudget_) continue;
      const std::uint8_t usage = static_cast<std::uint8_t>(pointer.USAG);
      if (pointer.USAG == 1 || pointer.USAG == 3 || pointer.USAG == 255)
        appendPart(pointer, usage, vertices_[0], parts_[0]);
      else if (pointer.USAG == 2)
        appendPart(pointer, usage, vertices_[1], parts_[1]);
      // other usages are dropped
    }
    takeExact(vertices_[0], area->exteriorVertices);
    takeExact(parts_[0], area->exteriorParts);
    takeExact(vertices_[1], area->interiorVertices);
    takeExact(parts_[1], area->interiorParts);
    attachAttributes(record, *area);
    area->updateBounds();
    area->findHoles();
    cell_.areas.push_back(std::move(area));
  }

  const S57CellReader& reader_;
  S57Cell& cell_;
  const AttributeCatalogue& catalogue_;
  std::vector<ChartVertex> front_, back_;  // node scratch, reused per edge
  std::vector<ChartVertex> vertices_[2];    // exterior (or line) and interior scratch
  std::vector<BoundaryPart> parts_[2];
  std::vector<VectorSlot> slots_[3];        // isolated nodes, connected nodes, edges by RCID
  std::unordered_map<std::uint64_t, VectorSlot> otherSlots_;
  std::vector<ChartPoint> points_;          // projected 2-D coordinates of used records
  long long budget_ = 0;                    // vertices the cell may still assemble
  bool overBudget_ = false;
};
}  // namespace

ChartVertex projectVertex(const S57Cell& cell, std::int32_t YCOO, std::int32_t XCOO) {
  const double factor = cell.coordinateFactor;
  const double latitude = YCOO / factor * kPi / 180.0;
  double longitude = XCOO / factor * kPi / 180.0;
  if (cell.crossesAntimeridian && XCOO < 0) longitude += kTwoPi;
  ChartVertex v;
  v.point = projectRadians(latitude, longitude, cell.projectionRadius);
  return v;
}

ReaderResult assembleFeatures(const S57CellReader& reader, S57Cell& cell, const AttributeCatalogue& attributes) {
  cell.crossesAntimeridian = crossesAntimeridian(reader, cell.coordinateFactor);
  return Assembler(reader, cell, attributes).run();
}

#pragma once
// Collects the records of a synthetic cell: vector records are written as
// they are made and numbered from 1 by kind, feature records are kept and
// written after all vectors (as producers order them), also numbered from 1.
// Used by the demo cell and the portfolio cells.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "S57Writer.h"

namespace demo {

// A feature's English (OBJNAM) and Chinese (NOBJNM) names, either optional.
struct Names {
  const char* english = nullptr;
  const char16_t* chinese = nullptr;
};

// An edge taken forward (1) or backward (2).
using EdgeUse = std::pair<int64_t, int>;

class CellRecords {
public:
  CellRecords(const s57write::DataSet& dataSet, const s57write::Parameters& parameters, int agency);

  int64_t connectedNode(s57write::Coordinate at);
  int64_t isolatedNode(s57write::Coordinate at);
  int64_t soundingNode(const std::vector<s57write::Sounding>& soundings);
  int64_t edge(int64_t from, int64_t to, const std::vector<s57write::Coordinate>& interior = {});
  // A closed boundary of its own: a node at the first position and an edge
  // from it back to it through the others (the first need not be repeated).
  int64_t ring(const std::vector<s57write::Coordinate>& points);

  // A point on an isolated node; returns its index for link().
  size_t point(int64_t node, int objl, std::vector<s57write::Attribute> attributes, Names names = {});
  void lineFeature(const std::vector<EdgeUse>& edges, int objl, std::vector<s57write::Attribute> attributes,
                   Names names = {});
  // An area whose exterior boundary runs clockwise along the edges, and whose
  // holes (interior boundaries) run anticlockwise along `interior`.
  void area(const std::vector<EdgeUse>& edges, int objl, std::vector<s57write::Attribute> attributes,
            Names names = {}, const std::vector<EdgeUse>& interior = {});
  // Makes point `slave` (a topmark or light) part of point `master` (its buoy
  // or landmark).
  void link(size_t master, size_t slave);

  size_t featureCount() const { return pending_.size(); }
  // Writes the features after the vectors and hands the cell over.
  s57write::S57Writer finish();

private:
  s57write::Feature feature(int prim, int objl, std::vector<s57write::Attribute> attributes, Names names);

  std::vector<s57write::Feature> pending_;
  s57write::S57Writer writer_;
  int agency_;
  int64_t nodes_ = 0, edges_ = 0, features_ = 0;
};

}  // namespace demo

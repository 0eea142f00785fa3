#include "CellRecords.h"

using namespace s57write;

namespace demo {

namespace {
constexpr int kObjectName = 116;          // OBJNAM
constexpr int kNationalObjectName = 301;  // NOBJNM

// Skin-of-the-earth classes (group 1): depth, land and dredged areas.
bool groupOne(int objl) { return objl == 42 || objl == 71 || objl == 46; }
}  // namespace

CellRecords::CellRecords(const DataSet& dataSet, const Parameters& parameters, int agency) : agency_(agency) {
  writer_.addDataSet(dataSet, parameters);
}

int64_t CellRecords::connectedNode(Coordinate at) {
  writer_.addConnectedNode(++nodes_, at);
  return nodes_;
}

int64_t CellRecords::isolatedNode(Coordinate at) {
  writer_.addIsolatedNode(++nodes_, at);
  return nodes_;
}

int64_t CellRecords::soundingNode(const std::vector<Sounding>& soundings) {
  writer_.addSoundingNode(++nodes_, soundings);
  return nodes_;
}

int64_t CellRecords::edge(int64_t from, int64_t to, const std::vector<Coordinate>& interior) {
  writer_.addEdge(++edges_, from, to, interior);
  return edges_;
}

int64_t CellRecords::ring(const std::vector<Coordinate>& points) {
  const int64_t node = connectedNode(points.front());
  return edge(node, node, std::vector<Coordinate>(points.begin() + 1, points.end()));
}

Feature CellRecords::feature(int prim, int objl, std::vector<Attribute> attributes, Names names) {
  Feature f;
  f.rcid = f.fidn = ++features_;
  f.prim = prim;
  f.grup = groupOne(objl) ? 1 : 2;
  f.objl = objl;
  f.agen = agency_;
  f.attributes = std::move(attributes);
  if (names.english) f.attributes.push_back({kObjectName, names.english});
  if (names.chinese) f.nationalAttributes.push_back({kNationalObjectName, names.chinese});
  return f;
}

size_t CellRecords::point(int64_t node, int objl, std::vector<Attribute> attributes, Names names) {
  pending_.push_back(feature(1, objl, std::move(attributes), names));
  pending_.back().spatialPointers = {{kIsolatedNode, node, 255, 255, 255}};
  return pending_.size() - 1;
}

void CellRecords::lineFeature(const std::vector<EdgeUse>& edges, int objl, std::vector<Attribute> attributes,
                              Names names) {
  Feature f = feature(2, objl, std::move(attributes), names);
  for (auto [e, ornt] : edges) f.spatialPointers.push_back({kEdge, e, ornt, 255, 255});
  pending_.push_back(std::move(f));
}

void CellRecords::area(const std::vector<EdgeUse>& edges, int objl, std::vector<Attribute> attributes, Names names,
                       const std::vector<EdgeUse>& interior) {
  Feature f = feature(3, objl, std::move(attributes), names);
  for (auto [e, ornt] : edges) f.spatialPointers.push_back({kEdge, e, ornt, 1, 255});
  for (auto [e, ornt] : interior) f.spatialPointers.push_back({kEdge, e, ornt, 2, 255});
  pending_.push_back(std::move(f));
}

void CellRecords::link(size_t master, size_t slave) {
  const Feature& s = pending_[slave];
  pending_[master].featurePointers.push_back({longName(agency_, s.fidn, s.fids), 2, ""});
}

S57Writer CellRecords::finish() {
  for (const Feature& f : pending_) writer_.addFeature(f);
  pending_.clear();
  return std::move(writer_);
}

}  // namespace demo

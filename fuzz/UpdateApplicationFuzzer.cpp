// Feeds arbitrary bytes as an update file to a base cell: the update file
// reader, then the application of its records. The base is the shared cell
// the update names (US5WA22M, AA400008, AA400010, AA400011 when the shared
// cells are there), else a small cell made here. Checks the all-or-nothing
// rule on the way: an update that fails leaves the cell's record lists and
// vector index exactly as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "S57CellReader.h"
#include "S57Writer.h"
#include "UpdateApplication.h"
#include "UpdateFile.h"

namespace {

using Bases = std::map<std::string, std::unique_ptr<S57CellReader>, std::less<>>;

std::unique_ptr<S57CellReader> smallBase() {
  using namespace s57write;
  S57Writer w;
  DataSet d;
  d.dsnm = "FUZZBASE.000";
  w.addDataSet(d);
  w.addIsolatedNode(1, {470000000, -1220000000});
  w.addSoundingNode(2, {{470100000, -1220100000, 105}, {470200000, -1220200000, 210}});
  w.addConnectedNode(10, {470000000, -1221000000});
  w.addConnectedNode(11, {470500000, -1221000000});
  w.addEdge(20, 10, 11, {{470100000, -1221100000}, {470200000, -1221100000}});
  Feature light;
  light.rcid = 1;
  light.objl = 75;
  light.attributes = {{116, "Light"}};
  light.spatialPointers = {{kIsolatedNode, 1, 255, 255, 255}};
  Feature line;
  line.rcid = 2;
  line.prim = 2;
  line.objl = 43;
  line.spatialPointers = {{kEdge, 20, 1, 255, 255}};
  line.featurePointers = {{longName(550, 1, 1), 2, ""}};
  w.addFeature(light).addFeature(line);
  auto reader = std::make_unique<S57CellReader>();
  reader->readCellBytes(w.image());
  return reader;
}

const Bases& bases() {
  static const Bases loaded = [] {
    Bases b;
    b.emplace("FUZZBASE", smallBase());
#ifdef CHART_SHARED_ENC
    for (const char* cell : {"US5WA22M/US5WA22M", "s58/AA400008", "s58/AA400010", "s58/AA400011"}) {
      auto reader = std::make_unique<S57CellReader>();
      if (reader->readCell(std::string(CHART_SHARED_ENC) + "/" + cell + ".000") == ReaderResult::Ok) {
        const std::string& name = reader->dataSetIdentification.DSNM;
        b.emplace(name.substr(0, name.find('.')), std::move(reader));
      }
    }
#endif
    return b;
  }();
  return loaded;
}

volatile size_t sink;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UpdateFile update;
  std::string detail;
  if (readUpdateBytes(std::string_view(reinterpret_cast<const char*>(data), size), update, detail) !=
      UpdateResult::Ok)
    return 0;
  const std::string_view name = update.dataSet.DSNM;
  auto base = bases().find(name.substr(0, name.find('.')));
  if (base == bases().end()) base = bases().find("FUZZBASE");
  const S57CellReader& original = *base->second;

  S57CellReader cell;  // shares the base's record holders
  cell.dataSetIdentification = original.dataSetIdentification;
  cell.features = original.features;
  cell.vectors = original.vectors;
  cell.vectorIndex = original.vectorIndex;
  UpdateApplication application(cell);
  if (application.apply(update, detail) != UpdateResult::Ok &&
      (cell.features != original.features || cell.vectors != original.vectors ||
       cell.vectorIndex != original.vectorIndex))
    std::abort();  // a failed update changed the cell
  application.finish();

  size_t found = 0;
  for (const auto& feature : cell.features)
    for (const FSPT& pointer : feature->spatialPointers) found += cell.findVector(pointer.NAME) != nullptr;
  for (const auto& [key, vector] : cell.vectorIndex)
    for (const VRPT& pointer : vector->pointers) found += cell.findVector(pointer.NAME) != nullptr;
  sink = found;
  return 0;
}

#include "StoreFixtures.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "CatalogueWriter.h"
#include "Crc32.h"
#include "S57Writer.h"

namespace storetest {

using namespace s57write;

namespace {

constexpr int kOBJNAM = 116, kCATCOV = 18, kLIGHTS = 75, kM_COVR = 302;

std::string fileName(const std::string& name, int number) {
  char extension[8];
  std::snprintf(extension, sizeof extension, ".%03d", number);
  return name + extension;
}

}  // namespace

std::string baseCell(const std::string& name, int edition, int updn, const std::string& issued) {
  DataSet d;
  d.dsnm = fileName(name, 0);
  d.edtn = std::to_string(edition);
  d.updn = std::to_string(updn);
  d.isdt = issued;
  d.uadt = issued;
  S57Writer w;
  w.addDataSet(d);
  w.addIsolatedNode(1, {500500000, 10500000});
  w.addConnectedNode(10, {500000000, 10000000});
  w.addEdge(20, 10, 10, {{501000000, 10000000}, {501000000, 11000000}, {500000000, 11000000}});
  Feature light;
  light.rcid = 1;
  light.objl = kLIGHTS;
  light.rver = 1 + updn;
  light.attributes = {{kOBJNAM, "Light " + std::to_string(updn)}};
  SpatialPointer node;
  node.rcnm = kIsolatedNode;
  node.rcid = 1;
  light.spatialPointers = {node};
  Feature coverage;
  coverage.rcid = 2;
  coverage.prim = 3;
  coverage.grup = 1;
  coverage.objl = kM_COVR;
  coverage.fidn = 2;
  coverage.attributes = {{kCATCOV, "1"}};
  SpatialPointer edge;
  edge.rcnm = kEdge;
  edge.rcid = 20;
  edge.ornt = 1;
  edge.usag = 1;
  coverage.spatialPointers = {edge};
  w.addFeature(light).addFeature(coverage);
  return w.image();
}

std::string updateCell(const std::string& name, int edition, int number, const std::string& issued) {
  DataSet d;
  d.dsnm = fileName(name, number);
  d.expp = 2;
  d.edtn = std::to_string(edition);
  d.updn = std::to_string(number);
  d.isdt = issued;
  d.uadt = "";
  S57Writer w;
  w.addDataSetIdentification(d);
  if (edition != 0) {
    Feature light;
    light.rcid = 1;
    light.objl = kLIGHTS;
    light.ruin = kModify;
    light.rver = 1 + number;
    light.attributes = {{kOBJNAM, "Light " + std::to_string(number)}};
    w.addFeature(light);
  }
  return w.image();
}

void writeExchangeSet(const fs::path& dir, const std::vector<SetFile>& files) {
  const fs::path root = dir / "ENC_ROOT";
  std::vector<CatalogueFile> listed;
  for (const SetFile& f : files) {
    const fs::path path = root / f.name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << f.bytes;
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", crc32(f.bytes));
    listed.push_back({f.name, f.crc.empty() ? std::string(crc) : f.crc});
  }
  std::ofstream(root / "CATALOG.031", std::ios::binary) << catalogueImage(listed);
}

TempFolder::TempFolder(const std::string& what) {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() / (what + "_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::vector<std::pair<std::string, std::string>> folderContent(const fs::path& dir) {
  std::vector<std::pair<std::string, std::string>> content;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string relative = it->path().lexically_relative(dir).string();
    if (it->is_symlink()) {
      content.emplace_back(relative, "-> " + fs::read_symlink(it->path()).string());
    } else if (it->is_regular_file()) {
      std::ifstream in(it->path(), std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      content.emplace_back(relative, bytes.str());
    } else {
      content.emplace_back(relative + "/", "");
    }
  }
  std::sort(content.begin(), content.end());
  return content;
}

}  // namespace storetest

// enctool basemap --level TOPOJSON FROMSCALE ... --out FILE: converts
// Natural Earth land (TopoJSON, npm package world-atlas) into the world land
// file the chart display draws its base map from. Each level serves views of
// scale FROMSCALE and above that no coarser level serves.
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "TopoJsonLand.h"
#include "WorldLandFile.h"

namespace {
int usage() {
  std::fprintf(stderr, "usage: enctool basemap --level TOPOJSON FROMSCALE [--level ...] --out FILE\n");
  return 2;
}
}  // namespace

int runBasemapCommand(int argc, char** argv) {
  struct Source {
    std::string path;
    float fromScale;
  };
  std::vector<Source> sources;
  std::string out;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--level") == 0 && i + 2 < argc) {
      char* end = nullptr;
      const float scale = std::strtof(argv[i + 2], &end);
      if (end == argv[i + 2] || *end != '\0' || !(scale >= 0) || !std::isfinite(scale)) {
        std::fprintf(stderr, "enctool basemap: '%s' is not a scale of 0 or more\n", argv[i + 2]);
        return 2;
      }
      sources.push_back({argv[i + 1], scale});
      i += 2;
    } else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else {
      std::fprintf(stderr, "enctool basemap: unexpected argument '%s'\n", argv[i]);
      return usage();
    }
  }
  if (sources.empty() || out.empty()) return usage();
  std::stable_sort(sources.begin(), sources.end(),
                   [](const Source& a, const Source& b) { return a.fromScale > b.fromScale; });

  WorldLandData data;
  for (const Source& source : sources) {
    QFile file(QString::fromLocal8Bit(source.path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "enctool basemap: %s cannot be opened\n", source.path.c_str());
      return 1;
    }
    WorldLandLevel level;
    level.fromScale = source.fromScale;
    QString error;
    if (!decodeTopoJsonLand(file.readAll(), level.polygons, error)) {
      std::fprintf(stderr, "enctool basemap: %s: %s\n", source.path.c_str(), qPrintable(error));
      return 1;
    }
    std::size_t points = 0;
    for (const WorldLandPolygon& p : level.polygons)
      for (const auto& r : p.rings) points += r.size();
    std::printf("%s: %zu polygons, %zu points, from scale %.0f\n", source.path.c_str(), level.polygons.size(),
                points, static_cast<double>(level.fromScale));
    data.levels.push_back(std::move(level));
  }
  const std::string bytes = encodeWorldLand(data);
  const std::string temporary = out + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
      std::fprintf(stderr, "enctool basemap: cannot write %s\n", temporary.c_str());
      std::remove(temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), out.c_str()) != 0) {
    std::fprintf(stderr, "enctool basemap: cannot replace %s\n", out.c_str());
    std::remove(temporary.c_str());
    return 1;
  }
  std::printf("%s: %zu bytes\n", out.c_str(), bytes.size());
  return 0;
}

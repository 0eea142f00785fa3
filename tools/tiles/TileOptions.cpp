#include "TileOptions.h"

#include <QDir>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tiles {

namespace {

bool parseInt(const std::string& text, int low, int high, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

bool parseDouble(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(value);
}

// "A-B" (or "A" for A-A) into two integers.
bool parseRange(const std::string& text, char separator, int low, int high, int& a, int& b) {
  const size_t split = text.find(separator);
  if (split == std::string::npos) {
    if (!parseInt(text, low, high, a)) return false;
    b = a;
    return true;
  }
  return parseInt(text.substr(0, split), low, high, a) && parseInt(text.substr(split + 1), low, high, b);
}

bool parseBox(const std::string& text, GeoBox& box) {
  double v[4];
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = text.find(',', start);
    if ((comma == std::string::npos) != (i == 3)) return false;
    if (!parseDouble(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), v[i]))
      return false;
    start = comma + 1;
  }
  box = GeoBox{v[0], v[1], v[2], v[3]};
  return box.south < box.north && box.west < box.east && box.south >= -90 && box.north <= 90 &&
         box.west >= -180 && box.east <= 180;
}

bool endsWith(const std::string& text, const char* suffix) {
  const size_t n = std::strlen(suffix);
  if (text.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != suffix[i]) return false;
  return true;
}

}  // namespace

bool parseTileOptions(int argc, char** argv, TileOptions& o, std::string& error) {
  auto fail = [&](const std::string& message, const std::string& value = std::string()) {
    error = value.empty() ? message : message + " '" + value + "'";
    return false;
  };
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue = arg == "--library" || arg == "--cells" || arg == "--store" || arg == "--zoom" ||
                            arg == "--bbox" ||
                            arg == "--scheme" || arg == "--contours" || arg == "--out" || arg == "--jobs" ||
                            arg == "--part";
    std::string value;
    if (takesValue) {
      if (i + 1 >= argc) return fail("option needs a value:", arg);
      value = argv[++i];
    }
    if (arg == "--library") {
      o.library = value;
    } else if (arg == "--cells") {
      o.cellDirectory = value;
    } else if (arg == "--store") {
      o.storeDirectory = value;
    } else if (arg == "--zoom") {
      if (!parseRange(value, '-', 0, kMaximumZoom, o.minZoom, o.maxZoom) || o.minZoom > o.maxZoom)
        return fail("--zoom needs Z1-Z2 with 0 <= Z1 <= Z2 <= " + std::to_string(kMaximumZoom) + ", got", value);
    } else if (arg == "--bbox") {
      if (!parseBox(value, o.box))
        return fail("--bbox needs S,W,N,E in degrees with S < N and W < E, got", value);
      o.hasBox = true;
    } else if (arg == "--scheme") {
      if (!parseInt(value, 1, 5, o.scheme)) return fail("--scheme needs 1 to 5, got", value);
    } else if (arg == "--contours") {
      if (!parseInt(value, 5, 20, o.contours) || (o.contours != 5 && o.contours != 10 && o.contours != 20))
        return fail("--contours needs 5, 10 or 20, got", value);
    } else if (arg == "--out") {
      o.out = value;
    } else if (arg == "--jobs") {
      if (!parseInt(value, 1, kMaximumJobs, o.jobs))
        return fail("--jobs needs a thread count from 1 to " + std::to_string(kMaximumJobs) + ", got", value);
    } else if (arg == "--part") {
      if (!parseRange(value, '/', 1, 1000000, o.part, o.parts) || value.find('/') == std::string::npos ||
          o.part > o.parts)
        return fail("--part needs K/N with 1 <= K <= N, got", value);
    } else if (arg == "--paper") {
      o.paper = true;
    } else if (arg == "--soundings") {
      o.soundings = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option", arg);
    } else {
      o.cells.push_back(arg);
    }
  }
  if (o.library.empty()) return fail("--library DIR is required");
  if (o.minZoom < 0) return fail("--zoom Z1-Z2 is required");
  if (o.out.empty()) return fail("--out DIR or --out FILE.mbtiles is required");
  const int given = !o.cellDirectory.empty() + !o.storeDirectory.empty() + !o.cells.empty();
  if (given > 1) return fail("give one of --cells DIR, --store DIR or cell files");
  if (given == 0) return fail("give the cells: --cells DIR, --store DIR or cell files");
  o.mbtiles = endsWith(o.out, ".mbtiles");
  if (!o.cellDirectory.empty()) {
    const QDir dir(QString::fromStdString(o.cellDirectory));
    if (!dir.exists()) return fail("no such cell directory", o.cellDirectory);
    for (const QString& name : dir.entryList({QStringLiteral("*.000")}, QDir::Files, QDir::Name))
      o.cells.push_back(dir.filePath(name).toStdString());
    if (o.cells.empty()) return fail("no cell (*.000) in", o.cellDirectory);
  }
  return true;
}

}  // namespace tiles

#include "MarinerOptions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const kMarinerOptionsUsage =
    "         [--safety-depth M] [--shallow-dangers] [--plain-boundaries] [--full-sectors]\n"
    "         [--data-quality] [--no-scamin] [--pixel-size MM]\n";

namespace {
bool parseNumber(const char* text, double low, double high, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= low && value <= high;
}
}  // namespace

int parseMarinerOption(int argc, char** argv, int& i, MarinerOptions& o, std::string& error) {
  const char* arg = argv[i];
  const struct {
    const char* name;
    bool* flag;
  } switches[] = {{"--shallow-dangers", &o.shallowDangers},
                  {"--plain-boundaries", &o.plainBoundaries},
                  {"--full-sectors", &o.fullSectors},
                  {"--data-quality", &o.dataQuality},
                  {"--no-scamin", &o.noScaleMinimum}};
  for (const auto& s : switches) {
    if (std::strcmp(arg, s.name) != 0) continue;
    *s.flag = true;
    return 1;
  }
  const bool depth = std::strcmp(arg, "--safety-depth") == 0, pixel = std::strcmp(arg, "--pixel-size") == 0;
  if (!depth && !pixel) return 0;
  if (i + 1 >= argc) {
    error = std::string(arg) + " needs a value";
    return -1;
  }
  const char* value = argv[++i];
  double number = 0;
  if (depth && parseNumber(value, 0, kMaximumSafetyContour, number)) {
    o.safetyDepth = static_cast<float>(number);
  } else if (pixel && parseNumber(value, 0.01, 2.0, number)) {
    o.pixelMillimetres = number;
  } else {
    error = std::string(arg) + (depth ? " must lie from 0 to 500 m" : " must lie from 0.01 to 2 mm") + ", got '" +
            value + "'";
    return -1;
  }
  return 1;
}

void applyMarinerOptions(const MarinerOptions& o, DisplaySettings& s) {
  if (o.safetyDepth >= 0) s.setSafetyDepth(o.safetyDepth);
  s.setShallowWaterDangers(o.shallowDangers ? 1 : 2);
  s.setPlainBoundaries(o.plainBoundaries ? 1 : 2);
  s.setRangeLegs(o.fullSectors ? 1 : 2);
  s.setShowDataQuality(o.dataQuality ? 1 : 2);
  if (o.noScaleMinimum) s.setUseScaleMinimum(2);
}

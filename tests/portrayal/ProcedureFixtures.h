#pragma once
// Helpers for the procedure tests: features and cells built in memory, the
// display settings restored after each test, and instructions written as
// short texts so that tables of expected output stay readable.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ChartModel.h"
#include "ColourToken.h"
#include "DisplaySettings.h"

namespace fixtures {

using Attributes = std::vector<FeatureAttribute>;

// Every test draws with its own settings, from contour set 10 (safety 10,
// shallow 5, deep 20) and the other start values.
class ProcedureTest : public testing::Test {
protected:
  ProcedureTest() {
    settings_.safetyContour = 10;
    settings_.shallowContour = 5;
    settings_.deepContour = 20;
  }
  DisplaySettings& settings() { return settings_; }

private:
  PresentationLibrary library_;  // the colour tables the settings name
  DisplaySettings settings_{library_};
};

// One instruction as text: "SY NAME", "SY NAME @rotation", "LS DASH,2,CHMGD",
// "LC NAME", "AC DEPVS", "AC DEPVS/2", "AP NAME", "ARC SOLD,4,OUTLW 225-270 r20",
// "TX 'text' 3,2,3,2,0". Members a kind does not use are listed when they are
// not at their start value, so stray values show up in the comparison.
inline std::string describe(const Instruction& i) {
  std::ostringstream s;
  auto style = [&] { return i.style == 1 ? "SOLD" : i.style == 2 ? "DASH" : "?"; };
  bool colour = false, width = false, styleUsed = false, transparency = false, yOffset = false, name = false,
       text2 = false, text3 = false;
  switch (i.kind) {
    case kSY:
      s << "SY " << i.name;
      if (!i.text2.empty()) s << " @" << i.text2;
      name = text2 = true;
      break;
    case kLS:
      s << "LS " << style() << ',' << i.width << ',' << colourToken(i.colour);
      if (!i.name.empty()) s << " bearing " << i.name;
      if (!i.text2.empty()) s << " length " << i.text2;
      if (!i.text3.empty()) s << ' ' << i.text3;  // the unit of a leg on the ground
      colour = width = styleUsed = name = text2 = text3 = true;
      break;
    case kLC:
      s << "LC " << i.name;
      name = true;
      break;
    case kAC:
      s << "AC " << colourToken(i.colour);
      if (i.transparency != -1) s << '/' << i.transparency;
      colour = transparency = true;
      break;
    case kAP:
      s << "AP " << i.name;
      name = true;
      break;
    case kARC:
      s << "ARC " << style() << ',' << i.width << ',' << colourToken(i.colour) << ' ' << i.name << '-' << i.text3
        << " r" << i.text2;
      colour = width = styleUsed = name = text2 = text3 = true;
      break;
    case kTX:
    case kTE:
      s << (i.kind == kTX ? "TX '" : "TE '") << i.text2 << "' " << i.colour << ',' << i.width << ',' << i.style << ','
        << i.transparency << ',' << i.yOffset;
      if (!i.name.empty()) s << " format " << i.name;
      colour = width = styleUsed = transparency = yOffset = name = text2 = true;
      break;
    default:
      s << "kind " << i.kind;
  }
  if (!colour && i.colour != 0) s << " colour=" << i.colour;
  if (!width && i.width != 0) s << " width=" << i.width;
  if (!styleUsed && i.style != 0) s << " style=" << i.style;
  if (!transparency && i.transparency != -1) s << " transparency=" << i.transparency;
  if (!yOffset && i.yOffset != 0) s << " yOffset=" << i.yOffset;
  if (!name && !i.name.empty()) s << " name=" << i.name;
  if (!text2 && !i.text2.empty()) s << " text2=" << i.text2;
  if (!text3 && !i.text3.empty()) s << " text3=" << i.text3;
  if (i.textPrepared) s << " prepared";
  return s.str();
}

inline std::vector<std::string> describe(const std::vector<Instruction>& list) {
  std::vector<std::string> out;
  for (const Instruction& i : list) out.push_back(describe(i));
  return out;
}

// The names of a list of SY instructions (other kinds described in full).
inline std::vector<std::string> symbolNames(const std::vector<Instruction>& list) {
  std::vector<std::string> out;
  for (const Instruction& i : list) out.push_back(i.kind == kSY && i.text2.empty() ? i.name : describe(i));
  return out;
}

inline void setAttribute(ChartFeature& f, const std::string& acronym, const std::string& value) {
  f.attributes.push_back({acronym, value});
}

// An axis-aligned square area with corners (x0, y0) and (x1, y1).
inline AreaFeature& addArea(S57Cell& cell, int objectClass, double x0, double y0, double x1, double y1,
                            Attributes attributes = {}) {
  auto area = std::make_unique<AreaFeature>();
  area->objectClass = objectClass;
  area->attributes = std::move(attributes);
  for (auto [x, y] : {std::pair{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}) area->exteriorVertices.push_back({{x, y}, 1});
  area->updateBounds();
  cell.areas.push_back(std::move(area));
  return *cell.areas.back();
}

inline PointFeature& addPoint(S57Cell& cell, int objectClass, double x, double y, Attributes attributes = {}) {
  auto point = std::make_unique<PointFeature>();
  point->objectClass = objectClass;
  point->position.point = {x, y};
  point->attributes = std::move(attributes);
  cell.points.push_back(std::move(point));
  return *cell.points.back();
}

}  // namespace fixtures

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
// "LS SOLD,1,CHBLK bearing 180 length 25" (a leg; " NM" when on the
// ground), "LC NAME", "AC DEPVS", "AC DEPVS/2", "AP NAME",
// "ARC SOLD,4,OUTLW 225-270 r20", "TX 'text' 3,2,3,2,0". Members that would
// not show otherwise are listed when they are not at their start value, so
// stray values show up in the comparison.
inline std::string describe(const Instruction& i) {
  std::ostringstream s;
  auto dash = [](LineDash d) { return d == LineDash::Solid ? "SOLD" : d == LineDash::Dashed ? "DASH" : "?"; };
  auto number = [](double v) {
    std::ostringstream n;
    n.precision(15);
    n << v;
    return n.str();
  };
  switch (i.kind()) {
    case InstructionKind::Symbol: {
      const Symbol& y = i.as<Symbol>();
      s << "SY " << y.name;
      if (!y.rotation.empty()) s << " @" << y.rotation;
      if (!y.rotationAttribute.empty()) s << " rotationAttribute=" << y.rotationAttribute;
      break;
    }
    case InstructionKind::LineStyle: {
      const LineStyle& l = i.as<LineStyle>();
      s << "LS " << dash(l.dash) << ',' << l.width << ',' << colourToken(l.colour);
      break;
    }
    case InstructionKind::Leg: {
      const Leg& l = i.as<Leg>();
      s << "LS " << dash(l.dash) << ',' << l.width << ',' << colourToken(l.colour) << " bearing " << number(l.bearing)
        << " length " << number(l.length);
      if (l.onGround) s << " NM";
      break;
    }
    case InstructionKind::ComplexLine: s << "LC " << i.as<ComplexLine>().name; break;
    case InstructionKind::AreaColour: {
      const AreaColour& a = i.as<AreaColour>();
      s << "AC " << colourToken(a.colour);
      if (a.transparency != -1) s << '/' << a.transparency;
      break;
    }
    case InstructionKind::AreaPattern: s << "AP " << i.as<AreaPattern>().name; break;
    case InstructionKind::SectorArc: {
      const SectorArc& a = i.as<SectorArc>();
      s << "ARC " << dash(a.dash) << ',' << a.width << ',' << colourToken(a.colour) << ' ' << a.start << '-' << a.end
        << " r" << number(a.radius);
      break;
    }
    case InstructionKind::PlainText:
    case InstructionKind::FormattedText: {
      const Text& t = *i.text();
      const PlainText* tx = i.find<PlainText>();
      const FormattedText* te = i.find<FormattedText>();
      const std::string& attribute = tx ? tx->attribute : te->attribute;
      s << (tx ? "TX '" : "TE '") << (t.prepared ? t.text : attribute) << "' " << t.horizontal << ',' << t.vertical
        << ',' << t.spacing << ',' << t.xOffset << ',' << t.yOffset;
      if (te && !te->format.empty()) s << " format " << te->format;
      if (!t.nationalText.empty()) s << " national=" << t.nationalText;
      if (t.prepared) s << " prepared";
      break;
    }
    case InstructionKind::ProcedureCall: s << "CS " << i.as<ProcedureCall>().name; break;
    case InstructionKind::None: s << "none"; break;
  }
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
  for (const Instruction& i : list) {
    const Symbol* symbol = i.find<Symbol>();
    out.push_back(symbol && symbol->rotation.empty() ? symbol->name : describe(i));
  }
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

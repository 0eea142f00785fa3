#include "LightProcedure.h"

#include <cstdlib>
#include <string_view>

#include "CellFinishing.h"
#include "ColourToken.h"
#include "DecimalNumber.h"
#include "ProcedureSupport.h"

namespace {
// A leg of `length` units of 88 logical units, or of that many nautical
// miles on the ground (`onGround`), at `bearing` degrees.
Instruction leg(double bearing, double length, LineDash dash, bool onGround = false) {
  const LineStyle style = procedureLineStyle(dash, 1, "CHBLK");
  Leg l;
  l.colour = style.colour;
  l.width = style.width;
  l.dash = style.dash;
  l.bearing = bearing;
  l.length = length;
  l.onGround = onGround;
  return l;
}

// A bearing or a length as the attribute gives it, read with C atof rules.
double number(const std::string& text) { return std::atof(text.c_str()); }

Instruction arc(const char* colour, int width, LineDash dash, long long start, long long end, float radius) {
  const LineStyle style = procedureLineStyle(dash, width, colour);
  SectorArc a;
  a.colour = style.colour;
  a.width = style.width;
  a.dash = style.dash;
  a.start = start;
  a.end = end;
  a.radius = radius;
  return a;
}

const char* flareSymbol(const std::string& colour) {
  if (isOneOf(colour, {"3", "1,3"})) return "LIGHTS11";
  if (isOneOf(colour, {"4", "1,4"})) return "LIGHTS12";
  if (isOneOf(colour, {"1", "5,6", "11", "6"})) return "LIGHTS13";
  return "LITDEF11";
}

const char* arcColour(const std::string& colour) {
  if (isOneOf(colour, {"3", "1,3"})) return "LITRD";
  if (isOneOf(colour, {"4", "1,4"})) return "LITGN";
  if (isOneOf(colour, {"1", "5,6", "11", "6"})) return "LITYW";
  return "CHMGD";
}

bool samePosition(const PointFeature& a, const PointFeature& b) {
  return a.position.point.x == b.position.point.x && a.position.point.y == b.position.point.y;
}

// Another all-round light at exactly this position, and this one white,
// yellow or orange: the flare turns to 45 degrees and the text moves up so
// that the two lights stay apart.
bool sharesPosition(const PointFeature& light, const S57Cell& cell, const std::string& colour) {
  if (!anyOf(splitList(colour), {"1", "6", "11"})) return false;
  for (const PointFeature* other : cell.nonSectorLights)
    if (other != &light && samePosition(*other, light)) return true;
  return false;
}

// Whether a sector light at the same position has a sector nested with
// start..end (one inside the other).
bool nestedSector(const PointFeature& light, long long start, long long end, const S57Cell& cell) {
  const float a = static_cast<float>(start - 180);
  const float b = static_cast<float>(end - 180);
  for (const PointFeature* other : cell.lights) {
    if (other == &light || !samePosition(*other, light)) continue;
    auto [f, g] = sectorLimits(*other);
    if (f == g || (f == 0 && g == 360)) continue;  // no sector
    if (f > g) g += 360;
    if ((b < g && a > f) || (b > g && a < f)) return true;
  }
  return false;
}


// The character of the light as S-52 abbreviates it (the abbreviations of
// INT 1); alternating lights start with "Al.".
const char* characterText(int code) {
  switch (code) {
    case 1: return "F";
    case 2: return "Fl";
    case 3: return "LFl";
    case 4: return "Q";
    case 5: return "VQ";
    case 6: return "UQ";
    case 7: return "Iso";
    case 8: return "Oc";
    case 9: return "IQ";
    case 10: return "IVQ";
    case 11: return "IUQ";
    case 12: return "Mo";
    case 13: return "FFl";
    case 14: return "Fl+LFl";
    case 15: return "OcFl";
    case 16: return "FLFl";
    case 17: return "Al.Oc";
    case 18: return "Al.LFl";
    case 19: return "Al.Fl";
    case 20: return "Al.Fl";  // group alternating: the groups follow in SIGGRP
    case 25: return "Q+LFl";
    case 26: return "VQ+LFl";
    case 27: return "UQ+LFl";
    case 28: return "Al.";    // alternating: the colours follow, "Al.WR"
    case 29: return "Al.FFl";
    default: return "";
  }
}

// The colours of lights as INT 1 abbreviates them, in the order a chart
// writes them; colours no light shows (black, grey, brown, magenta, pink)
// have no letter.
struct LightColour {
  int code;
  const char* letters;
};
constexpr LightColour kLightColours[] = {{1, "W"}, {3, "R"}, {4, "G"},  {5, "Bu"},
                                         {6, "Y"}, {9, "Am"}, {10, "Vi"}, {11, "Or"}};

const char* statusText(std::string_view status) {
  if (status == "2") return "(occas)";
  if (status == "7") return "(temp)";
  if (status == "8") return "(priv)";
  if (status == "11") return "(exting)";
  if (status == "17") return "(U)";
  return "";
}

// The number of a code compared as a whole text: "3" gives 3, "03", "3,4"
// or " 3" give 0 (no code).
int wholeCode(const std::string& text) {
  const int value = decimalNumber(text);
  return std::to_string(value) == text ? value : 0;
}

// Appends a part of the character: after a dot, except at the start and
// after a group in brackets or a dot ("Fl(2)R", "Al.WR").
void appendDotted(std::string& text, std::string_view part) {
  if (part.empty()) return;
  if (!text.empty() && text.back() != ')' && text.back() != '.' && text.back() != ' ') text += '.';
  text += part;
}

// Appends a part after a space (height, range, status).
void appendSpaced(std::string& text, std::string_view part) {
  if (part.empty()) return;
  if (!text.empty()) text += ' ';
  text += part;
}

// The letters of every colour any of `lights` shows, in the chart's order.
std::string colourLetters(const std::vector<const ChartFeature*>& lights) {
  std::string letters;
  for (const LightColour& colour : kLightColours) {
    bool shown = false;
    for (const ChartFeature* light : lights)
      for (const std::string& code : splitList(light->findAttribute("COLOUR")))
        shown = shown || wholeCode(code) == colour.code;
    if (shown) letters += colour.letters;
  }
  return letters;
}

// The nominal range of `lights`: the one value, or the greatest and least
// joined by a dash ("15-11") where the sectors differ.
std::string rangeText(const std::vector<const ChartFeature*>& lights) {
  const std::string* most = nullptr;
  const std::string* least = nullptr;
  for (const ChartFeature* light : lights) {
    const std::string& value = light->findAttribute("VALNMR");
    if (value.empty()) continue;
    if (!most || std::atof(value.c_str()) > std::atof(most->c_str())) most = &value;
    if (!least || std::atof(value.c_str()) < std::atof(least->c_str())) least = &value;
  }
  if (!most) return {};
  if (std::atof(most->c_str()) == std::atof(least->c_str())) return *most;
  return *most + "-" + *least;
}

bool hasSectors(const ChartFeature& light) {
  const std::string& s1 = light.findAttribute("SECTR1");
  const std::string& s2 = light.findAttribute("SECTR2");
  if (s1.empty() || s2.empty()) return false;
  const long long a = decimalNumber(s1) % 360, b = decimalNumber(s2) % 360;
  return a != b;
}

// The sector lights of one light: those at its position with sectors and
// the same character, group and period, in the cell's order.
std::vector<const ChartFeature*> sectorsOfOneLight(const PointFeature& light, const S57Cell& cell) {
  std::vector<const ChartFeature*> sectors;
  for (const PointFeature* other : cell.lights) {
    if (other != &light &&
        (!samePosition(*other, light) || !hasSectors(*other) ||
         other->findAttribute("LITCHR") != light.findAttribute("LITCHR") ||
         other->findAttribute("SIGGRP") != light.findAttribute("SIGGRP") ||
         other->findAttribute("SIGPER") != light.findAttribute("SIGPER")))
      continue;
    sectors.push_back(other);
  }
  if (sectors.empty()) sectors.push_back(&light);  // a light outside the cell's list
  return sectors;
}

// The description as a text instruction of group 23, right of the light;
// raised a little when another light shares the position (`shared`).
Instruction descriptionText(std::string description, bool shared) {
  PlainText label;
  label.text = std::move(description);
  label.prepared = true;
  label.horizontal = 3;
  label.vertical = shared ? 1 : 2;
  label.spacing = 3;
  label.xOffset = 2;
  label.yOffset = shared ? -1 : 0;
  label.colour = colourIndex("CHBLK");
  label.group = 23;
  return label;
}

}  // namespace

std::pair<float, float> sectorLimits(const ChartFeature& light) {
  return {static_cast<float>(std::atof(light.findAttribute("SECTR1").c_str())),
          static_cast<float>(std::atof(light.findAttribute("SECTR2").c_str()))};
}

std::string lightDescription(const ChartFeature& light) { return lightDescription(light, {&light}); }

std::string lightDescription(const ChartFeature& light, const std::vector<const ChartFeature*>& sectors) {
  std::string text;
  const std::string& catlit = light.findAttribute("CATLIT");
  if (catlit == "1") text = "Dir";
  if (catlit == "5") text = "Aero ";
  if (catlit == "7") text = "Fog Det Lt ";
  appendDotted(text, characterText(wholeCode(light.findAttribute("LITCHR"))));
  const std::string& siggrp = light.findAttribute("SIGGRP");
  if (siggrp != "(1)" && siggrp != "()") text += siggrp;
  appendDotted(text, colourLetters(sectors));
  const std::string& period = light.findAttribute("SIGPER");
  if (!period.empty()) appendDotted(text, period + "s");
  const std::string& height = light.findAttribute("HEIGHT");
  if (!height.empty()) appendSpaced(text, height + "m");
  const std::string range = rangeText(sectors);
  if (!range.empty()) appendSpaced(text, range + "M");
  appendSpaced(text, statusText(light.findAttribute("STATUS")));
  while (!text.empty() && text.back() == ' ') text.pop_back();  // a category alone
  return text;
}

void sectorProcedure(const PointFeature& light, long long start, long long end, const std::string& nominalRange,
                     const S57Cell& cell, const std::string& colour, const DisplaySettings& settings,
                     std::vector<Instruction>& out) {
  for (long long bearing : {start, end}) {
    out.push_back(settings.rangeLegs ? leg(static_cast<double>(bearing), number(nominalRange), LineDash::Solid, true)
                                     : leg(static_cast<double>(bearing), 25, LineDash::Solid));
  }

  const int arcClass = light.arcClass.get([&] { return nestedSector(light, start, end, cell) ? 1 : 2; });
  const float radius = arcClass == 1 ? 25 : 20;

  if (isOneOf(light.findAttribute("LITVIS"), {"3", "7", "8"})) {  // faint or (partly) obscured
    out.push_back(arc("CHBLK", 1, LineDash::Dashed, start, end, radius));
  } else {
    out.push_back(arc("OUTLW", 4, LineDash::Solid, start, end, radius));
    out.push_back(arc(arcColour(colour), 2, LineDash::Solid, start, end, radius));
  }
}

void lightProcedure(const PointFeature& light, const S57Cell& cell, const DisplaySettings& settings,
                    ProcedureResult& result) {
  std::vector<Instruction>& out = result.instructions;
  const std::string& nominal = light.findAttribute("VALNMR");
  const std::string valnmr = nominal.empty() ? "9" : nominal;
  const std::string& catlit = light.findAttribute("CATLIT");
  const std::string& orient = light.findAttribute("ORIENT");
  const bool directional = catlit == "1" || catlit == "16";

  if (isOneOf(catlit, {"8", "11"})) {  // floodlight, strip light
    out.push_back(symbolInstruction("LIGHTS82"));
    return;
  }
  if (catlit == "9") {  // spotlight
    out.push_back(symbolInstruction("LIGHTS81"));
    return;
  }
  if (directional && !orient.empty())
    out.push_back(leg(number(orient), number(valnmr), LineDash::Dashed, settings.rangeLegs));

  const std::string& colourText = light.findAttribute("COLOUR");
  const std::string colour = colourText.empty() ? "12" : colourText;  // 12: magenta, the default
  const std::string& sectr1 = light.findAttribute("SECTR1");
  const std::string& sectr2 = light.findAttribute("SECTR2");
  if (!sectr1.empty() && !sectr2.empty()) {
    long long s1 = decimalNumber(sectr1);
    long long s2 = decimalNumber(sectr2);
    if (s1 == 360) s1 = 0;
    if (s2 == 360) s2 = 0;
    // Sector limits are stated from seaward: the legs point the other way.
    // (Wide arithmetic: a limit may read as large as the int range.)
    const long long start = s1 + 180;
    long long end = s2 + 180;
    if (start != end) {
      if (start > end) end += 360;
      sectorProcedure(light, start, end, valnmr, cell, colour, settings, out);
      // The sectors of one light share one description, written at the
      // first of them: "Fl.WRG.5s 12m 10-7M".
      if (!settings.lightLabels) return;
      const std::vector<const ChartFeature*> sectors = sectorsOfOneLight(light, cell);
      if (sectors.front() == &light) out.push_back(descriptionText(lightDescription(light, sectors), false));
      return;
    }
  }

  const std::string flare = flareSymbol(colour);
  const bool shared = sharesPosition(light, cell, colour);
  if (directional) {
    if (!orient.empty()) {
      out.push_back(symbolInstruction(flare, orient));
      FormattedText bearing;
      bearing.format = "%03.0lf deg";
      bearing.attribute = "ORIENT";
      bearing.horizontal = 3;
      bearing.vertical = 3;
      bearing.spacing = 3;
      bearing.xOffset = 3;
      bearing.yOffset = 1;
      bearing.colour = colourIndex("CHBLK");
      bearing.group = 23;
      out.push_back(std::move(bearing));
    } else {
      out.push_back(symbolInstruction("QUESMRK1"));
    }
  } else {
    out.push_back(symbolInstruction(flare, shared ? "45" : "135"));
  }

  if (settings.lightLabels) out.push_back(descriptionText(lightDescription(light), shared));
}

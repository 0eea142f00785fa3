#include "LightProcedure.h"

#include <cstdlib>
#include <string_view>

#include "CellFinishing.h"
#include "ColourToken.h"
#include "DecimalNumber.h"
#include "ProcedureSupport.h"

namespace {
Instruction leg(const std::string& bearing, const std::string& length, int style) {
  Instruction i = lineInstruction(style, 1, "CHBLK");
  i.name = bearing;
  i.text2 = length;
  return i;
}

// A leg as long as the light's nominal range (nautical miles) on the ground.
Instruction rangeLeg(const std::string& bearing, const std::string& nominalRange, int style) {
  Instruction i = leg(bearing, nominalRange, style);
  i.text3 = kGroundLength;
  return i;
}

Instruction arc(const char* colour, int width, int style, long long start, long long end, const std::string& radius) {
  Instruction i = lineInstruction(style, width, colour);
  i.kind = kARC;
  i.name = std::to_string(start);
  i.text2 = radius;
  i.text3 = std::to_string(end);
  return i;
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

const char* categoryText(std::string_view catlit) {
  if (catlit == "1") return "Dir";
  if (catlit == "5") return "Aero";
  if (catlit == "7") return "Fog Det Lt";
  return "";
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

// The colours of lights as INT 1 abbreviates them; colours no light shows
// (black, grey, brown, magenta, pink) have no letter.
const char* colourLetters(int code) {
  switch (code) {
    case 1: return "W";
    case 3: return "R";
    case 4: return "G";
    case 5: return "Bu";
    case 6: return "Y";
    case 9: return "Am";
    case 10: return "Vi";
    case 11: return "Or";
    default: return "";
  }
}

const char* statusText(std::string_view status) {
  if (status == "2") return "occas";
  if (status == "7") return "temp";
  if (status == "8") return "priv";
  if (status == "11") return "exting";
  if (status == "17") return "U";
  return "";
}

// The description as a text instruction of group 23, right of the light;
// raised a little when another light shares the position (`shared`).
Instruction descriptionText(const ChartFeature& light, bool shared) {
  Instruction label;
  label.kind = kTX;
  label.text2 = lightDescription(light);
  label.textPrepared = true;
  label.colour = 3;  // horizontal justification
  label.width = shared ? 1 : 2;  // vertical justification
  label.style = 3;
  label.transparency = 2;  // x offset
  label.yOffset = shared ? -1 : 0;
  label.textColour = colourIndex("CHBLK");
  label.textGroup = 23;
  return label;
}

// The number of a code compared as a whole text: "3" gives 3, "03", "3,4"
// or " 3" give 0 (no code).
int wholeCode(const std::string& text) {
  const int value = decimalNumber(text);
  return std::to_string(value) == text ? value : 0;
}
}  // namespace

std::pair<float, float> sectorLimits(const ChartFeature& light) {
  return {static_cast<float>(std::atof(light.findAttribute("SECTR1").c_str())),
          static_cast<float>(std::atof(light.findAttribute("SECTR2").c_str()))};
}

std::string lightDescription(const ChartFeature& light) {
  std::string text = categoryText(light.findAttribute("CATLIT"));
  text += characterText(wholeCode(light.findAttribute("LITCHR")));
  const std::string& siggrp = light.findAttribute("SIGGRP");
  if (siggrp != "(1)" && siggrp != "()") text += siggrp;
  for (const std::string& colour : splitList(light.findAttribute("COLOUR"))) text += colourLetters(wholeCode(colour));
  auto withUnit = [&](const char* acronym, const char* unit) {
    const std::string& value = light.findAttribute(acronym);
    if (!value.empty()) text += value + unit;
  };
  withUnit("SIGPER", "s");
  withUnit("HEIGHT", "m");
  withUnit("VALNMR", "M");
  text += statusText(light.findAttribute("STATUS"));
  return text;
}

void sectorProcedure(const PointFeature& light, long long start, long long end, const std::string& nominalRange,
                     const S57Cell& cell, const std::string& colour, const DisplaySettings& settings,
                     std::vector<Instruction>& out) {
  for (long long bearing : {start, end}) {
    Instruction l = settings.rangeLegs ? rangeLeg(std::to_string(bearing), nominalRange, 1)
                                       : leg(std::to_string(bearing), "25", 1);
    l.textPrepared = true;
    out.push_back(l);
  }

  const int arcClass = light.arcClass.get([&] { return nestedSector(light, start, end, cell) ? 1 : 2; });
  const std::string radius = arcClass == 1 ? "25" : "20";

  if (isOneOf(light.findAttribute("LITVIS"), {"3", "7", "8"})) {  // faint or (partly) obscured
    out.push_back(arc("CHBLK", 1, 2, start, end, radius));
  } else {
    out.push_back(arc("OUTLW", 4, 1, start, end, radius));
    out.push_back(arc(arcColour(colour), 2, 1, start, end, radius));
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
    out.push_back(settings.rangeLegs ? rangeLeg(orient, valnmr, 2) : leg(orient, valnmr, 2));

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
      if (settings.lightLabels) out.push_back(descriptionText(light, false));
      return;
    }
  }

  const std::string flare = flareSymbol(colour);
  const bool shared = sharesPosition(light, cell, colour);
  if (directional) {
    if (!orient.empty()) {
      out.push_back(symbolInstruction(flare, orient));
      Instruction bearing;
      bearing.kind = kTE;
      bearing.name = "%03.0lf deg";
      bearing.text2 = "ORIENT";
      bearing.colour = 3;
      bearing.width = 3;
      bearing.style = 3;
      bearing.transparency = 3;
      bearing.yOffset = 1;
      bearing.textColour = colourIndex("CHBLK");
      bearing.textGroup = 23;
      out.push_back(bearing);
    } else {
      out.push_back(symbolInstruction("QUESMRK1"));
    }
  } else {
    out.push_back(symbolInstruction(flare, shared ? "45" : "135"));
  }

  if (settings.lightLabels) out.push_back(descriptionText(light, shared));
}

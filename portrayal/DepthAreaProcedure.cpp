#include "DepthAreaProcedure.h"

#include "DisplaySettings.h"
#include "ProcedureSupport.h"
#include "RestrictedAreaProcedures.h"

namespace {
constexpr int kDredgedAreaClass = 46;  // DRGARE
}

void depthAreaColour(AreaFeature& area, float d1, float d2) {
  const DisplaySettings& settings = displaySettings();
  const char* colour = (d1 < 0 || d2 <= 0) ? "DEPIT" : "DEPVS";
  bool shallow = true;
  auto past = [&](float contour) { return d1 >= contour && d2 > contour; };
  if (settings.twoDepthShades) {
    if (past(settings.safetyContour)) {
      colour = "DEPDW";
      shallow = false;
    }
  } else {
    if (past(settings.shallowContour)) colour = "DEPMS";
    if (past(settings.safetyContour)) {
      colour = "DEPMD";
      shallow = false;
    }
    if (past(settings.deepContour)) colour = "DEPDW";
  }
  area.generatedInstructions.push_back(fillInstruction(colour));
  if (settings.shallowPattern && shallow) area.generatedInstructions.push_back(patternInstruction("DIAMOND1"));
}

void depthAreaProcedure(AreaFeature& area) {
  area.generatedInstructions.clear();
  const std::string& drval1 = area.findAttribute("DRVAL1");
  const std::string& drval2 = area.findAttribute("DRVAL2");
  const float d1 = drval1.empty() ? -1.0f : attributeFloat(area, "DRVAL1");
  const float d2 = drval2.empty() ? d1 + 0.1f : attributeFloat(area, "DRVAL2");
  depthAreaColour(area, d1, d2);

  if (area.objectClass == kDredgedAreaClass) {
    area.generatedInstructions.push_back(patternInstruction("DRGARE01"));
    area.generatedInstructions.push_back(lineInstruction(2, 2, "CHGRF"));
  }
  const std::string& restrn = area.findAttribute("RESTRN");
  if (!restrn.empty()) restrictionSymbols(area, restrn);
}

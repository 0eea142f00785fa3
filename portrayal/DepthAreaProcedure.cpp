#include "DepthAreaProcedure.h"

#include "ProcedureSupport.h"
#include "RestrictedAreaProcedures.h"
#include "S57Vocabulary.h"

void depthAreaColour(float d1, float d2, const DisplaySettings& settings, std::vector<Instruction>& out) {
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
  out.push_back(fillInstruction(colour));
  if (settings.shallowPattern && shallow) out.push_back(patternInstruction("DIAMOND1"));
}

void depthAreaProcedure(const AreaFeature& area, const DisplaySettings& settings, std::vector<Instruction>& out) {
  const std::string& drval1 = area.findAttribute("DRVAL1");
  const std::string& drval2 = area.findAttribute("DRVAL2");
  const float d1 = drval1.empty() ? -1.0f : attributeFloat(area, "DRVAL1");
  const float d2 = drval2.empty() ? d1 + 0.1f : attributeFloat(area, "DRVAL2");
  depthAreaColour(d1, d2, settings, out);

  if (area.objectClass == s57::DRGARE) {
    out.push_back(patternInstruction("DRGARE01"));
    out.push_back(lineInstruction(LineDash::Dashed, 2, "CHGRF"));
  }
  const std::string& restrn = area.findAttribute("RESTRN");
  if (!restrn.empty()) restrictionSymbols(restrn, out);
}

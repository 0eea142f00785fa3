#include "FeatureVisibility.h"

#include <algorithm>

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "LookupSelection.h"
#include "S57Vocabulary.h"
#include "SafetyContour.h"
#include "ScaleTest.h"

bool pointsShownAtScale(float scale) { return !(scale > POINT_SCALE_LIMIT); }

bool soundingsShownAtScale(const DisplaySettings& settings, float scale) {
  return settings.showSoundings && scale < POINT_SCALE_LIMIT;
}

bool areaPassesFirstTests(const DisplaySettings& settings, float scale, const AreaFeature& area,
                          const S57Cell& cell, ResultPointer& result) {
  if (area.objectClass == s57::M_NSYS) return false;
  if (area.objectClass == s57::M_QUAL) {
    if (!settings.showDataQuality) return false;
  } else if (!settings.allViewingGroups && inMarinersViewingGroups(displayState(area, nullptr).viewingGroup)) {
    return false;
  }
  if (showOnViewingDate(area, settings) == DateShow::Hidden) return false;
  return shownAtScale(settings, scale, area, cell, result);
}

bool areaPassesSecondTests(const DisplaySettings& settings, const AreaFeature& area, const S57Cell& cell,
                           ResultPointer& result) {
  if (!result) result = procedureResult(area, cell, settings);
  // Data quality, once the mariner asks for it, shows in every category.
  return area.objectClass == s57::M_QUAL || passesDisplayCategory(area, result.get(), settings);
}

bool lineShown(const LineFeature& line, const S57Cell& cell, const ProcedureResult* result,
               const DisplaySettings& settings) {
  if (line.objectClass == s57::DEPCNT) return settings.showDepthContours || isSafetyContourLine(line, cell, settings);
  return passesDisplayCategory(line, result, settings);
}

bool linePassesFirstTests(const DisplaySettings& settings, float scale, const LineFeature& line,
                          const S57Cell& cell, ResultPointer& result) {
  if (showOnViewingDate(line, settings) == DateShow::Hidden) return false;
  if (!shownAtScale(settings, scale, line, cell, result)) return false;
  return result || lineShown(line, cell, nullptr, settings) ||
         (line.objectClass != s57::DEPCNT && callsProcedure(line, settings));
}

bool linePassesSecondTests(const DisplaySettings& settings, const LineFeature& line, const S57Cell& cell,
                           ResultPointer& result) {
  if (!result) result = procedureResult(line, cell, settings);
  return lineShown(line, cell, result.get(), settings);
}

bool pointPassesTests(const DisplaySettings& settings, float scale, const PointFeature& point,
                      const S57Cell& cell, ResultPointer& result) {
  if (showOnViewingDate(point, settings) == DateShow::Hidden) return false;
  if (!shownAtScale(settings, scale, point, cell, result)) return false;
  if (!result) result = procedureResult(point, cell, settings);
  return passesDisplayCategory(point, result.get(), settings);
}

bool hasInstructions(const ChartFeature& feature, const ProcedureResult* result, const DisplaySettings& settings) {
  for (const Instruction& instruction : lookupInUse(feature, settings).instructions)
    if (!instruction.is<ProcedureCall>()) return true;
  if (!result) return false;
  if (!result->instructions.empty()) return true;
  return std::any_of(result->partInstructions.begin(), result->partInstructions.end(),
                     [](const std::vector<Instruction>& part) { return !part.empty(); });
}

bool soundingsPassTests(const DisplaySettings& settings, float scale, const SoundingFeature& feature) {
  return showOnViewingDate(feature, settings) != DateShow::Hidden &&
         featureShownAtScale(feature, nullptr, scale, settings);
}

std::size_t soundingsWithSymbols(const SoundingFeature& feature, const ProcedureResult* result) {
  return result ? std::min(feature.soundings.size(), result->partInstructions.size()) : 0;
}

bool areaPassesAllTests(const DisplaySettings& settings, float scale, const AreaFeature& area, const S57Cell& cell,
                        ResultPointer& result) {
  return areaPassesFirstTests(settings, scale, area, cell, result) &&
         areaPassesSecondTests(settings, area, cell, result);
}

bool linePassesAllTests(const DisplaySettings& settings, float scale, const LineFeature& line, const S57Cell& cell,
                      ResultPointer& result) {
  return linePassesFirstTests(settings, scale, line, cell, result) &&
         linePassesSecondTests(settings, line, cell, result);
}

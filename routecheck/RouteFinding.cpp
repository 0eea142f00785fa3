#include "RouteFinding.h"

const char* findingKindName(FindingKind kind) { return kind == FindingKind::Alarm ? "alarm" : "indication"; }

const char* findingReasonName(FindingReason reason) {
  switch (reason) {
    case FindingReason::ShallowWater: return "shallow-water";
    case FindingReason::NotNavigable: return "not-navigable";
    case FindingReason::Danger: return "danger";
    case FindingReason::ShoalSounding: return "shoal-sounding";
    case FindingReason::Obstacle: return "obstacle";
    case FindingReason::SpecialArea: return "special-area";
    case FindingReason::OutsideCoverage: return "outside-coverage";
    case FindingReason::LessDetailedData: return "less-detailed-data";
    case FindingReason::Overscaled: return "overscaled";
    case FindingReason::CellNotLoaded: return "cell-not-loaded";
  }
  return "";
}

#pragma once
// What a feature's conditional symbology procedures made of it under one
// set of settings: the instructions they built and how they change the way
// the feature is shown. Built by procedureResult (FeaturePortrayal.h), kept
// on the feature for those settings, and never changed once published, so
// that views drawing on several threads can share it.
#include <array>
#include <vector>

#include "ChartModel.h"
#include "Instruction.h"

// The settings a result was made for: which look-up list was walked
// (paper-chart symbols for points, plain boundaries for areas) and the
// values of the settings its procedures read. Two keys
// are equal when every value is equal bit for bit, so a setting that is not
// a number does not make the procedures run at every pass.
struct ProcedureKey {
  bool firstLookup = false;
  unsigned dependencies = 0;  // SettingDependency bits of the procedures walked
  std::array<float, 14> values{};

  bool operator==(const ProcedureKey& other) const;
  bool operator!=(const ProcedureKey& other) const { return !(*this == other); }
};

struct ProcedureResult {
  ProcedureKey key;
  // Drawn after the look-up's own instructions, at the feature's geometry.
  std::vector<Instruction> instructions;
  // Lines: the instructions of each edge (BoundaryPart), in part order, once
  // a line procedure ran. Areas whose procedure styles edges one by one
  // (the safety contour along a depth area's edges, shoreline
  // constructions): the exterior parts in order, then the interior parts (a
  // procedure may give fewer lists; edges without one are not drawn this
  // way). Soundings: one list per sounding. Empty otherwise.
  std::vector<std::vector<Instruction>> partInstructions;

  // How the feature is shown once its procedures ran: it starts as the
  // look-up selection left it on the feature.
  DisplayState display;

  // A result for `feature` before any procedure ran.
  static ProcedureResult startingFrom(const ChartFeature& feature);
};

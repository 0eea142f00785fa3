#pragma once
// LIGHTS05: the symbols, sector legs and arcs and the description text of a
// light (class 75).
#include <string>
#include <utility>
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"

// Appends the light's portrayal to the result: LIGHTS82 / LIGHTS81 alone
// for flood, spot and strip lights; the direction leg of a directional
// light (VALNMR units of the screen long, or with full-length legs VALNMR
// nautical miles on the ground); for a sector light its two legs and arcs; otherwise the flare (or
// QUESMRK1) and the bearing text of a directional light; and for both,
// when light labels are on, the description text (text group 23).
void lightProcedure(const PointFeature& light, const S57Cell& cell, const DisplaySettings& settings,
                    ProcedureResult& out);

// The sector part: legs at bearings `start` and `end` (degrees from north,
// already turned to the seaward side, end > start), 25 mm long or, with
// full-length legs (rangeLegs), `nominalRange` (the VALNMR text, "9" when
// absent) nautical miles on the ground, and the arcs between them in the
// colour of `colour` (the COLOUR text, "12" when absent). The
// arc radius grows from 20 to 25 when another sector light at the same
// position has a sector nested with this one. The bearings are wide
// integers: sector limits read from a cell may be anything up to the int
// range, and turning them adds to them.
void sectorProcedure(const PointFeature& light, long long start, long long end, const std::string& nominalRange,
                     const S57Cell& cell, const std::string& colour, const DisplaySettings& settings,
                     std::vector<Instruction>& out);

// SECTR1 and SECTR2 read as numbers (0 when absent).
std::pair<float, float> sectorLimits(const ChartFeature& light);

// The description text (LITDSN02) as a chart writes it, such as
// "Fl(2)W.10s 12m 9M (temp)", "Fl.R.3s 8m 5M" or "Al.WR": the category
// ("Dir." before the character, "Aero ", "Fog Det Lt "), the character in
// the abbreviations of INT 1 ("Fl", "LFl", "Iso", "Oc", "Q", "VQ", "Mo",
// "Al.Fl" ...) with its signal group in brackets (not "(1)" or "()"), the
// letters of every colour of the light in the chart's order ("W", "R", "G",
// "Bu", "Y", "Am", "Vi", "Or") and the period, each after a dot unless a
// group or a dot comes before it; then, after spaces, the height, the
// nominal range and the status in brackets. The same abbreviations stand
// on Chinese charts: the text has no national form.
std::string lightDescription(const ChartFeature& light);

// The same for the sectors of one light (`sectors`, the light among them):
// the colours of every sector ("Fl.WRG.5s") and their range, or the
// greatest and least range where they differ ("15-11M").
std::string lightDescription(const ChartFeature& light, const std::vector<const ChartFeature*>& sectors);

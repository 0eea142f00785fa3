#pragma once
// The tests the draw pass puts each feature through before it draws it,
// apart from where its geometry falls: the class, the mariner's viewing
// groups, the dates (DATSTA, DATEND, PERSTA, PEREND against the viewing
// date), the scale range (with a danger's lifted SCAMIN), the display
// category as the procedures left it, and for the cell as a whole the scale
// limit of points and soundings. The drawers and object picking share
// them, so an object is picked exactly when it is drawn.
//
// Areas and lines take the tests in two stages, because the procedures run
// only for features that reach the view: the first stage before their
// geometry is projected, the second after. `result` carries the
// procedures' result from one stage to the next (null until they ran); the
// second stage runs them when it needs them.
#include <cstddef>
#include <memory>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"

using ResultPointer = std::shared_ptr<const ProcedureResult>;

// Points are drawn up to this true scale, soundings only below it.
constexpr float POINT_SCALE_LIMIT = 500000.0f;

bool pointsShownAtScale(float scale);
bool soundingsShownAtScale(const DisplaySettings& settings, float scale);

// Areas: never M_NSYS (the system of marks is not drawn), data quality
// (M_QUAL) only when the mariner shows it, areas of the mariner's other
// viewing groups (as the look-up chose them) only when all groups are
// shown, then the scale range.
bool areaPassesFirstTests(const DisplaySettings& settings, float scale, const AreaFeature& area,
                          const S57Cell& cell, ResultPointer& result);
// Then the display category, which data quality passes in every category.
bool areaPassesSecondTests(const DisplaySettings& settings, const AreaFeature& area, const S57Cell& cell,
                           ResultPointer& result);

// Depth contours (DEPCNT) show whenever depth contours are switched on,
// whatever the display category, and the safety contour always; other
// lines when the category (as the procedures left it) admits them.
bool lineShown(const LineFeature& line, const S57Cell& cell, const ProcedureResult* result,
               const DisplaySettings& settings);
// Lines: the scale range; then a line that lineShown keeps out before any
// procedure ran, and that calls none, stops here (procedures only ever
// lower a line's display category: a danger goes to display base).
bool linePassesFirstTests(const DisplaySettings& settings, float scale, const LineFeature& line,
                          const S57Cell& cell, ResultPointer& result);
// Then lineShown with the procedures' result.
bool linePassesSecondTests(const DisplaySettings& settings, const LineFeature& line, const S57Cell& cell,
                           ResultPointer& result);

// Points (once on the drawing surface): the scale range, then the display
// category.
bool pointPassesTests(const DisplaySettings& settings, float scale, const PointFeature& point,
                      const S57Cell& cell, ResultPointer& result);

// Whether a feature that passed its tests has anything to draw: an
// instruction of its look-up list in use other than a procedure call, or one
// its procedures made. One without (M_NPUB, whose look-up is empty) draws
// nothing.
bool hasInstructions(const ChartFeature& feature, const ProcedureResult* result, const DisplaySettings& settings);

// Sounding features: their dates, then their scale range (the sounding
// procedure never lifts SCAMIN, so hidden soundings run no procedure).
bool soundingsPassTests(const DisplaySettings& settings, float scale, const SoundingFeature& feature);

// How many of a sounding feature's soundings have symbols to draw: those
// the sounding procedure made a list for (none without a result).
std::size_t soundingsWithSymbols(const SoundingFeature& feature, const ProcedureResult* result);

// Both stages at once, for a feature whose geometry is known to reach the
// view: what picking asks.
bool areaPassesAllTests(const DisplaySettings& settings, float scale, const AreaFeature& area, const S57Cell& cell,
                        ResultPointer& result);
bool linePassesAllTests(const DisplaySettings& settings, float scale, const LineFeature& line, const S57Cell& cell,
                      ResultPointer& result);

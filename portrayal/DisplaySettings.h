#pragma once
// What the user can switch in the display: a value that portrayal and
// drawing take as a parameter. The window keeps its own (written on the GUI
// thread only); each tool makes one from its options.
#include "ColourTable.h"
#include "PresentationLibrary.h"

// The range a mariner may choose a safety contour from, metres.
constexpr float kMinimumSafetyContour = 0.1f;
constexpr float kMaximumSafetyContour = 500.0f;

struct DisplaySettings {
  // Colour tables are taken from `library`, which must outlive the settings.
  explicit DisplaySettings(const PresentationLibrary& library);

  int displayCategory = 1;  // 0 base, 1 standard, 2 all
  float safetyContour = 5.0f;
  float shallowContour = 2.0f;
  float deepContour = 10.0f;
  float hazardDepth = 3000.0f;
  const ColourTable* colourTable = nullptr;  // one of the library's five
  bool paperChartSymbols = false;
  bool nationalText = true;
  bool showSoundings = false;
  bool showCellBoundaries = true;
  bool showDepthContours = false;
  bool showText = true;
  bool contourLabels = true;
  bool lightLabels = true;
  bool allViewingGroups = false;
  bool twoDepthShades = false;
  bool shallowPattern = false;
  // Light sector legs as long as the light's nominal range on the ground
  // instead of 25 mm on the screen.
  bool rangeLegs = false;
  bool showWorldBaseMap = true;  // the land of the world under the cells
  // The scale boundary (SCLBDY51) where the chart's compilation scale
  // changes: along the coverage of a cell drawn over cells of another
  // scale, and round an M_CSCL area inside a cell.
  bool showScaleBoundaries = false;
  // Features with SCAMIN are hidden at true scales at or above it; when
  // false, SCAMIN is ignored for every feature.
  bool useScaleMinimum = true;
  // The date objects with DATSTA/DATEND or PERSTA/PEREND are shown for
  // (YYYYMMDD): today unless the mariner chose one. Objects outside their
  // dates are hidden, or with showAllDates drawn with the date indication.
  int viewingDate = 0;
  bool dateIsToday = true;
  bool showAllDates = false;
  // Texts by S-52 text group: the important ones (clearances, names of aids
  // to navigation and lights, light descriptions) and the others (notes,
  // seabed, geographic names, magnetic variation, heights, berth numbers).
  bool importantText = true;
  bool otherText = true;
  // The safety depth: soundings at or shallower than it are drawn in their
  // emphasised (black) figures. It is the safety contour until the mariner
  // chooses one of its own (safetyDepthIsContour false).
  float safetyDepth = 5.0f;
  bool safetyDepthIsContour = true;
  // Obstructions, rocks and wrecks shallower than the safety contour in
  // water shallower than it too (not drying) get the isolated-danger symbol
  // in the standard display.
  bool shallowWaterDangers = false;
  // Areas drawn from the plain-boundary look-ups instead of the symbolised
  // ones (boundaries as simple lines, not complex line styles).
  bool plainBoundaries = false;
  // Data quality: M_QUAL areas with the DQUAL pattern of their CATZOC, in
  // every display category.
  bool showDataQuality = false;

  // Each operation ignores a code it does not know.
  void setDisplayCategory(int code);  // 0, 1, 2
  void setContourSet(int code);       // 5, 10, 20
  // Any safety contour from 0.1 to 500 m: 5, 10 and 20 take their contour
  // sets, another value gets a shallow contour of half and a deep contour of
  // twice its depth. Values outside the range (or NaN) are ignored.
  void setSafetyContour(float metres);
  void setColourScheme(int code);     // 1 day bright ... 5 night
  // The scheme whose table of the library colourTable is, DAY_BRIGHT when
  // none.
  ColourScheme colourScheme() const;
  void setSymbolStyle(int code);      // 1 paper chart, 2 simplified
  void setTextLanguage(int code);     // 1 national, 2 plain
  void setShowText(int code);         // 1 sets, 2 clears (as the three below)
  void setLightLabels(int code);
  void setShowSoundings(int code);
  void setShowCellBoundaries(int code);
  void toggleDepthContours();
  void toggleSoundings();
  void toggleCellBoundaries();
  void setShowWorldBaseMap(int code);  // 1 sets, 2 clears
  void setShowScaleBoundaries(int code);  // 1 sets, 2 clears
  // The shallow contour from 0 m up to the safety contour, the deep contour
  // from the safety contour up to 1000 m (twice the deepest safety
  // contour); other values (or NaN) are ignored.
  void setShallowContour(float metres);
  void setDeepContour(float metres);
  void setTwoDepthShades(int code);    // 1 two shades, 2 four
  void setShallowPattern(int code);    // 1 sets, 2 clears (as the four below)
  void setUseScaleMinimum(int code);
  void setShowAllDates(int code);
  void setImportantText(int code);
  void setOtherText(int code);
  // A date YYYYMMDD from 1 January 1900 to 31 December 9999; false (and
  // nothing changes) for any other value. The date no longer follows today.
  bool setViewingDate(int yyyymmdd);
  // The viewing date follows the calendar again; refreshToday brings it to
  // today's date while it does.
  void setDateToday();
  void refreshToday();
  // A safety depth of its own from 0 to 500 m (other values or NaN are
  // ignored), or (safetyDepthFollowsContour) the safety contour's again.
  void setSafetyDepth(float metres);
  void setSafetyDepthFollowsContour();
  // The depth soundings are told apart by: the safety depth, or the safety
  // contour while the safety depth follows it.
  float soundingSafetyDepth() const { return safetyDepthIsContour ? safetyContour : safetyDepth; }
  void setShallowWaterDangers(int code);  // 1 sets, 2 clears (as the three below)
  void setPlainBoundaries(int code);
  void setRangeLegs(int code);            // full-length light sector legs
  void setShowDataQuality(int code);

  // The library the settings' colour tables and the generated texts' Chinese
  // wordings come from.
  const PresentationLibrary& library() const { return *library_; }

private:
  const PresentationLibrary* library_;
};

#pragma once
// What the user can switch in the display. Portrayal and drawing take the
// settings they work with as a parameter; the window keeps its own in the
// process-wide instance (written on the GUI thread only).
#include "ColourTable.h"
#include "PresentationLibrary.h"

// The range a mariner may choose a safety contour from, metres.
constexpr float kMinimumSafetyContour = 0.1f;
constexpr float kMaximumSafetyContour = 500.0f;

struct DisplaySettings {
  // Colour tables are taken from `library`, which must outlive the settings.
  explicit DisplaySettings(const PresentationLibrary& library = presentationLibrary());

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
  bool rangeLegs = false;
  bool showWorldBaseMap = true;  // the land of the world under the cells

  // Each operation ignores a code it does not know.
  void setDisplayCategory(int code);  // 0, 1, 2
  void setContourSet(int code);       // 5, 10, 20
  // Any safety contour from 0.1 to 500 m: 5, 10 and 20 take their contour
  // sets, another value gets a shallow contour of half and a deep contour of
  // twice its depth. Values outside the range (or NaN) are ignored.
  void setSafetyContour(float metres);
  void setColourScheme(int code);     // 1 day bright ... 5 night
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

private:
  const PresentationLibrary* library_;
};

DisplaySettings& displaySettings();

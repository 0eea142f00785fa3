#pragma once
// What the user can switch in the display, and the facts start-up
// establishes. One process-wide instance of each; written on the GUI thread
// (and before loading starts), read by the draw pass.
#include "ColourTable.h"
#include "PresentationLibrary.h"

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
  int contourLabelLimit = 100;
  bool lightLabels = true;
  bool allViewingGroups = false;
  bool twoDepthShades = false;
  bool shallowPattern = false;
  bool lowAccuracyMarks = false;
  bool qualityKey = true;
  bool rangeLegs = false;

  // Each operation ignores a code it does not know.
  void setDisplayCategory(int code);  // 0, 1, 2
  void setContourSet(int code);       // 5, 10, 20
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

private:
  const PresentationLibrary* library_;
};

DisplaySettings& displaySettings();

struct EngineState {
  bool libraryLoaded = false;
  int libraryResult = 0;  // the library loader's code at start-up (LibraryResult.h)
  int appFontId = -1;     // id of the registered application font, -1 when none
};

EngineState& engineState();

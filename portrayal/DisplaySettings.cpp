#include "DisplaySettings.h"

#include "ChartDate.h"

namespace {
// 1 sets, 2 clears, anything else leaves the flag.
void setFlag(bool& flag, int code) {
  if (code == 1) flag = true;
  else if (code == 2) flag = false;
}
}  // namespace

DisplaySettings::DisplaySettings(const PresentationLibrary& library)
    : colourTable(&library.colourTable(ColourScheme::DAY_BRIGHT)), library_(&library) {
  viewingDate = todaysDate();
}

void DisplaySettings::setDisplayCategory(int code) {
  if (code >= 0 && code <= 2) displayCategory = code;
}

void DisplaySettings::setContourSet(int code) {
  if (code != 5 && code != 10 && code != 20) return;
  if (safetyContour == static_cast<float>(code)) return;
  switch (code) {
    case 5: safetyContour = 5, shallowContour = 2, deepContour = 10; break;
    case 10: safetyContour = 10, shallowContour = 5, deepContour = 20; break;
    case 20: safetyContour = 20, shallowContour = 10, deepContour = 20; break;
  }
}

void DisplaySettings::setSafetyContour(float metres) {
  if (!(metres >= kMinimumSafetyContour && metres <= kMaximumSafetyContour)) return;
  if (metres == 5.0f || metres == 10.0f || metres == 20.0f) {
    setContourSet(static_cast<int>(metres));
    return;
  }
  safetyContour = metres;
  shallowContour = metres / 2;
  deepContour = metres * 2;
}

void DisplaySettings::setColourScheme(int code) {
  if (code < 1 || code > kColourSchemeCount) return;
  colourTable = &library_->colourTables[code - 1];
}

ColourScheme DisplaySettings::colourScheme() const {
  for (int i = 0; i < kColourSchemeCount; ++i)
    if (colourTable == &library_->colourTables[static_cast<std::size_t>(i)]) return static_cast<ColourScheme>(i);
  return ColourScheme::DAY_BRIGHT;
}

void DisplaySettings::setSymbolStyle(int code) { setFlag(paperChartSymbols, code); }
void DisplaySettings::setTextLanguage(int code) { setFlag(nationalText, code); }
void DisplaySettings::setShowText(int code) { setFlag(showText, code); }
void DisplaySettings::setLightLabels(int code) { setFlag(lightLabels, code); }
void DisplaySettings::setShowSoundings(int code) { setFlag(showSoundings, code); }
void DisplaySettings::setShowCellBoundaries(int code) { setFlag(showCellBoundaries, code); }
void DisplaySettings::setShowWorldBaseMap(int code) { setFlag(showWorldBaseMap, code); }
void DisplaySettings::setShowScaleBoundaries(int code) { setFlag(showScaleBoundaries, code); }
void DisplaySettings::setTwoDepthShades(int code) { setFlag(twoDepthShades, code); }
void DisplaySettings::setShallowPattern(int code) { setFlag(shallowPattern, code); }
void DisplaySettings::setUseScaleMinimum(int code) { setFlag(useScaleMinimum, code); }
void DisplaySettings::setShowAllDates(int code) { setFlag(showAllDates, code); }
void DisplaySettings::setImportantText(int code) { setFlag(importantText, code); }
void DisplaySettings::setOtherText(int code) { setFlag(otherText, code); }

void DisplaySettings::setShallowContour(float metres) {
  if (metres >= 0 && metres <= safetyContour) shallowContour = metres;
}

void DisplaySettings::setDeepContour(float metres) {
  if (metres >= safetyContour && metres <= 2 * kMaximumSafetyContour) deepContour = metres;
}

bool DisplaySettings::setViewingDate(int yyyymmdd) {
  if (!validDate(yyyymmdd)) return false;
  viewingDate = yyyymmdd;
  dateIsToday = false;
  return true;
}

void DisplaySettings::setDateToday() {
  dateIsToday = true;
  refreshToday();
}

void DisplaySettings::refreshToday() {
  if (dateIsToday) viewingDate = todaysDate();
}

void DisplaySettings::setSafetyDepth(float metres) {
  if (!(metres >= 0 && metres <= kMaximumSafetyContour)) return;
  safetyDepth = metres;
  safetyDepthIsContour = false;
}

void DisplaySettings::setSafetyDepthFollowsContour() { safetyDepthIsContour = true; }
void DisplaySettings::setShallowWaterDangers(int code) { setFlag(shallowWaterDangers, code); }
void DisplaySettings::setPlainBoundaries(int code) { setFlag(plainBoundaries, code); }
void DisplaySettings::setRangeLegs(int code) { setFlag(rangeLegs, code); }
void DisplaySettings::setShowDataQuality(int code) { setFlag(showDataQuality, code); }

void DisplaySettings::toggleDepthContours() { showDepthContours = !showDepthContours; }
void DisplaySettings::toggleSoundings() { showSoundings = !showSoundings; }
void DisplaySettings::toggleCellBoundaries() { showCellBoundaries = !showCellBoundaries; }

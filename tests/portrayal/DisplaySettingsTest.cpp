#include <gtest/gtest.h>

#include <cmath>

#include "ChartDate.h"
#include "DisplaySettings.h"

namespace {
struct Contours {
  float safety, shallow, deep;
};
Contours contours(const DisplaySettings& s) { return {s.safetyContour, s.shallowContour, s.deepContour}; }
bool operator==(const Contours& a, const Contours& b) {
  return a.safety == b.safety && a.shallow == b.shallow && a.deep == b.deep;
}
}  // namespace

TEST(DisplaySettings, StartValues) {
  PresentationLibrary library;
  const DisplaySettings s(library);
  EXPECT_EQ(s.displayCategory, 1);
  EXPECT_TRUE(contours(s) == (Contours{5, 2, 10}));
  EXPECT_EQ(s.hazardDepth, 3000.0f);
  EXPECT_EQ(s.colourTable, &library.colourTable(ColourScheme::DAY_BRIGHT));
  EXPECT_FALSE(s.paperChartSymbols);
  EXPECT_TRUE(s.nationalText);
  EXPECT_FALSE(s.showSoundings);
  EXPECT_TRUE(s.showCellBoundaries);
  EXPECT_FALSE(s.showDepthContours);
  EXPECT_TRUE(s.showText);
  EXPECT_TRUE(s.contourLabels);
  EXPECT_TRUE(s.lightLabels);
  EXPECT_FALSE(s.allViewingGroups || s.twoDepthShades || s.shallowPattern || s.rangeLegs);
  EXPECT_FALSE(s.shallowWaterDangers || s.plainBoundaries || s.showDataQuality);
  EXPECT_TRUE(s.safetyDepthIsContour);
  EXPECT_TRUE(s.showWorldBaseMap);
  EXPECT_TRUE(s.useScaleMinimum && s.importantText && s.otherText && s.dateIsToday);
  EXPECT_FALSE(s.showAllDates);
  EXPECT_EQ(s.viewingDate, todaysDate());
}

// The shallow contour stays from 0 to the safety contour, the deep one from
// it to 1000 m; a value out of range (or NaN) leaves the contour.
TEST(DisplaySettings, ShallowAndDeepContoursBesideTheSafetyContour) {
  PresentationLibrary library;
  struct Case {
    float shallow, deep;
    Contours expected;
  } cases[] = {
      {3, 12, {10, 3, 12}},      {0, 10, {10, 0, 10}},    {10, 1000, {10, 10, 1000}},
      {-1, 9, {10, 5, 20}},      {11, 1001, {10, 5, 20}}, {NAN, NAN, {10, 5, 20}},
  };
  for (const Case& c : cases) {
    DisplaySettings s(library);
    s.setContourSet(10);
    s.setShallowContour(c.shallow);
    s.setDeepContour(c.deep);
    EXPECT_TRUE(contours(s) == c.expected) << c.shallow << " " << c.deep;
  }
}

TEST(DisplaySettings, ViewingDateChosenOrToday) {
  PresentationLibrary library;
  DisplaySettings s(library);
  EXPECT_TRUE(s.setViewingDate(20240229));
  EXPECT_EQ(s.viewingDate, 20240229);
  EXPECT_FALSE(s.dateIsToday);
  s.refreshToday();  // a chosen date stays
  EXPECT_EQ(s.viewingDate, 20240229);
  for (int bad : {20230229, 0, 18991231, 100000000}) EXPECT_FALSE(s.setViewingDate(bad)) << bad;
  EXPECT_EQ(s.viewingDate, 20240229);
  s.setDateToday();
  EXPECT_TRUE(s.dateIsToday);
  EXPECT_EQ(s.viewingDate, todaysDate());
}

TEST(DisplaySettings, ContourSets) {
  struct Case {
    int code;
    Contours expected;
  } cases[] = {{5, {5, 2, 10}}, {10, {10, 5, 20}}, {20, {20, 10, 20}}, {7, {5, 2, 10}}, {0, {5, 2, 10}}};
  for (const Case& c : cases) {
    PresentationLibrary library;
    DisplaySettings s(library);
    s.setContourSet(c.code);
    EXPECT_TRUE(contours(s) == c.expected) << c.code;
  }
}

TEST(DisplaySettings, CustomSafetyContourKeepsShallowBelowAndDeepAbove) {
  struct Case {
    float metres;
    Contours expected;
  } cases[] = {
      {7.5f, {7.5f, 3.75f, 15}}, {0.1f, {0.1f, 0.05f, 0.2f}}, {500, {500, 250, 1000}},
      {20, {20, 10, 20}},  // a set's own depth takes the set
      {0.09f, {5, 2, 10}}, {500.5f, {5, 2, 10}}, {-3, {5, 2, 10}}, {std::nanf(""), {5, 2, 10}},
  };
  for (const Case& c : cases) {
    PresentationLibrary library;
    DisplaySettings s(library);
    s.setSafetyContour(c.metres);
    EXPECT_TRUE(contours(s) == c.expected) << c.metres;
  }
  // From a custom value back to a set.
  PresentationLibrary library;
  DisplaySettings s(library);
  s.setSafetyContour(33);
  s.setContourSet(5);
  EXPECT_TRUE(contours(s) == (Contours{5, 2, 10}));
}

// The safety depth follows the safety contour until one of its own is
// chosen (0 to 500 m; other values or NaN change nothing), and again once
// told to.
TEST(DisplaySettings, SafetyDepthOfItsOwnOrTheSafetyContours) {
  PresentationLibrary library;
  DisplaySettings s(library);
  EXPECT_TRUE(s.safetyDepthIsContour);
  s.setContourSet(10);
  EXPECT_EQ(s.soundingSafetyDepth(), 10.0f);
  for (float bad : {-0.5f, 500.5f, std::nanf("")}) s.setSafetyDepth(bad);
  EXPECT_TRUE(s.safetyDepthIsContour);
  s.setSafetyDepth(0);
  EXPECT_EQ(s.soundingSafetyDepth(), 0.0f);
  s.setSafetyDepth(12.5f);
  s.setContourSet(20);
  EXPECT_EQ(s.soundingSafetyDepth(), 12.5f);  // apart from the contour
  s.setSafetyDepthFollowsContour();
  EXPECT_EQ(s.soundingSafetyDepth(), 20.0f);
}

TEST(DisplaySettings, ContourSetEqualToTheSafetyContourWritesNothing) {
  PresentationLibrary library;
  DisplaySettings s(library);
  s.setContourSet(10);
  s.shallowContour = 1;
  s.deepContour = 2;
  s.setContourSet(10);
  EXPECT_TRUE(contours(s) == (Contours{10, 1, 2}));
}

TEST(DisplaySettings, ColourSchemeCodesPickTheLibraryTables) {
  PresentationLibrary library;
  DisplaySettings s(library);
  const ColourScheme order[] = {ColourScheme::DAY_BRIGHT, ColourScheme::DUSK, ColourScheme::DAY_BLACKBACK,
                                ColourScheme::DAY_WHITEBACK, ColourScheme::NIGHT};
  for (int code = 1; code <= 5; ++code) {
    s.setColourScheme(code);
    EXPECT_EQ(s.colourTable, &library.colourTable(order[code - 1])) << code;
  }
  s.setColourScheme(6);
  s.setColourScheme(0);
  EXPECT_EQ(s.colourTable, &library.colourTable(ColourScheme::NIGHT));
}

TEST(DisplaySettings, SetAndClearOperationsIgnoreUnknownCodes) {
  struct Case {
    const char* name;
    void (DisplaySettings::*operation)(int);
    bool DisplaySettings::*flag;
  } cases[] = {
      {"symbol style", &DisplaySettings::setSymbolStyle, &DisplaySettings::paperChartSymbols},
      {"text language", &DisplaySettings::setTextLanguage, &DisplaySettings::nationalText},
      {"text", &DisplaySettings::setShowText, &DisplaySettings::showText},
      {"light labels", &DisplaySettings::setLightLabels, &DisplaySettings::lightLabels},
      {"soundings", &DisplaySettings::setShowSoundings, &DisplaySettings::showSoundings},
      {"cell boundaries", &DisplaySettings::setShowCellBoundaries, &DisplaySettings::showCellBoundaries},
      {"two shades", &DisplaySettings::setTwoDepthShades, &DisplaySettings::twoDepthShades},
      {"shallow pattern", &DisplaySettings::setShallowPattern, &DisplaySettings::shallowPattern},
      {"SCAMIN", &DisplaySettings::setUseScaleMinimum, &DisplaySettings::useScaleMinimum},
      {"all dates", &DisplaySettings::setShowAllDates, &DisplaySettings::showAllDates},
      {"important text", &DisplaySettings::setImportantText, &DisplaySettings::importantText},
      {"other text", &DisplaySettings::setOtherText, &DisplaySettings::otherText},
      {"shallow-water dangers", &DisplaySettings::setShallowWaterDangers, &DisplaySettings::shallowWaterDangers},
      {"plain boundaries", &DisplaySettings::setPlainBoundaries, &DisplaySettings::plainBoundaries},
      {"full-length legs", &DisplaySettings::setRangeLegs, &DisplaySettings::rangeLegs},
      {"data quality", &DisplaySettings::setShowDataQuality, &DisplaySettings::showDataQuality},
  };
  PresentationLibrary library;
  for (const Case& c : cases) {
    DisplaySettings s(library);
    (s.*c.operation)(1);
    EXPECT_TRUE(s.*c.flag) << c.name;
    (s.*c.operation)(3);
    EXPECT_TRUE(s.*c.flag) << c.name;
    (s.*c.operation)(2);
    EXPECT_FALSE(s.*c.flag) << c.name;
    (s.*c.operation)(0);
    EXPECT_FALSE(s.*c.flag) << c.name;
  }
}

TEST(DisplaySettings, TogglesAndDisplayCategory) {
  PresentationLibrary library;
  DisplaySettings s(library);
  s.toggleDepthContours();
  s.toggleSoundings();
  s.toggleCellBoundaries();
  EXPECT_TRUE(s.showDepthContours);
  EXPECT_TRUE(s.showSoundings);
  EXPECT_FALSE(s.showCellBoundaries);
  s.toggleDepthContours();
  EXPECT_FALSE(s.showDepthContours);

  s.setDisplayCategory(0);
  EXPECT_EQ(s.displayCategory, 0);
  s.setDisplayCategory(3);
  s.setDisplayCategory(-1);
  EXPECT_EQ(s.displayCategory, 0);
  s.setDisplayCategory(2);
  EXPECT_EQ(s.displayCategory, 2);
}

#include "SettingChoice.h"

#include "ContourOrder.h"
#include "WindowTheme.h"

SettingChoice displayCategoryChoice(int category) {
  return {[category](DisplaySettings& s) { s.setDisplayCategory(category); },
          [category](const DisplaySettings& s) { return s.displayCategory == category; }};
}

SettingChoice flagValueChoice(bool DisplaySettings::*flag, bool value) {
  return {[flag, value](DisplaySettings& s) { s.*flag = value; },
          [flag, value](const DisplaySettings& s) { return s.*flag == value; }};
}

SettingChoice flagToggle(bool DisplaySettings::*flag) {
  return {[flag](DisplaySettings& s) { s.*flag = !(s.*flag); },
          [flag](const DisplaySettings& s) { return s.*flag; }};
}

SettingChoice contourSetChoice(int metres) {
  // The shallow and deep contours the mariner set stay unless they
  // contradict the new safety contour.
  return {[metres](DisplaySettings& s) { setContourInOrder(s, Contour::Safety, metres); },
          [metres](const DisplaySettings& s) { return s.safetyContour == static_cast<float>(metres); }};
}

SettingChoice colourSchemeChoice(ColourScheme scheme) {
  return {[scheme](DisplaySettings& s) { s.setColourScheme(static_cast<int>(scheme) + 1); },
          [scheme](const DisplaySettings& s) { return s.colourScheme() == scheme; }};
}

bool customSafetyContour(const DisplaySettings& s) {
  return s.safetyContour != 5.0f && s.safetyContour != 10.0f && s.safetyContour != 20.0f;
}

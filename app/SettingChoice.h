#pragma once
// A display setting that a menu entry stands for: what choosing the entry
// does to the settings, and whether the settings are as it chooses (its
// check mark). Each kind of choice is written once here, for all its values.
#include <functional>

#include "ColourTable.h"
#include "DisplaySettings.h"

struct SettingChoice {
  std::function<void(DisplaySettings&)> choose;
  std::function<bool(const DisplaySettings&)> inForce;
};

// A display category: 0 base, 1 standard, 2 all.
SettingChoice displayCategoryChoice(int category);
// One of the two values of a setting offered as a pair of entries
// (simplified or paper-chart symbols, national or English names).
SettingChoice flagValueChoice(bool DisplaySettings::*flag, bool value);
// A setting one entry switches on and off.
SettingChoice flagToggle(bool DisplaySettings::*flag);
// A safety contour of 5, 10 or 20 m, the shallow and deep contours kept
// unless they contradict it (ContourOrder.h).
SettingChoice contourSetChoice(int metres);
// A colour table.
SettingChoice colourSchemeChoice(ColourScheme scheme);

// Whether the safety contour is none of the contour sets' but one of the
// mariner's own.
bool customSafetyContour(const DisplaySettings& settings);

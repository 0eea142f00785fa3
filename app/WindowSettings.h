#pragma once
// The user's choices kept across starts in QSettings: every display
// setting the menus and the 高级设置 dialog change, the viewing date as 0
// while it follows today (the window keeps its geometry, dock layout and
// last folders itself, under "window/" and "folders/").
#include <QSettings>

#include "DisplaySettings.h"

void saveDisplaySettings(QSettings& store, const DisplaySettings& settings);
// Applies the stored values through the settings' own operations; a value
// that is missing or not one the operation takes leaves the setting alone.
void restoreDisplaySettings(const QSettings& store, DisplaySettings& settings);
// Forgets the stored display settings.
void removeDisplaySettings(QSettings& store);

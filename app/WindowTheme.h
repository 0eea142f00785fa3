#pragma once
// The window's palette follows the colour table: with the night, dusk and
// black-background tables the whole window (menu bar, status bar, panels,
// dialogs, menus) turns dark, so nothing on screen stays bright; the day
// tables bring back the normal palette.
#include <QPalette>

#include "ColourTable.h"

// Whether a colour scheme calls for the dark window.
bool isDarkScheme(ColourScheme scheme);

// The dark palette of a scheme: dim text on near-black at night, grey text
// on dark grey at dusk and with the black background.
QPalette darkPalette(ColourScheme scheme);

// Sets the application's palette (and so every widget's and dialog's that
// has none of its own) for the scheme. The palette in force at the first
// call is taken as the normal one and restored by the day schemes.
void applyWindowTheme(ColourScheme scheme);

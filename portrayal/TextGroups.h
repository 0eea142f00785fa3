#pragma once
// Texts switched by their S-52 text group (the viewing group a TX or TE
// instruction carries). Important texts: groups 10 to 19 (clearances,
// bearings, radio channels), 21 (names of aids to navigation used for
// position reporting), 22 and 23 (lights and their descriptions). Other
// texts: 20 and 24 to 29 (notes, nature of seabed, geographic names,
// magnetic variation and swept depth, heights, berth numbers). Texts of
// any other group, or of none, show whenever texts do.
#include "DisplaySettings.h"

bool textGroupShown(int group, const DisplaySettings& settings);

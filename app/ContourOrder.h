#pragma once
// The three contours a mariner sets keep their order, shallow at or above
// (no deeper than) safety, safety at or above deep: when one is set, the
// others stay as the mariner left them unless the new value contradicts
// them, and only then move to it. What moved is said in words.
#include <QString>

#include "DisplaySettings.h"

enum class Contour { Shallow, Safety, Deep };

// Sets `which` to `metres` (a safety contour from 0.1 to 500 m, a shallow
// one from 0 to 500 m, a deep one from 0.1 to 1000 m; other values change
// nothing) and moves the others that contradict it to it.
void setContourInOrder(DisplaySettings& settings, Contour which, double metres);

// The contours that differ between `before` and `after`, other than
// `chosen`, as a note: "浅水等深线随之改为15米"; empty when none moved.
QString movedContoursText(const DisplaySettings& before, const DisplaySettings& after, Contour chosen);

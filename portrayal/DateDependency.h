#pragma once
// Objects that exist only between dates (DATSTA, DATEND) or in a season
// (PERSTA, PEREND): shown on the viewing date when it lies in both periods;
// outside them hidden, unless the mariner shows all dates, and then drawn
// with the date indication.
#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

enum class DateShow {
  Shown,              // no dates, or the viewing date lies within them
  ShownOutsideDates,  // outside its dates, all dates shown: with the indication
  Hidden,             // outside its dates
};

DateShow showOnViewingDate(const ChartFeature& feature, const DisplaySettings& settings);

// The indication drawn at an object shown outside its dates: SY(CHDATD01)
// when `library` has that symbol, else a magenta text of the period that
// leaves the object out (for example "2024-05-01~2024-09-30", "05-01~09-30"
// for one of every year), placed below and right of the object.
Instruction outsideDatesIndication(const ChartFeature& feature, const DisplaySettings& settings,
                                   const PresentationLibrary& library);

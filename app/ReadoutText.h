#pragma once
// How the window writes what it reads out: a position in degrees and
// minutes (the position box, the object panel), a scale (the status bar,
// the cell list) and a whole number grouped by thousands (the range of a
// measurement).
#include <QString>

#include "MercatorProjection.h"

// 30°30.000′N, 119°15.200′E: whole degrees, minutes to three decimals and
// the hemisphere.
QString latitudeText(double degrees);
QString longitudeText(double degrees);
// The latitude, a space and the longitude.
QString positionText(const GeoPoint& position);

// "6,393": rounded to a whole number, the thousands set off by commas.
QString groupedNumber(double value);
// "1:25,000".
QString scaleText(double scale);

#pragma once
// How the window writes what it reads out: a position in degrees and
// minutes (the position box, the object panel), a scale (the status bar,
// the cell list) and a whole number grouped by thousands (the range of a
// measurement).
#include <QString>

#include "MercatorProjection.h"

// 30°30.000′N, 119°05.200′E: whole degrees, then minutes with two digits
// before the point and three after, then the hemisphere. The position is
// rounded once, to a thousandth of a minute, so minutes never read 60.
QString latitudeText(double degrees);
QString longitudeText(double degrees);
// The latitude, a space and the longitude.
QString positionText(const GeoPoint& position);

// A true bearing to a tenth of a degree with three digits before the point
// and the degree sign: "005.3°". It is rounded once, so 359.96 reads
// "000.0°", never "360.0°".
QString bearingText(double degrees);

// "6,393": rounded to a whole number, the thousands set off by commas.
QString groupedNumber(double value);
// "1:25,000".
QString scaleText(double scale);

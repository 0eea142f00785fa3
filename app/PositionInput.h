#pragma once
// What a mariner types for a position and a scale: latitude and longitude
// in degrees and decimal minutes, degrees, minutes and seconds, or decimal
// degrees, with N/S and E/W (or 北/南, 东/西) before or after, or a sign; a
// scale as "1:25000", "1:25,000" or "25000". Errors are Chinese sentences
// for the dialog; text that is none of these forms is "无法识别" with the
// forms it may take.
#include <QString>

// Latitudes are accepted within 85 degrees of the equator, where the
// chart's Mercator plane ends for the window.
constexpr double kMaximumGoToLatitude = 85.0;

// "47 16.29 N", "47°16.29′N", "N47 16.290", "47 16 17 N", "47°16′17″N",
// "47.2715", "-47.2715", "47.2715S", "北纬47度16.29分", "北纬47度16分17秒".
// True with `degrees` (south and west negative), or false with `error`.
bool parseLatitude(const QString& text, double& degrees, QString& error);
bool parseLongitude(const QString& text, double& degrees, QString& error);

// An empty text is no scale: true with `scale` 0. Otherwise the scale must
// lie within the view's limits.
bool parseScale(const QString& text, float& scale, QString& error);

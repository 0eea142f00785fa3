#pragma once
// The font of every chart text: the first family of the application font
// registered at start-up (else "Times New Roman"), 184 points, which the
// painter's window of 23 units per pixel shows at about 8 points.
#include <QFont>

class QPainter;

constexpr int CHART_FONT_POINT_SIZE = 184;

QFont chartFont();

// Sets the chart font on the painter; called at the start of every draw pass.
void setupChartFont(QPainter& painter);

#pragma once
// The box at the bottom left of the chart that reads out a position in
// degrees and minutes (纬度 latitude, 经度 longitude): the cursor's, or the
// view's centre before the cursor has been over the window.
#include <QFrame>

#include "MercatorProjection.h"

class QLabel;

class PositionBox : public QFrame {
  Q_OBJECT

public:
  explicit PositionBox(QWidget* parent = nullptr);

  void showPosition(const GeoPoint& position);
  // Takes the palette in force again (after the colour table changed): a
  // widget with a style sheet keeps the palette it was polished with.
  void repolish();

private:
  QLabel* latitude_ = nullptr;
  QLabel* longitude_ = nullptr;
};

#include "PositionBox.h"

#include <QLabel>

#include "ReadoutText.h"

PositionBox::PositionBox(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("latlon"));
  // Opaque in the window's own colour, which follows the colour table.
  setStyleSheet(
      QStringLiteral("#latlon{\nborder:2px solid  rgb(180, 216, 253);\nbackground-color: palette(window);\n}"));
  auto* latitudeCaption = new QLabel(QStringLiteral("纬度："), this);
  latitudeCaption->setObjectName(QStringLiteral("label_3"));
  latitudeCaption->setGeometry(6, 5, 42, 20);
  latitude_ = new QLabel(this);
  latitude_->setObjectName(QStringLiteral("lat"));
  latitude_->setGeometry(48, 5, 100, 20);
  longitude_ = new QLabel(this);
  longitude_->setObjectName(QStringLiteral("lon"));
  longitude_->setGeometry(194, 5, 104, 20);
  auto* longitudeCaption = new QLabel(QStringLiteral("经度："), this);
  longitudeCaption->setObjectName(QStringLiteral("label_6"));
  longitudeCaption->setGeometry(152, 5, 42, 20);
}

void PositionBox::showPosition(const GeoPoint& position) {
  latitude_->setText(latitudeText(position.latitude));
  longitude_->setText(longitudeText(position.longitude));
}

void PositionBox::repolish() {
  const QString sheet = styleSheet();
  setStyleSheet(QString());
  setStyleSheet(sheet);
}

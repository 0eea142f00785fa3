#include "ContourOrder.h"

#include <QStringList>
#include <algorithm>

void setContourInOrder(DisplaySettings& s, Contour which, double metres) {
  const float value = static_cast<float>(metres);
  switch (which) {
    case Contour::Safety:
      if (!(value >= kMinimumSafetyContour && value <= kMaximumSafetyContour)) return;
      s.safetyContour = value;
      break;
    case Contour::Shallow:
      if (!(value >= 0 && value <= kMaximumSafetyContour)) return;
      s.shallowContour = value;
      s.safetyContour = std::max(s.safetyContour, value);
      break;
    case Contour::Deep:
      if (!(value >= kMinimumSafetyContour && value <= 2 * kMaximumSafetyContour)) return;
      s.deepContour = value;
      s.safetyContour = std::min(s.safetyContour, value);
      break;
  }
  s.shallowContour = std::min(s.shallowContour, s.safetyContour);
  s.deepContour = std::max(s.deepContour, s.safetyContour);
}

QString movedContoursText(const DisplaySettings& before, const DisplaySettings& after, Contour chosen) {
  const struct {
    Contour contour;
    float DisplaySettings::*value;
    const char* name;
  } contours[] = {{Contour::Shallow, &DisplaySettings::shallowContour, "浅水等深线"},
                  {Contour::Safety, &DisplaySettings::safetyContour, "安全等深线"},
                  {Contour::Deep, &DisplaySettings::deepContour, "深水等深线"}};
  QStringList moved;
  for (const auto& c : contours)
    if (c.contour != chosen && before.*c.value != after.*c.value)
      moved << QStringLiteral("%1随之改为%2米").arg(QString::fromUtf8(c.name)).arg(static_cast<double>(after.*c.value));
  return moved.join(QStringLiteral("，"));
}

#pragma once
// The font of every chart text: the first family of the application font
// registered at start-up (else "Times New Roman"), 184 points, which the
// painter's window of 23 units per pixel shows at about 8 points.
#include <QFont>
#include <mutex>
#include <optional>

class QPainter;

constexpr int CHART_FONT_POINT_SIZE = 184;

class ChartFont {
public:
  // The application font's id (QFontDatabase::addApplicationFont), -1 for
  // none; set at start-up, before any view draws.
  void setApplicationFont(int id);
  int applicationFontId() const;

  // Built once per application font: the family look-up walks the font
  // database. Views may ask from several threads at once. Needs a
  // QGuiApplication.
  QFont font() const;
  // Sets the font on the painter; called at the start of every draw pass.
  void setUp(QPainter& painter) const;

private:
  mutable std::mutex mutex_;
  int id_ = -1;
  mutable std::optional<QFont> font_;
};

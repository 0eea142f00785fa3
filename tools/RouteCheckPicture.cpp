#include "RouteCheckPicture.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "ViewGeometry.h"
#include "WorldCopies.h"

namespace {

constexpr int kWidth = 1200, kHeight = 900;
constexpr double kPixel = LOGICAL_UNITS_PER_PIXEL;

// The route's positions in chart units, each in the copy of the world
// nearest the route's first waypoint, a leg followed every few pixels.
std::vector<std::vector<ChartPoint>> legLines(const Route& route) {
  std::vector<std::vector<ChartPoint>> lines;
  double near = geoToChart(route.waypoints().front().position).x;
  for (int i = 0; i < route.legCount(); ++i) {
    const LegTrack track = route.legTrack(i);
    std::vector<GeoPoint> positions;
    track.appendPoints(std::max(10.0, track.metres() / 200), positions);
    std::vector<ChartPoint> line;
    for (const GeoPoint& g : positions) {
      ChartPoint p = geoToChart(g);
      p.x = nearestCopyX(p.x, near);
      near = p.x;
      line.push_back(p);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void showWhole(const std::vector<std::vector<ChartPoint>>& lines, ChartView& view) {
  ChartBox box{lines[0][0].x, lines[0][0].y, lines[0][0].x, lines[0][0].y};
  for (const auto& line : lines)
    for (const ChartPoint& p : line) {
      box.minX = std::min(box.minX, p.x), box.maxX = std::max(box.maxX, p.x);
      box.minY = std::min(box.minY, p.y), box.maxY = std::max(box.maxY, p.y);
    }
  view.viewportWidth = static_cast<int>(kWidth * kPixel);
  view.viewportHeight = static_cast<int>(kHeight * kPixel);
  // A fifth of the picture to spare round the route.
  const double scale = std::max((box.maxX - box.minX) / view.viewportWidth, (box.maxY - box.minY) / view.viewportHeight);
  view.scale = static_cast<float>(std::max(scale * 1.4, 0.5));
  view.centre = {(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
  updateOrigin(view);
}

}  // namespace

bool writeRouteCheckPicture(const std::string& path, ChartEngine& engine, const Route& route,
                            const RouteCheckResult& result, float safetyContour, ChartView& view,
                            std::string& error) {
  const std::vector<std::vector<ChartPoint>> lines = legLines(route);
  if (lines.empty()) {
    error = "a route without legs has no picture";
    return false;
  }
  showWhole(lines, view);
  DisplaySettings settings(engine.library());
  settings.setSafetyContour(safetyContour);

  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(QGuiApplication::palette().color(QPalette::Window));
  QPainter painter(&image);
  setupPainter(painter, kWidth, kHeight, view);
  view.draw(painter, engine, settings);

  painter.setRenderHint(QPainter::Antialiasing);
  const double near = view.centre.x;
  const auto at = [&](const ChartPoint& p) { return toLogicalExact({nearestCopyX(p.x, near), p.y}, view); };
  // The route: legs in a dark violet, waypoints as small circles.
  QPen routePen(QColor(110, 0, 150), 3 * kPixel);
  routePen.setCapStyle(Qt::RoundCap);
  painter.setPen(routePen);
  painter.setBrush(Qt::NoBrush);
  for (const auto& line : lines) {
    QPainterPath path(at(line.front()));
    for (std::size_t i = 1; i < line.size(); ++i) path.lineTo(at(line[i]));
    painter.drawPath(path);
  }
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(13 * kPixel));
  painter.setFont(font);
  for (std::size_t i = 0; i < route.waypoints().size(); ++i) {
    const QPointF p = at(geoToChart(route.waypoints()[i].position));
    painter.drawEllipse(p, 5 * kPixel, 5 * kPixel);
    const std::string& name = route.waypoints()[i].name;
    painter.drawText(p + QPointF(7 * kPixel, -7 * kPixel),
                     QString::fromStdString(name.empty() ? "WP" + std::to_string(i + 1) : name));
  }
  // The findings: a ring at each.
  for (const RouteFinding& f : result.findings) {
    const bool alarm = f.kind == FindingKind::Alarm;
    painter.setPen(QPen(alarm ? QColor(220, 0, 0) : QColor(255, 140, 0), 2.5 * kPixel));
    painter.drawEllipse(at(geoToChart(f.position)), 8 * kPixel, 8 * kPixel);
  }
  painter.end();
  if (!image.save(QString::fromStdString(path), "PNG")) {
    error = "cannot write '" + path + "'";
    return false;
  }
  return true;
}

#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

gif::Animation loadingAnimation(int size) {
  constexpr int kDots = 12;
  constexpr double kPi = 3.14159265358979323846;
  gif::Animation a;
  a.width = a.height = size;
  // 0 transparent; 1 resting dot; 2 to 4 the tail up to the bright dot, in
  // the colour of the loading caption.
  a.palette = {{255, 255, 255}, {228, 228, 236}, {255, 200, 215}, {255, 142, 172}, {255, 85, 127}};
  a.transparentIndex = 0;

  const double centre = (size - 1) / 2.0;
  const double ring = size * 0.34;
  const double radius = size * 0.075;
  for (int frame = 0; frame < kDots; ++frame) {
    gif::Frame f;
    f.delayCentiseconds = 8;
    f.pixels.assign(static_cast<size_t>(size) * static_cast<size_t>(size), 0);
    for (int dot = 0; dot < kDots; ++dot) {
      const double angle = 2 * kPi * dot / kDots - kPi / 2;
      const double dx = centre + ring * std::cos(angle);
      const double dy = centre + ring * std::sin(angle);
      const int behind = ((frame - dot) % kDots + kDots) % kDots;  // 0: the bright dot
      const std::uint8_t colour = behind == 0 ? 4 : behind == 1 ? 3 : behind == 2 ? 2 : 1;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          if ((x - dx) * (x - dx) + (y - dy) * (y - dy) <= radius * radius)
            f.pixels[static_cast<size_t>(y) * size + x] = colour;
    }
    a.frames.push_back(std::move(f));
  }
  return a;
}

QImage windowIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(18, 72, 132));
  p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
  p.setPen(QPen(QColor(180, 216, 253), s * 0.04));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(s / 2, s / 2), s * 0.36, s * 0.36);

  // Four points of the rose; north in red.
  const QPointF c(s / 2, s / 2);
  const double tip = s * 0.42, waist = s * 0.09;
  const QPointF north(c.x(), c.y() - tip), south(c.x(), c.y() + tip);
  const QPointF east(c.x() + tip, c.y()), west(c.x() - tip, c.y());
  const QPointF ne(c.x() + waist, c.y() - waist), nw(c.x() - waist, c.y() - waist);
  const QPointF se(c.x() + waist, c.y() + waist), sw(c.x() - waist, c.y() + waist);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({north, ne, east, se, south, sw, west, nw}));
  p.setBrush(QColor(220, 40, 60));
  p.drawPolygon(QPolygonF({north, ne, c, nw}));
  p.setBrush(QColor(18, 72, 132));
  p.drawEllipse(c, s * 0.04, s * 0.04);
  return image;
}

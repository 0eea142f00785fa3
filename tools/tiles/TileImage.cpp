#include "TileImage.h"

#include <QBuffer>
#include <QImageWriter>

namespace tiles {

bool isBlank(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(row[x]) != 0) return false;
  }
  return true;
}

QByteArray encodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return QByteArray();
  return bytes;
}

}  // namespace tiles

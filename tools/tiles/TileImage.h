#pragma once
// A rendered tile as an image and as the PNG bytes that are stored.
#include <QByteArray>
#include <QImage>

namespace tiles {

// Whether nothing was drawn on the image: every pixel fully transparent.
bool isBlank(const QImage& image);

// The image as PNG; empty when encoding fails.
QByteArray encodePng(const QImage& image);

}  // namespace tiles

#include "TileImage.h"

#include <zlib.h>

#include <cstdint>
#include <string>

namespace tiles {

namespace {

void appendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xff));
}

// One PNG chunk: length, type, data and the CRC of type and data.
void appendChunk(std::string& out, const char* type, const std::string& data) {
  appendBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.append(type, 4);
  out += data;
  const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data() + start), static_cast<uInt>(out.size() - start));
  appendBigEndian(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool isBlank(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(row[x]) != 0) return false;
  }
  return true;
}

// Written here rather than by Qt's PNG writer, which tries every row filter
// on every row: chart tiles are flat colours that compress best unfiltered,
// and leaving the filters out halves the time a tile takes to encode.
QByteArray encodePng(const QImage& image) {
  const QImage premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied
                                   ? image
                                   : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (premultiplied.isNull()) return QByteArray();
  const int width = premultiplied.width(), height = premultiplied.height();
  // Rows of straight-alpha R, G, B, A bytes, each after its filter byte.
  std::string raw;
  raw.reserve((static_cast<size_t>(width) * 4 + 1) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');  // filter type 0: none
    const QRgb* row = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      const QRgb p = qUnpremultiply(row[x]);
      const char rgba[4] = {static_cast<char>(qRed(p)), static_cast<char>(qGreen(p)), static_cast<char>(qBlue(p)),
                            static_cast<char>(qAlpha(p))};
      raw.append(rgba, 4);
    }
  }
  std::string compressed(compressBound(static_cast<uLong>(raw.size())), '\0');
  uLongf size = static_cast<uLongf>(compressed.size());
  if (compress2(reinterpret_cast<Bytef*>(&compressed[0]), &size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), 6) != Z_OK)
    return QByteArray();
  compressed.resize(size);

  std::string header;
  appendBigEndian(header, static_cast<uint32_t>(width));
  appendBigEndian(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter method, no interlace
  std::string png("\x89PNG\r\n\x1a\n", 8);
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", compressed);
  appendChunk(png, "IEND", std::string());
  return QByteArray(png.data(), static_cast<int>(png.size()));
}

}  // namespace tiles

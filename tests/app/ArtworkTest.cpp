// The GIF writer against Qt's GIF reader, and the program's own pictures.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <random>

#include "Artwork.h"
#include "GifWriter.h"

namespace {

// Every frame of `bytes`, as Qt reads them.
std::vector<QImage> readFrames(const std::string& bytes) {
  QByteArray data(bytes.data(), static_cast<int>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, "gif");
  std::vector<QImage> frames;
  QImage frame;
  while (reader.read(&frame)) frames.push_back(frame.convertToFormat(QImage::Format_ARGB32));
  return frames;
}

// Frames decode to exactly the indices written: small and large palettes,
// long runs (the code table grows to 12 bits and is cleared) and noise.
TEST(GifWriter, FramesReadBackPixelForPixel) {
  std::mt19937 random(7);
  struct Case {
    const char* what;
    int width, height, colours;
    std::function<int(int x, int y)> index;
  } cases[] = {
      {"two colours, checks", 17, 9, 2, [](int x, int y) { return (x + y) % 2; }},
      {"one colour", 40, 30, 2, [](int, int) { return 1; }},
      {"eight colours, stripes", 64, 64, 8, [](int x, int y) { return (x / 3 + y) % 8; }},
      {"256 colours, noise", 200, 150, 256, [&](int, int) { return static_cast<int>(random() % 256); }},
      {"five colours, noise", 300, 300, 5, [&](int, int) { return static_cast<int>(random() % 5); }},
  };
  for (const Case& c : cases) {
    gif::Animation a;
    a.width = c.width;
    a.height = c.height;
    for (int i = 0; i < c.colours; ++i)
      a.palette.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7)});
    for (int f = 0; f < 2; ++f) {
      gif::Frame frame;
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) frame.pixels.push_back(static_cast<uint8_t>(c.index(x + f, y)));
      a.frames.push_back(frame);
    }
    const std::vector<QImage> frames = readFrames(gif::encode(a));
    ASSERT_EQ(frames.size(), 2u) << c.what;
    for (int f = 0; f < 2; ++f) {
      ASSERT_EQ(frames[f].size(), QSize(c.width, c.height)) << c.what;
      int wrong = 0;
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
          const gif::Colour want = a.palette[a.frames[f].pixels[static_cast<size_t>(y) * c.width + x]];
          if (frames[f].pixel(x, y) != qRgb(want.red, want.green, want.blue)) ++wrong;
        }
      EXPECT_EQ(wrong, 0) << c.what << " frame " << f;
    }
  }
}

TEST(GifWriter, RefusesMalformedAnimations) {
  gif::Animation a;
  a.width = a.height = 2;
  a.palette = {{0, 0, 0}, {255, 255, 255}};
  EXPECT_TRUE(gif::encode(a).empty());  // no frame
  a.frames.push_back({{0, 1, 1}, 8});
  EXPECT_TRUE(gif::encode(a).empty());  // three pixels for four
  a.frames[0].pixels = {0, 1, 2, 0};
  EXPECT_TRUE(gif::encode(a).empty());  // index outside the palette
  a.frames[0].pixels = {0, 1, 1, 0};
  EXPECT_FALSE(gif::encode(a).empty());
}

TEST(Artwork, LoadingAnimationTurnsAndIconIsDrawn) {
  const std::string bytes = gif::encode(loadingAnimation());
  ASSERT_EQ(bytes.substr(0, 6), "GIF89a");
  const std::vector<QImage> frames = readFrames(bytes);
  ASSERT_EQ(frames.size(), 12u);
  EXPECT_EQ(frames[0].size(), QSize(100, 100));
  EXPECT_EQ(qAlpha(frames[0].pixel(0, 0)), 0);  // transparent around the ring
  EXPECT_NE(frames[0], frames[1]);
  const QImage icon = windowIcon();
  EXPECT_EQ(icon.size(), QSize(64, 64));
  EXPECT_NE(icon.pixel(32, 12), icon.pixel(32, 52));  // the red north point
}

}  // namespace

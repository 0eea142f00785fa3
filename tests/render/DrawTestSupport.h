#pragma once
// Helpers for the drawing tests: a paint device that records what the
// painter was asked to draw, a library of each test's own filled with small
// test definitions, the settings a test draws with, and vector commands
// written as short calls.
#include <gtest/gtest.h>

#include <QBrush>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "DisplaySettings.h"
#include "DrawScratch.h"
#include "LibraryDrawings.h"
#include "PresentationLibrary.h"
#include "VectorDrawing.h"

namespace drawtest {

// One call that reached the paint engine, with the pen and brush in force.
struct PaintCall {
  enum Kind { Line, Polygon, Path, Ellipse, Points, Text, Rects, Pixmap };
  Kind kind;
  QPolygonF points;  // Line: its two ends; Polygon, Points: the points; Ellipse, Rects, Pixmap: the rectangle's corners
  QPainterPath path;
  QString text;
  QPen pen;
  QBrush brush;  // a Pixmap's: the colour of its most opaque pixel, with no pen
  QTransform transform;
};

// A paint device of 100000 x 100000 pixels whose engine only records. Use
// it without a window so that coordinates reach the engine unchanged.
class RecordingDevice : public QPaintDevice {
public:
  RecordingDevice();
  ~RecordingDevice() override;
  QPaintEngine* paintEngine() const override;
  std::vector<PaintCall> calls;

  std::vector<PaintCall> ofKind(PaintCall::Kind kind) const;

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  std::unique_ptr<QPaintEngine> engine_;
};

// Each test has a library of its own, empty until the test fills in the
// tables it needs, with its drawings (pattern tiles, the log of missing
// drawings) and scratch; the settings are the test's own too, built at their
// start values over that library.
class DrawTest : public testing::Test {
protected:
  PresentationLibrary& library() { return library_; }
  DisplaySettings& settings() { return settings_; }
  LibraryDrawings& drawings() { return drawings_; }
  // The painter with the colour table of the test's settings, the test's
  // library and scratch.
  Canvas canvas(QPainter& painter) { return Canvas{painter, *settings_.colourTable, drawings_, scratch_}; }
  // Sets a colour of every scheme.
  void setColour(const char* token, const QColor& colour);
  static int colour(const char* token);

private:
  PresentationLibrary library_;
  DisplaySettings settings_{library_};
  LibraryDrawings drawings_{library_};
  DrawScratch scratch_;
};

// Vector commands as in the library files, coordinates already in drawing units.
VectorCommand SP(int colour);
VectorCommand SW(int width);
VectorCommand PM(int mode);
VectorCommand ST(int transparency);
VectorCommand PU(int x, int y);
VectorCommand PD(int x, int y);
VectorCommand CI(int radius);

// An image of the given size, transparent, for pixel checks.
QImage blankImage(int width, int height);

}  // namespace drawtest

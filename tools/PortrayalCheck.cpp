#include "PortrayalCheck.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "CellChoice.h"
#include "ChartView.h"
#include "DrawContext.h"
#include "TrueScale.h"

namespace {
// A paint engine that draws nothing: the pass runs in full, the pixels go
// nowhere.
class NullPaintEngine : public QPaintEngine {
public:
  NullPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF&, const QTextItem&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
  void drawPath(const QPainterPath&) override {}
  void drawLines(const QLineF*, int) override {}
  void drawLines(const QLine*, int) override {}
  void drawEllipse(const QRectF&) override {}
  void drawRects(const QRectF*, int) override {}
  void drawRects(const QRect*, int) override {}
  void drawPoints(const QPointF*, int) override {}
  void drawPoints(const QPoint*, int) override {}
  Type type() const override { return QPaintEngine::User; }
};

class NullPaintDevice : public QPaintDevice {
public:
  NullPaintDevice(int width, int height) : width_(width), height_(height) {}
  QPaintEngine* paintEngine() const override { return &engine_; }

protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return width_;
      case PdmHeight: return height_;
      case PdmWidthMM: return width_ * 254 / 960;
      case PdmHeightMM: return height_ * 254 / 960;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 96;
      case PdmDepth: return 32;
      case PdmNumColors: return 0x7fffffff;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
  }

private:
  int width_, height_;
  mutable NullPaintEngine engine_;
};

class Collector : public InstructionRecorder {
public:
  void executed(const ChartFeature& feature, const Instruction& instruction) override {
    drawn[&feature].push_back(instruction);
  }
  DrawnInstructions drawn;
};

// The largest surface, in pixels, that keeps every logical coordinate (23
// units to the pixel, with the clipping margins) far inside the int range.
constexpr double kLargestSide = 20000000.0;
}  // namespace

DrawnInstructions drawnInstructions(ChartEngine& engine, const S57Cell& cell, const DisplaySettings& settings,
                                    float scale, double* overscale, double pixelMillimetres) {
  if (overscale) *overscale = 0;
  if (cell.extents.empty()) return {};
  ChartView view;
  view.pixelMillimetres = pixelMillimetres;
  const ChartBox& box = cell.boundingBox;
  view.centre = ChartPoint{(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
  // The true scale at the cell's middle; a view scale of the same number
  // where no true scale can be had (a cell at a pole).
  const double wanted = scale > 0 ? scale : compilationScaleForRules(cell);
  if (!setTrueScale(view, wanted)) view.scale = static_cast<float>(wanted);
  // The whole cell and a pixel more on each side.
  const auto side = [&](double units) {
    return static_cast<int>(std::clamp(std::ceil(units / view.scale / LOGICAL_UNITS_PER_PIXEL) + 2, 1.0, kLargestSide));
  };
  const int width = side(box.maxX - box.minX), height = side(box.maxY - box.minY);
  NullPaintDevice device(width, height);
  QPainter painter(&device);
  setupPainter(painter, width, height, view);
  Collector collector;
  view.draw(painter, engine, settings, {const_cast<S57Cell*>(&cell)}, &collector);
  painter.end();
  if (overscale) *overscale = view.overscale;
  return std::move(collector.drawn);
}

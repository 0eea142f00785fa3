#include "DrawTestSupport.h"

#include <QTextItem>

#include "ColourToken.h"

namespace drawtest {

namespace {
class RecordingEngine : public QPaintEngine {
public:
  explicit RecordingEngine(RecordingDevice& device) : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    if (state.state() & DirtyPen) pen_ = state.pen();
    if (state.state() & DirtyBrush) brush_ = state.brush();
    if (state.state() & DirtyTransform) transform_ = state.transform();
  }

  void drawLines(const QLineF* lines, int count) override {
    for (int i = 0; i < count; ++i) add(PaintCall::Line, QPolygonF(QVector<QPointF>{lines[i].p1(), lines[i].p2()}));
  }
  void drawLines(const QLine* lines, int count) override {
    for (int i = 0; i < count; ++i) add(PaintCall::Line, QPolygonF(QVector<QPointF>{QPointF(lines[i].p1()), QPointF(lines[i].p2())}));
  }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
    add(PaintCall::Polygon, QPolygonF(QVector<QPointF>(points, points + count)));
  }
  void drawPolygon(const QPoint* points, int count, PolygonDrawMode) override {
    QPolygonF polygon;
    for (int i = 0; i < count; ++i) polygon << QPointF(points[i]);
    add(PaintCall::Polygon, polygon);
  }
  void drawPath(const QPainterPath& path) override {
    PaintCall& call = add(PaintCall::Path, QPolygonF());
    call.path = path;
  }
  void drawEllipse(const QRectF& rect) override {
    add(PaintCall::Ellipse, QPolygonF(QVector<QPointF>{rect.topLeft(), rect.bottomRight()}));
  }
  void drawEllipse(const QRect& rect) override { drawEllipse(QRectF(rect)); }
  void drawPoints(const QPointF* points, int count) override {
    add(PaintCall::Points, QPolygonF(QVector<QPointF>(points, points + count)));
  }
  void drawPoints(const QPoint* points, int count) override {
    QPolygonF polygon;
    for (int i = 0; i < count; ++i) polygon << QPointF(points[i]);
    add(PaintCall::Points, polygon);
  }
  void drawRects(const QRectF* rects, int count) override {
    for (int i = 0; i < count; ++i) add(PaintCall::Rects, QPolygonF(QVector<QPointF>{rects[i].topLeft(), rects[i].bottomRight()}));
  }
  void drawRects(const QRect* rects, int count) override {
    for (int i = 0; i < count; ++i) {
      const QRectF r(rects[i]);
      drawRects(&r, 1);
    }
  }
  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    PaintCall& call = add(PaintCall::Text, QPolygonF(QVector<QPointF>{p}));
    call.text = item.text();
  }
  void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF&) override { addImage(r, pixmap.toImage()); }
  void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override {
    addImage(r, image);
  }

private:
  // An image (a stamped symbol) is recorded with no pen and its ink's
  // colour as the brush: that of its most opaque pixel.
  void addImage(const QRectF& r, const QImage& image) {
    PaintCall& call = add(PaintCall::Pixmap, QPolygonF(QVector<QPointF>{r.topLeft(), r.bottomRight()}));
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QRgb ink = 0;
    for (int y = 0; y < argb.height(); ++y)
      for (int x = 0; x < argb.width(); ++x)
        if (qAlpha(argb.pixel(x, y)) > qAlpha(ink)) ink = argb.pixel(x, y);
    call.pen = QPen(Qt::NoPen);
    call.brush = QBrush(QColor(qRed(ink), qGreen(ink), qBlue(ink)));
  }

  PaintCall& add(PaintCall::Kind kind, const QPolygonF& points) {
    device_.calls.push_back(PaintCall{kind, points, {}, {}, pen_, brush_, transform_});
    return device_.calls.back();
  }

  RecordingDevice& device_;
  QPen pen_;
  QBrush brush_;
  QTransform transform_;
};
}  // namespace

RecordingDevice::RecordingDevice() : engine_(std::make_unique<RecordingEngine>(*this)) {}
RecordingDevice::~RecordingDevice() = default;
QPaintEngine* RecordingDevice::paintEngine() const { return engine_.get(); }

std::vector<PaintCall> RecordingDevice::ofKind(PaintCall::Kind kind) const {
  std::vector<PaintCall> out;
  for (const PaintCall& c : calls)
    if (c.kind == kind) out.push_back(c);
  return out;
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth:
    case PdmHeight:
      return 100000;
    case PdmWidthMM:
    case PdmHeightMM:
      return 26458;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
      return 96;
    case PdmDepth:
      return 32;
    case PdmNumColors:
      return 0x7fffffff;
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
  }
  return 0;
}

void DrawTest::setColour(const char* token, const QColor& c) {
  for (ColourTable& table : library_.colourTables) table.entries[static_cast<std::size_t>(colourIndex(token))] = c;
}

int DrawTest::colour(const char* token) { return colourIndex(token); }

VectorCommand SP(int colour) { return {kSP, colour, 0, 0}; }
VectorCommand SW(int width) { return {kSW, 0, width, 0}; }
VectorCommand PM(int mode) { return {kPM, 0, mode, 0}; }
VectorCommand ST(int transparency) { return {kST, 0, transparency, 0}; }
VectorCommand PU(int x, int y) { return {kPU, 0, x, y}; }
VectorCommand PD(int x, int y) { return {kPD, 0, x, y}; }
VectorCommand CI(int radius) { return {kCI, 0, radius, 0}; }

QImage blankImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

}  // namespace drawtest

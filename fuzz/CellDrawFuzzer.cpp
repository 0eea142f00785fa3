// Feeds arbitrary bytes through loadCell, as the chart display loads a cell
// file (reader, assembly, look-up selection, finishing), with the generated
// presentation library of the source tree, then draws the loaded cell once
// into a small offscreen image at the scale loading centred the view on.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "CellList.h"
#include "CellLoad.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "FuzzInputFile.h"
#include "PresentationLibrary.h"

namespace {
constexpr int kWidth = 160, kHeight = 120;  // pixels

// The engine of the whole run: its library, the pattern tiles and the log
// of missing drawings, as the chart display keeps them from cell to cell.
ChartEngine* engine = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "celldraw_fuzzer";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // for the whole run: text needs the font database
  const char* library = CHART_SOURCE_DIR "/S57Lib";
  engine = new ChartEngine(library, MissingFileReport::Silent);  // for the whole run, as the application
  if (!engine->hasLibrary()) {
    std::fprintf(stderr, "celldraw_fuzzer: no usable presentation library in %s (run scripts/setup.sh)\n", library);
    std::exit(1);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzInputFile file;
  const std::string& path = file.write(data, size);
  // Each input in a list of its own: one cell of a name per list.
  CellList list;
  ChartView view;
  // A cell that is not whole is listed and drawn like any other.
  if (!loadCell(path, engine->library(), list, &view).listed()) return 0;
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  setupPainter(painter, kWidth, kHeight, view);
  static const DisplaySettings settings(engine->library());  // the defaults a first start shows
  view.draw(painter, *engine, settings, *list.snapshot());
  painter.end();
  return 0;
}

#pragma once
// Everything one draw pass of one view works with: the canvas, the settings
// and view geometry it draws by, and the view's own buffers. The cells are
// only read, so several views may draw the same cells at once, each with
// its own context.
#include <QPoint>
#include <memory>
#include <vector>

#include "AreaOutline.h"
#include "Canvas.h"
#include "ChartModel.h"
#include "DisplaySettings.h"
#include "LibraryDrawings.h"
#include "ProcedureResult.h"
#include "TextDrawing.h"
#include "TextPlacement.h"
#include "TrueScale.h"
#include "ViewGeometry.h"

// Point buffers of the line drawer, kept from one line to the next so that
// a draw pass allocates only for its longest line.
struct LineBuffers {
  std::vector<QPoint> line;     // the whole line, thinned and clipped
  std::vector<QPoint> part;     // one edge group, thinned and clipped
  std::vector<QPoint> scratch;  // the second buffer of the clipping passes
};

// An area drawn in this cell whose procedures styled some of its edges (the
// safety contour), with that result: the edges are drawn after every area
// of the cell is filled, so no later fill covers them.
struct StyledEdges {
  const AreaFeature* area = nullptr;
  std::shared_ptr<const ProcedureResult> result;
};

// What a pass writes, owned by the view that draws: the buffers keep their
// capacity from one pass to the next. The texts of a view's pass wait in
// `texts` until every cell is drawn; a caller that draws cells or features
// without placing texts view-wide (DrawContext::texts null) has them drawn
// at once, decluttered against `textBoxes`, which with the styled edges is
// emptied at the start of each cell.
struct DrawBuffers {
  AreaOutlineBuffers outline;
  LineBuffers line;
  TextBoxList textBoxes;
  std::vector<StyledEdges> styledEdges;
  TextPlacement texts;
};

// A level of detail a pass wanted for a cell but found not made yet.
struct WantedDetailLevel {
  const S57Cell* cell = nullptr;
  int level = 0;
};

// Told of every instruction a pass executes, feature by feature: a check of
// what is drawn without looking at pixels. Executed means it passed every
// test (view, scale, display category, text switch) and went to the canvas.
class InstructionRecorder {
public:
  virtual ~InstructionRecorder() = default;
  virtual void executed(const ChartFeature& feature, const Instruction& instruction) = 0;
};

struct DrawContext {
  DrawContext(const Canvas& canvas, const DisplaySettings& settings, const ViewGeometry& view, DrawBuffers& buffers,
              InstructionRecorder* recorder = nullptr)
      : canvas(canvas), settings(settings), view(view), buffers(buffers), recorder(recorder),
        scale(static_cast<float>(trueScale(view))) {}

  Canvas canvas;
  const DisplaySettings& settings;
  const ViewGeometry& view;
  DrawBuffers& buffers;
  InstructionRecorder* recorder = nullptr;
  // The view's true scale at its centre, worked out once: the scale every
  // scale rule of the pass (SCAMIN, SCAMAX, the limits of points and
  // soundings) compares with.
  float scale = 0;
  // The level of detail of the lines and outlines of the cell being drawn
  // (detailLevelForView); drawCell sets it, null draws every vertex.
  const DetailLevel* detail = nullptr;
  // Null: a level the view needs is made on the spot. Otherwise the pass
  // never makes one: it draws with the finest level made that is no more
  // simplified than the one it needs (every vertex when none is) and adds
  // the one it needs here, for another thread to make.
  std::vector<WantedDetailLevel>* wantedLevels = nullptr;

  // When set, texts and soundings go to the view-wide placement (a view's
  // pass sets buffers.texts) as those of the cell at `cellOrder` in the
  // pass's drawing order; otherwise texts are drawn at once.
  TextPlacement* texts = nullptr;
  int cellOrder = 0;
  // The procedure result of the feature being drawn (the drawers set it),
  // kept with the feature's texts that wait for their place: another view
  // may replace the result kept on the feature meanwhile.
  std::shared_ptr<const ProcedureResult> result;
  // Set while an instruction made for the moment (the date indication) is
  // executed: a text of it waits with its own copy.
  bool transientInstruction = false;

  void record(const ChartFeature& feature, const Instruction& instruction) const {
    if (recorder) recorder->executed(feature, instruction);
  }
  // The presentation library the pass draws from.
  const PresentationLibrary& library() const { return canvas.drawings.library; }
};

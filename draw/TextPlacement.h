#pragma once
// The texts of a whole view, placed against each other once every cell is
// drawn. During the pass the drawers hand their texts (and the cell
// boundaries their names) to the view's TextPlacement instead of drawing
// them, and the soundings the room their figures take; afterwards the
// texts are placed in order of importance and drawn over the chart:
//
// - a sounding is chart data and is never dropped: no text is placed where
//   it touches the figures of one (boxesOverlap), the text goes instead;
//   texts keep apart from each other by boxesCollide;
// - important texts (text groups 10 to 19 and 21 to 23: clearances,
//   bearings, the names of aids to navigation, light descriptions) before
//   other texts (names, notes, seabed, contour labels), and the cell names
//   of the boundaries last;
// - among those, the texts of features of higher display priority first,
//   then those of more detailed cells (drawn later in the pass), then the
//   order the pass met them;
// - a text goes exactly where its instruction puts it, beside its own
//   symbol, or not at all: it never moves onto a neighbour.
//
// A text or sounding of a cell that lies under the coverage of a cell drawn
// after it was painted over by that cell: it is marked hidden (hide) and
// neither drawn nor keeps anything away.
//
// Everything lives in vectors that keep their capacity from one pass to the
// next, so placing allocates nothing once they have grown.
#include <QPointF>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "ChartModel.h"
#include "Instruction.h"
#include "TextBox.h"

class InstructionRecorder;

// How much a text matters when room is short: lower places first.
enum class TextImportance : std::uint8_t { Important = 0, Other = 1, CellName = 2 };

// The importance of a text of text group `group`.
TextImportance textImportance(int group);

// A text placed in the last pass: where its glyphs (or a label's symbols)
// are, and its feature (null for a cell name).
struct PlacedText {
  TextBox box;
  const ChartFeature* feature = nullptr;
};

class TextPlacement {
public:
  // A text of a feature, waiting for its place.
  struct Pending {
    TextBox box;
    ChartPoint at;                             // its anchor in chart units, for hide
    const std::string* shown = nullptr;        // the string drawn
    const Text* text = nullptr;                // null for a cell name or a label of symbols
    const ChartFeature* feature = nullptr;     // null for a cell name
    const Instruction* instruction = nullptr;  // told to the recorder when drawn
    // A label of symbols (a contour's depth): the symbol instructions among
    // symbols[first, last), drawn at `anchor`.
    const std::vector<Instruction>* symbols = nullptr;
    std::uint32_t first = 0, last = 0;
    QPointF anchor;
    bool stamped = false;  // its symbols are stamped (SymbolStamps.h), as its cell's are
    std::shared_ptr<const void> keep;          // owns `text` when the feature does not
    std::uint32_t order = 0;
    int priority = 0;  // the feature's display priority
    int cell = 0;      // its cell's place in the pass's drawing order
    TextImportance importance = TextImportance::Other;
    bool alignRight = false;
    bool hidden = false;
  };

  // Forgets the last pass.
  void clear();

  // A prepared text `shown` (the text or national text of `instruction`'s
  // text), in `box` (textBoxFor), anchored at `at`. `keep`, when set, owns
  // the instruction for the pass.
  void addText(const TextBox& box, bool alignRight, const ChartPoint& at, const std::string& shown,
               const Instruction& instruction, const ChartFeature& feature, int priority, int cell,
               std::shared_ptr<const void> keep = nullptr);
  // A label drawn as the symbols among `symbols`[first, last) at `anchor`
  // (a depth contour's figures), placed whole or not at all as a text of
  // `feature` of other importance; `box` holds every symbol. With `stamped`
  // the symbols are stamped, as those of the label's cell are in the pass.
  void addSymbolLabel(const TextBox& box, const QPointF& anchor, const ChartPoint& at,
                      const std::vector<Instruction>& symbols, std::uint32_t first, std::uint32_t last,
                      const ChartFeature& feature, int priority, int cell, std::shared_ptr<const void> keep,
                      bool stamped = false);
  // The name of a cell at the corner of its boundary, in `box`: the names
  // of cells the pass draws (`drawn`) before those only framed.
  void addCellName(const TextBox& box, const ChartPoint& at, const std::string& name, int cell, bool drawn);
  // The room a sounding's figures take.
  void addSounding(const TextBox& box, const ChartPoint& at, int cell);

  // Marks hidden every text and sounding for which hidden(cell, at) holds.
  template <typename Hidden>
  void hide(Hidden hidden) {
    for (Pending& t : texts_) t.hidden = t.hidden || hidden(t.cell, t.at);
    for (Sounding& s : soundings_) s.hidden = s.hidden || hidden(s.cell, s.at);
  }

  // Places the texts not hidden in order of importance and draws those that
  // find room, telling each to `recorder` (when given) as its instruction
  // executed. Cell names are drawn in blue.
  void placeAndDraw(const Canvas& canvas, InstructionRecorder* recorder);

  // What the last placeAndDraw drew, in the order placed, and the room of
  // the soundings shown that it kept texts off.
  const std::vector<PlacedText>& placed() const { return placed_; }
  const std::vector<TextBox>& soundingBoxes() const { return shownSoundings_; }
  // Everything handed in since clear, for the tests of a pass.
  const std::vector<Pending>& pending() const { return texts_; }

private:
  struct Sounding {
    TextBox box;
    ChartPoint at;
    int cell = 0;
    bool hidden = false;
  };
  bool taken(const TextBox& box) const;

  std::vector<Pending> texts_;
  std::vector<Sounding> soundings_;
  std::vector<std::uint32_t> placingOrder_;
  std::vector<TextBox> shownSoundings_;
  std::vector<TextBox> takenTexts_;
  std::vector<PlacedText> placed_;
  long long widestSounding_ = 0;
};

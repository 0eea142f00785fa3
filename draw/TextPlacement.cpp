#include "TextPlacement.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "DrawContext.h"
#include "LibraryLine.h"
#include "SymbolDrawing.h"
#include "SymbolOutlines.h"
#include "Primitives.h"
#include "TextDrawing.h"

TextImportance textImportance(int group) {
  return (group >= 10 && group <= 19) || (group >= 21 && group <= 23) ? TextImportance::Important
                                                                      : TextImportance::Other;
}

void TextPlacement::clear() {
  texts_.clear();
  soundings_.clear();
  placingOrder_.clear();
  shownSoundings_.clear();
  takenTexts_.clear();
  placed_.clear();
  widestSounding_ = 0;
}

void TextPlacement::addText(const TextBox& box, bool alignRight, const ChartPoint& at, const std::string& shown,
                            const Instruction& instruction, const ChartFeature& feature, int priority, int cell,
                            std::shared_ptr<const void> keep) {
  Pending& t = texts_.emplace_back();
  t.box = box;
  t.at = at;
  t.shown = &shown;
  t.text = instruction.text();
  t.feature = &feature;
  t.instruction = &instruction;
  t.keep = std::move(keep);
  t.order = static_cast<std::uint32_t>(texts_.size() - 1);
  t.priority = priority;
  t.cell = cell;
  t.importance = textImportance(t.text ? t.text->group : 0);
  t.alignRight = alignRight;
}

void TextPlacement::addSymbolLabel(const TextBox& box, const QPointF& anchor, const ChartPoint& at,
                                   const std::vector<Instruction>& symbols, std::uint32_t first, std::uint32_t last,
                                   const ChartFeature& feature, int priority, int cell,
                                   std::shared_ptr<const void> keep, bool stamped) {
  Pending& t = texts_.emplace_back();
  t.stamped = stamped;
  t.box = box;
  t.at = at;
  t.feature = &feature;
  t.symbols = &symbols;
  t.first = first;
  t.last = last;
  t.anchor = anchor;
  t.keep = std::move(keep);
  t.order = static_cast<std::uint32_t>(texts_.size() - 1);
  t.priority = priority;
  t.cell = cell;
  t.importance = TextImportance::Other;
}

void TextPlacement::addCellName(const TextBox& box, const ChartPoint& at, const std::string& name, int cell,
                                bool drawn) {
  Pending& t = texts_.emplace_back();
  t.box = box;
  t.at = at;
  t.shown = &name;
  t.order = static_cast<std::uint32_t>(texts_.size() - 1);
  t.cell = cell;
  t.priority = drawn ? 1 : 0;
  t.importance = TextImportance::CellName;
}

void TextPlacement::addSounding(const TextBox& box, const ChartPoint& at, int cell) {
  soundings_.push_back(Sounding{box, at, cell, false});
}

bool TextPlacement::taken(const TextBox& box) const {
  // The soundings are sorted by their left edge: only those starting less
  // than the widest one's width left of the box can reach into it.
  const long long from = static_cast<long long>(box.left) - widestSounding_;
  auto it = std::lower_bound(shownSoundings_.begin(), shownSoundings_.end(), from,
                             [](const TextBox& s, long long left) { return s.left < left; });
  for (; it != shownSoundings_.end() && it->left <= box.right; ++it)
    if (boxesOverlap(*it, box)) return true;
  for (const TextBox& t : takenTexts_)
    if (boxesCollide(t, box)) return true;
  return false;
}

void TextPlacement::placeAndDraw(const Canvas& canvas, InstructionRecorder* recorder) {
  shownSoundings_.clear();
  widestSounding_ = 0;
  for (const Sounding& s : soundings_) {
    if (s.hidden) continue;
    shownSoundings_.push_back(s.box);
    widestSounding_ = std::max(widestSounding_, static_cast<long long>(s.box.right) - s.box.left);
  }
  std::sort(shownSoundings_.begin(), shownSoundings_.end(),
            [](const TextBox& a, const TextBox& b) { return a.left < b.left; });

  placingOrder_.clear();
  for (const Pending& t : texts_)
    if (!t.hidden) placingOrder_.push_back(t.order);
  std::sort(placingOrder_.begin(), placingOrder_.end(), [this](std::uint32_t i, std::uint32_t j) {
    const Pending& a = texts_[i];
    const Pending& b = texts_[j];
    if (a.importance != b.importance) return a.importance < b.importance;
    if (a.priority != b.priority) return a.priority > b.priority;
    if (a.cell != b.cell) return a.cell > b.cell;
    return a.order < b.order;
  });

  takenTexts_.clear();
  placed_.clear();
  QPainter& painter = canvas.painter;
  const QFontMetricsF metrics(painter.font(), painter.device());
  for (std::uint32_t i : placingOrder_) {
    const Pending& t = texts_[i];
    if (t.symbols) {
      if (taken(t.box)) continue;
      takenTexts_.push_back(t.box);
      placed_.push_back(PlacedText{t.box, t.feature});
      Canvas labelCanvas = canvas;
      labelCanvas.stampSymbols = t.stamped;
      for (std::uint32_t k = t.first; k < t.last; ++k) {
        const Instruction& in = (*t.symbols)[k];
        const Symbol* symbol = in.find<Symbol>();
        if (!symbol) continue;
        drawSymbolFast(labelCanvas, t.anchor, symbol->name, readDecimal(symbol->rotation));
        if (recorder) recorder->executed(*t.feature, in);
      }
      continue;
    }
    // Placed by where its glyphs land, which the box of its layout only
    // bounds: that box is wider than most texts.
    const QString shown = QString::fromUtf8(t.shown->data(), static_cast<int>(t.shown->size()));
    const TextBox ink = inkBox(metrics, t.box, shown, t.alignRight);
    if (taken(ink)) continue;
    takenTexts_.push_back(ink);
    placed_.push_back(PlacedText{ink, t.feature});
    if (t.text) {
      drawTextInBox(canvas, t.box, *t.text, shown, t.alignRight);
      if (recorder) recorder->executed(*t.feature, *t.instruction);
    } else {
      painter.setPen(QPen(QBrush(QColor(0, 0, 255)), 30));
      painter.drawText(QRect(t.box.left, t.box.top, t.box.right - t.box.left, t.box.bottom - t.box.top),
                       Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, shown);
    }
  }
}

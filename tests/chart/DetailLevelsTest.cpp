// The levels of detail on the real cell US5WA22M: every feature draws the
// same instructions at every scale of a zoom-out sweep as it does with its
// lines whole, each level keeps its lists' parts joined at their ends and
// within its tolerance of every vertex it drops, and views on two threads
// that need a level at once get the one level.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <thread>

#include "CellDetailLevels.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"

namespace {
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

class KindRecorder : public InstructionRecorder {
public:
  void executed(const ChartFeature& feature, const Instruction& instruction) override {
    drawn[&feature].push_back(instruction.kind());
  }
  std::map<const ChartFeature*, std::vector<InstructionKind>> drawn;
};

std::map<const ChartFeature*, std::vector<InstructionKind>> drawnKinds(ChartEngine& engine, ChartView view,
                                                                      const DisplaySettings& settings,
                                                                      S57Cell& cell) {
  QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  setupPainter(painter, image.width(), image.height(), view);
  KindRecorder recorder;
  view.draw(painter, engine, settings, {&cell}, &recorder);
  return std::move(recorder.drawn);
}

double distanceToSegment(const ChartPoint& p, const ChartPoint& a, const ChartPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
  const double t = length > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Each part keeps its first and last vertex, and every vertex it drops lies
// within `tolerance` of the kept piece that replaces it. Returns how many
// vertices the path dropped.
std::size_t checkParts(const std::vector<ChartVertex>& vertices, const std::vector<BoundaryPart>& parts,
                       const VertexPath& path, double tolerance, const char* what) {
  if (!path.simplified()) return 0;
  std::size_t dropped = 0;
  for (const BoundaryPart& part : parts) {
    const VertexPath kept = path.run(part.offset, part.count);
    if (part.count == 0) continue;
    EXPECT_GE(kept.size(), part.count > 1 ? 2u : 1u) << what;
    if (kept.size() < 2) continue;
    EXPECT_EQ(&kept[0], &vertices[part.offset]) << what << ": a part lost its first node";
    EXPECT_EQ(&kept[kept.size() - 1], &vertices[part.offset + part.count - 1]) << what << ": a part lost its last node";
    for (std::uint32_t k = 0; k + 1 < kept.size(); ++k) {
      const auto from = static_cast<std::size_t>(&kept[k] - vertices.data());
      const auto to = static_cast<std::size_t>(&kept[k + 1] - vertices.data());
      for (std::size_t i = from + 1; i < to; ++i) {
        ++dropped;
        EXPECT_LE(distanceToSegment(vertices[i].point, kept[k].point, kept[k + 1].point), tolerance * (1 + 1e-9))
            << what << " vertex " << i;
      }
    }
  }
  return dropped;
}

struct Loaded {
  std::unique_ptr<ChartEngine> engine;
  ChartView view;  // centred on the cell at its compilation scale
  S57Cell* cell = nullptr;
};

bool load(Loaded& l) {
  if (!std::filesystem::exists(kCell) || !std::filesystem::is_directory(kLibrary)) return false;
  l.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
  if (!l.engine->hasLibrary() || l.engine->loadCell(kCell, &l.view) != ReaderResult::Ok) return false;
  l.cell = l.engine->cells().snapshot()->front();
  return l.cell && l.cell->detail;
}
}  // namespace

// No danger, contour or depth area (nor anything else) drops out, or draws
// a piece less, as the view zooms out, against the same pass with every
// vertex; and the sweep does reach the simplified levels.
TEST(DetailLevels, RealCellDrawsTheSameAtEveryScaleOfTheSweep) {
  Loaded l;
  if (!load(l)) GTEST_SKIP() << "needs " << kCell << " and the library " << kLibrary << " (scripts/setup.sh)";
  DisplaySettings settings(l.engine->library());
  settings.setShowSoundings(1);
  if (!settings.showDepthContours) settings.toggleDepthContours();
  int deepest = 0;
  for (int times : {1, 2, 4, 8, 16}) {
    ChartView view = l.view;
    view.scale *= static_cast<float>(times);
    updateOrigin(view);
    deepest = std::max(deepest, detailLevelForView(l.cell->detail->tolerances(), view));
    const auto simplified = drawnKinds(*l.engine, view, settings, *l.cell);
    std::unique_ptr<CellDetailLevels> levels = std::move(l.cell->detail);
    const auto whole = drawnKinds(*l.engine, view, settings, *l.cell);
    l.cell->detail = std::move(levels);
    EXPECT_FALSE(whole.empty());
    EXPECT_EQ(simplified.size(), whole.size()) << times << " times the compilation scale";
    for (const auto& [feature, kinds] : whole) {
      const auto it = simplified.find(feature);
      ASSERT_NE(it, simplified.end()) << feature->objectClass << " drops out at " << times << " times";
      EXPECT_EQ(it->second, kinds) << "class " << feature->objectClass << " at " << times << " times";
    }
  }
  EXPECT_EQ(deepest, 4);
}

TEST(DetailLevels, EveryLevelKeepsTheNodesAndStaysWithinItsTolerance) {
  Loaded l;
  if (!load(l)) GTEST_SKIP() << "needs " << kCell << " and the library " << kLibrary << " (scripts/setup.sh)";
  const S57Cell& cell = *l.cell;
  std::size_t first = 0;
  for (int level = 1; level <= kDetailLevels; ++level) {
    const double tolerance = cell.detail->tolerances()[static_cast<std::size_t>(level - 1)];
    const DetailLevel* made = cell.detail->level(cell, level);
    ASSERT_NE(made, nullptr) << level;
    std::size_t dropped = 0;
    for (const auto& line : cell.lines)
      dropped += checkParts(line->vertices, line->parts, made->path(line->vertices, line->detailList), tolerance,
                            "line");
    for (const auto& area : cell.areas) {
      dropped += checkParts(area->exteriorVertices, area->exteriorParts,
                            made->path(area->exteriorVertices, area->exteriorDetailList), tolerance, "exterior");
      const VertexPath interior = made->path(area->interiorVertices, area->interiorDetailList);
      dropped += checkParts(area->interiorVertices, area->interiorParts, interior, tolerance, "interior");
      // A hole stays a ring with room inside.
      for (const VertexRun& hole : area->holes) EXPECT_GE(interior.run(hole.offset, hole.count).size(), 4u);
    }
    EXPECT_GT(dropped, 0u) << level;
    if (level == 1) first = dropped;
    // The coarsest level drops more than the finest.
    if (level == kDetailLevels) {
      EXPECT_GT(dropped, first);
    }
  }
}

TEST(DetailLevels, ViewsOnTwoThreadsGetTheOneLevel) {
  Loaded l;
  if (!load(l)) GTEST_SKIP() << "needs " << kCell << " and the library " << kLibrary << " (scripts/setup.sh)";
  const DetailLevel* got[2] = {};
  std::thread a([&] { got[0] = l.cell->detail->level(*l.cell, 3); });
  std::thread b([&] { got[1] = l.cell->detail->level(*l.cell, 3); });
  a.join();
  b.join();
  ASSERT_NE(got[0], nullptr);
  EXPECT_EQ(got[0], got[1]);
  EXPECT_FALSE(got[0]->kept.empty());
  EXPECT_EQ(l.cell->detail->level(*l.cell, 0), nullptr);
}

// Which loaded cells stay in memory: the least recently drawn are unloaded
// beyond the budget, never one the last pass drew nor one held elsewhere;
// an unloaded cell keeps its place, extents and what the cell list shows,
// and its memory goes once no snapshot holds it.
#include <gtest/gtest.h>
#include <malloc.h>

#include "CellFixtures.h"
#include "CellResidency.h"
#include "ChartEngine.h"

namespace {

// AddressSanitizer keeps freed memory aside and answers mallinfo2 with
// its own figures: the heap's size tells nothing under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapMeasured = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kHeapMeasured = false;
#else
constexpr bool kHeapMeasured = true;
#endif
#else
constexpr bool kHeapMeasured = true;
#endif

class CellResidencyTest : public ::testing::Test {
protected:
  void SetUp() override {
    PresentationLibrary library;
    library.attributeCatalogue = fixtures::attributeCatalogue();
    engine = std::make_unique<ChartEngine>(std::move(library));
    for (const char* name : {"A.000", "B.000", "C.000", "D.000", "E.000"}) {
      paths.push_back(fixtures::writeCell(fixtures::smallCell(name), dir.path, name));
      ASSERT_TRUE(engine->loadCell(paths.back()).ok());
    }
  }

  std::vector<S57Cell*> cellsNamed(std::initializer_list<const char*> names) {
    std::vector<S57Cell*> out;
    const CellSnapshot cells = engine->cells().snapshot();
    for (const char* name : names)
      for (S57Cell* cell : *cells)
        if (cell->name == name) out.push_back(cell);
    return out;
  }

  std::string loadedNames() const {
    std::string out;
    for (const S57Cell* cell : *engine->cells().snapshot())
      if (!cell->unloaded) out += cell->name.substr(0, 1);
    return out;
  }

  fixtures::TempDirectory dir;
  std::unique_ptr<ChartEngine> engine;
  std::vector<std::string> paths;
  static bool any(const S57Cell&) { return true; }
};

}  // namespace

TEST_F(CellResidencyTest, TheLeastRecentlyDrawnGoFirstAndTheLastPassStays) {
  CellResidency residency(2);
  residency.noteDrawn(cellsNamed({"C.000", "D.000"}));
  residency.noteDrawn(cellsNamed({"B.000"}));
  residency.noteDrawn(cellsNamed({"D.000"}));
  // Never drawn (A, E) first, then C, drawn longest ago; D and B stay.
  EXPECT_EQ(residency.trim(engine->cells(), any), 3u);
  EXPECT_EQ(loadedNames(), "BD");
  // The last pass's cells stay even beyond the budget.
  ASSERT_TRUE(engine->loadCell(paths[0]).ok());  // A read again
  ASSERT_TRUE(engine->loadCell(paths[2]).ok());  // C
  residency.noteDrawn(cellsNamed({"A.000", "B.000", "C.000"}));
  EXPECT_EQ(residency.trim(engine->cells(), any), 1u);
  EXPECT_EQ(loadedNames(), "ABC");
  // A cell that may not go (held by a panel, or not to be read again) stays.
  // A, now drawn longest ago, may not go: B goes in its place.
  residency.noteDrawn(cellsNamed({"B.000", "C.000"}));
  residency.noteDrawn({});
  EXPECT_EQ(residency.trim(engine->cells(), [](const S57Cell& c) { return c.name != "A.000"; }), 1u);
  EXPECT_EQ(loadedNames(), "AC");
  EXPECT_EQ(engine->cells().size(), 5u);  // every cell still listed
}

TEST_F(CellResidencyTest, AnUnloadedCellKeepsWhatTheListShowsAndIsAskedForOnce) {
  S57Cell& before = *cellsNamed({"B.000"}).front();
  const ChartBox box = before.boundingBox;
  const int edition = before.edition;
  CellResidency residency(0);
  residency.noteDrawn({});
  ASSERT_EQ(residency.trim(engine->cells(), any), 5u);
  const S57Cell& b = *cellsNamed({"B.000"}).front();
  EXPECT_TRUE(b.unloaded);
  EXPECT_TRUE(b.areas.empty() && b.lines.empty() && b.points.empty() && b.soundings.empty());
  EXPECT_EQ(b.extents.size(), 1u);
  EXPECT_EQ(b.boundingBox.minX, box.minX);
  EXPECT_EQ(b.boundingBox.maxY, box.maxY);
  EXPECT_EQ(b.edition, edition);
  EXPECT_EQ(b.compilationScale, 20000);
  EXPECT_EQ((*engine->cells().snapshot())[1], &b);  // in its place

  // Asked for once until its read ends; a failed read is not asked again.
  const std::vector<S57Cell*> wanted = cellsNamed({"B.000", "C.000"});
  EXPECT_EQ(residency.toRead(wanted), (std::vector<std::string>{"B.000", "C.000"}));
  EXPECT_TRUE(residency.toRead(wanted).empty());
  residency.readEnded({"B.000", "C.000"});
  residency.readFailed("C.000");
  EXPECT_EQ(residency.toRead(wanted), (std::vector<std::string>{"B.000"}));
  residency.readEnded({"B.000"});
  residency.forgetReads();
  EXPECT_EQ(residency.toRead(wanted).size(), 2u);
}

TEST_F(CellResidencyTest, AnUnloadedCellsMemoryGoesWithTheLastSnapshotHoldingIt) {
  // Heavier cells, so that their memory stands out of the heap's noise.
  for (int i = 0; i < 20; ++i) {
    const std::string name = "H" + std::to_string(10 + i) + ".000";
    fixtures::GridCell grid(name, 20);
    for (int k = 0; k < 400; ++k) grid.addArea(42, {});  // DEPARE
    ASSERT_TRUE(engine->loadCell(grid.write(dir.path)).ok());
  }
  CellResidency residency(0);
  residency.noteDrawn({});
  CellSnapshot held = engine->cells().snapshot();
  const size_t loaded = mallinfo2().uordblks;
  ASSERT_EQ(residency.trim(engine->cells(), any), 25u);
  // Still held by the snapshot taken before: whole, and its memory kept.
  for (const S57Cell* cell : *held) EXPECT_FALSE(cell->unloaded);
  EXPECT_GE((*held)[5]->areas.size(), 400u);
  if (kHeapMeasured) {
    EXPECT_GT(mallinfo2().uordblks + 100000, loaded);
  }
  held.reset();
  if (kHeapMeasured) {
    EXPECT_LT(mallinfo2().uordblks + 1000000, loaded) << "the unloaded cells' memory was not freed";
  }
}

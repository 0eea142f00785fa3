// Two loading threads append cells while a drawing thread walks the list:
// every snapshot shows whole, finished cells in load order, each name once.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "CellChoice.h"
#include "CellFixtures.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "TrueScale.h"

TEST(CellListConcurrency, DrawingSeesWholeCellsInLoadOrderWhileTwoThreadsLoad) {
  PresentationLibrary library;
  library.attributeCatalogue = fixtures::attributeCatalogue();
  ChartEngine engine(std::move(library));

  constexpr int kCells = 24;
  fixtures::TempDirectory dir;
  std::vector<std::string> paths;
  for (int i = 0; i < kCells; ++i) {
    const std::string name = "CELL" + std::to_string(100 + i) + ".000";
    paths.push_back(fixtures::writeCell(fixtures::smallCell(name, 0.01 * (i + 1)), dir.path, name));
  }

  CellList& list = engine.cells();
  ChartView view;  // centred by both loaders: their writes go through the list's lock
  std::atomic<int> loadersDone{0};
  std::atomic<int> added{0}, refused{0};
  auto loader = [&](bool backwards) {
    for (int i = 0; i < kCells; ++i) {
      const CellLoadResult code = engine.loadCell(paths[backwards ? kCells - 1 - i : i], &view);
      (code.ok() ? added : refused)++;
      EXPECT_TRUE(code.ok() || code == ReaderResult::DuplicateCell) << resultCode(code);
    }
    ++loadersDone;
  };

  std::atomic<int> walks{0};
  std::thread drawer([&] {
    std::vector<const S57Cell*> previous;
    do {
      const CellSnapshot snapshot = list.snapshot();
      // Load order: a later snapshot extends the earlier one.
      ASSERT_GE(snapshot->size(), previous.size());
      for (size_t i = 0; i < previous.size(); ++i) ASSERT_EQ((*snapshot)[i], previous[i]);
      std::set<std::string> names;
      for (const S57Cell* cell : *snapshot) {
        // A whole, finished cell: every feature built, extents and lights set.
        ASSERT_TRUE(names.insert(cell->name).second) << cell->name;
        ASSERT_EQ(cell->areas.size(), 3u);
        ASSERT_EQ(cell->lines.size(), 1u);
        ASSERT_EQ(cell->points.size(), 1u);
        ASSERT_EQ(cell->extents.size(), 1u);
        ASSERT_EQ(cell->lights.size(), 1u);
        ASSERT_EQ(cell->areas[1]->findAttribute("DRVAL1"), "10");  // draw order is set
      }
      // The index published with a list finds every cell of it.
      const IndexedSnapshot indexed = list.indexedSnapshot();
      ASSERT_GE(indexed->cells().size(), snapshot->size());
      ViewGeometry world;
      world.scale = 1e9f;
      world.viewportWidth = world.viewportHeight = 23000;
      updateOrigin(world);
      std::vector<std::uint32_t> positions;
      std::vector<S57Cell*> found;
      chooseCandidates(*indexed, world, positions, found);
      ASSERT_EQ(found.size(), indexed->cells().size());
      previous.assign(snapshot->begin(), snapshot->end());
      ++walks;
    } while (loadersDone.load() < 2);
  });
  std::thread forward(loader, false), backward(loader, true);
  forward.join();
  backward.join();
  drawer.join();

  EXPECT_EQ(added.load(), kCells);
  EXPECT_EQ(refused.load(), kCells);
  EXPECT_EQ(list.size(), static_cast<size_t>(kCells));
  EXPECT_GT(walks.load(), 0);
  // The view was centred on one of the cells, at their compilation scale.
  EXPECT_EQ(trueScale(view), 20000);
}

// Cells withdrawn (cancelled, or making way for a newer copy) while a
// drawing thread walks the list: every snapshot it took stays whole, and
// later ones shrink to nothing.
TEST(CellListConcurrency, ASnapshotStaysWholeWhileItsCellsAreWithdrawn) {
  PresentationLibrary library;
  library.attributeCatalogue = fixtures::attributeCatalogue();
  ChartEngine engine(std::move(library));
  constexpr int kCells = 16;
  fixtures::TempDirectory dir;
  for (int i = 0; i < kCells; ++i) {
    const std::string name = "CELL" + std::to_string(100 + i) + ".000";
    ASSERT_TRUE(engine.loadCell(fixtures::writeCell(fixtures::smallCell(name, 0.01 * (i + 1)), dir.path, name)).ok());
  }
  CellList& list = engine.cells();
  const CellSnapshot first = list.snapshot();
  std::atomic<bool> done{false};
  std::thread drawer([&] {
    do {
      const CellSnapshot snapshot = list.snapshot();
      for (const S57Cell* cell : *snapshot) ASSERT_EQ(cell->areas.size(), 3u);
      for (const S57Cell* cell : *first) ASSERT_EQ(cell->areas.size(), 3u);
    } while (!done.load());
  });
  for (int i = 0; i < kCells; ++i) EXPECT_TRUE(list.withdraw("CELL" + std::to_string(100 + i) + ".000"));
  done = true;
  drawer.join();
  EXPECT_EQ(list.size(), 0u);
  EXPECT_TRUE(list.snapshot()->empty());
  EXPECT_EQ(first->size(), static_cast<size_t>(kCells));
}

// Cells unloaded to free memory and read again while a drawing thread walks
// the list: each snapshot shows every cell, whole or unloaded (its extents
// kept, no features), in its place; a snapshot taken before the cells were
// unloaded still holds them whole.
TEST(CellListConcurrency, UnloadingAndReadingAgainNeverTakeACellFromASnapshot) {
  PresentationLibrary library;
  library.attributeCatalogue = fixtures::attributeCatalogue();
  ChartEngine engine(std::move(library));
  constexpr int kCells = 12;
  fixtures::TempDirectory dir;
  std::vector<std::string> paths, names;
  for (int i = 0; i < kCells; ++i) {
    names.push_back("CELL" + std::to_string(100 + i) + ".000");
    paths.push_back(fixtures::writeCell(fixtures::smallCell(names.back(), 0.01 * (i + 1)), dir.path, names.back()));
    ASSERT_TRUE(engine.loadCell(paths.back()).ok());
  }
  CellList& list = engine.cells();
  const CellSnapshot before = list.snapshot();
  std::atomic<bool> done{false};
  std::atomic<int> walks{0};
  std::thread drawer([&] {
    do {
      const CellSnapshot snapshot = list.snapshot();
      ASSERT_EQ(snapshot->size(), static_cast<size_t>(kCells));
      for (size_t i = 0; i < snapshot->size(); ++i) {
        const S57Cell& cell = *(*snapshot)[i];
        ASSERT_EQ(cell.name, names[i]);
        ASSERT_EQ(cell.extents.size(), 1u);
        ASSERT_EQ(cell.areas.size(), cell.unloaded ? 0u : 3u);
      }
      for (const S57Cell* cell : *before) ASSERT_EQ(cell->areas.size(), 3u);
      ++walks;
    } while (!done.load());
  });
  for (int round = 0; round < 3; ++round) {
    // One by one, or all at once (as the window trims).
    if (round == 1) {
      EXPECT_EQ(list.unload(names), names.size());
    } else {
      for (const std::string& name : names) EXPECT_TRUE(list.unload(name));
    }
    EXPECT_FALSE(list.unload(names.front()));  // unloaded already
    EXPECT_EQ(list.unload(std::vector<std::string>{names.back(), "NOCELL.000"}), 0u);
    std::thread reader([&] {
      for (const std::string& path : paths) EXPECT_TRUE(engine.loadCell(path).ok());
    });
    reader.join();
  }
  done = true;
  drawer.join();
  EXPECT_GT(walks.load(), 0);
  // Read again in their places, each once; a second read is a duplicate.
  const CellSnapshot after = list.snapshot();
  ASSERT_EQ(after->size(), static_cast<size_t>(kCells));
  for (size_t i = 0; i < after->size(); ++i) {
    EXPECT_EQ((*after)[i]->name, names[i]);
    EXPECT_FALSE((*after)[i]->unloaded);
  }
  EXPECT_EQ(engine.loadCell(paths.front()), ReaderResult::DuplicateCell);
}

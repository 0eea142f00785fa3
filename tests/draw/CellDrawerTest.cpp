// A cell's symbols are drawn in place from its compilation scale up, so the
// chart at its own scale is drawn exactly; they are stamped only in views
// at a smaller scale, where the cell shows many times as many.
#include <gtest/gtest.h>

#include "CellDrawer.h"

TEST(CellDrawerTest, SymbolsAreStampedOnlyBelowTheCompilationScale) {
  struct Case {
    int compilation;
    float view;
    bool stamped;
  } cases[] = {
      {80000, 20000.0f, false},  {80000, 80000.0f, false}, {80000, 80000.5f, false},  // a rounding step off
      {80000, 80900.0f, true},   {80000, 160000.0f, true}, {80000, 1280000.0f, true},
      {0, 160000.0f, false},  // an unknown compilation scale
  };
  for (const Case& c : cases) {
    S57Cell cell;
    cell.compilationScale = c.compilation;
    EXPECT_EQ(stampsSymbolsAt(cell, c.view), c.stamped) << c.compilation << " at " << c.view;
  }
}

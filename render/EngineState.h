#pragma once
// The facts start-up establishes: whether the presentation library loaded
// and the id of the registered chart font. Written once at start-up, before
// any cell loads or any view draws.
#include "LibraryResult.h"

struct EngineState {
  bool libraryLoaded = false;
  LibraryResult libraryResult = LibraryResult::Ok;  // the library loader's result at start-up
  int appFontId = -1;     // id of the registered application font, -1 when none
};

EngineState& engineState();

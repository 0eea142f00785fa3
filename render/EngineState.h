#pragma once
// The facts start-up establishes: whether the presentation library loaded
// and the id of the registered chart font. Written once at start-up, before
// any cell loads or any view draws.
struct EngineState {
  bool libraryLoaded = false;
  int libraryResult = 0;  // the library loader's code at start-up (LibraryResult.h)
  int appFontId = -1;     // id of the registered application font, -1 when none
};

EngineState& engineState();

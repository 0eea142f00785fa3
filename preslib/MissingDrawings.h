#pragma once
// The drawings a library's look-ups name but the library does not hold: a
// feature whose look-up names one of them gets a stand-in when it is drawn.
#include <set>
#include <string>

#include "PresentationLibrary.h"

// Drawing names by kind: symbols (SY), patterns (AP), line styles (LC).
struct DrawingNames {
  std::set<std::string> symbols, patterns, lineStyles;

  bool empty() const { return symbols.empty() && patterns.empty() && lineStyles.empty(); }
  std::size_t size() const { return symbols.size() + patterns.size() + lineStyles.size(); }
};

// The names the SY, AP and LC instructions of every look-up table use that
// have no drawing of their kind in the library.
DrawingNames missingDrawings(const PresentationLibrary& library);

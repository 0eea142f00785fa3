// The converted library has a symbol for every name soundingSymbols can ask
// for, and the project draws no sounding symbol it never asks for but the
// zero in row 3, the first digit of a five-digit figure, which keeps the
// rows whole.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "ConverterFixture.h"
#include "DisplaySettings.h"
#include "PresentationLibrary.h"
#include "SoundingFigureSymbols.h"
#include "SoundingSymbols.h"

TEST(SoundingFigureCoverage, EveryFigureSymbolAskedForIsDrawn) {
  TempDir dir;
  ConversionReport report;
  std::string error;
  ASSERT_TRUE(convertLibrary(writeFixtureSources(dir), dir.file("S57Lib"), report, error)) << error;
  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);

  // Depths in tenths to 31 metres (drying heights included), whole metres
  // to the five-digit figures, and no number at all; each feature carries the
  // technique and position quality that add the marks.
  std::vector<float> depths = {std::nanf("")};
  for (int tenths = -99; tenths <= 310; ++tenths) depths.push_back(static_cast<float>(tenths) / 10.0f);
  for (int metres = 0; metres <= 99999; ++metres) depths.push_back(static_cast<float>(metres));
  PointFeature plain, marked;
  marked.attributes = {{"TECSOU", "6"}, {"QUAPOS", "4"}};

  DisplaySettings settings(library);
  std::set<std::string> asked;
  std::vector<Instruction> out;
  for (float safetyContour : {-1000.0f, 1.0e6f}) {  // every depth deep, then every depth shallow
    settings.safetyContour = safetyContour;
    for (const PointFeature* feature : {&plain, &marked}) {
      for (float depth : depths) {
        out.clear();
        soundingSymbols(*feature, depth, settings, out);
        for (const Instruction& i : out) asked.insert(i.as<Symbol>().name);
      }
    }
  }

  std::set<std::string> neverAsked;
  for (const XmlDrawing& d : soundingFigureSymbols())
    if (!asked.count(d.name)) neverAsked.insert(d.name);
  EXPECT_EQ(neverAsked, (std::set<std::string>{"SOUNDG30", "SOUNDS30"}));
  for (const std::string& name : asked) EXPECT_EQ(library.symbols.count(name), 1u) << name;
}

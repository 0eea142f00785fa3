#pragma once
// The chart-model part of `enctool info --library DIR`: each cell loaded with
// loadCell as the chart display loads it, summed up on the cell's line, and
// with --features one line per built feature.
#include <string>

#include "CellLoadResult.h"
#include "Json.h"
#include "PortrayalCheck.h"

class ChartEngine;
struct CellLoadOptions;
struct ChartFeature;
struct Instruction;
struct PresentationLibrary;
struct S57Cell;

// Loads the cell (with `options`: its updates, its catalogue findings) into
// the engine's cell list and adds to `line`: "load" (loadCell's result
// code) and, when it is listed (whole, or one cellListedDespite tells: a
// cell that is not whole), the feature counts by kind, "lineVertices",
// "exteriorVertices", "soundings", "extent" (the extent boxes' union in
// degrees, null without areas), "classes" (class acronym to feature count)
// and "loadMs". Returns the loaded cell, or null.
const S57Cell* addModelInfo(ChartEngine& engine, JsonLine& line, const std::string& path,
                            const CellLoadOptions& options, CellLoadResult* result);

// One JSON line per feature of the cell, in draw order (areas, lines, points,
// soundings): kind, class, its object identifier "foid" (AGEN, FIDN and FIDS
// in hexadecimal, as LNAM is written), attributes, display priority,
// viewing group, radar flag and both look-up results (category and
// instruction text), class names from `library`; with `drawn`, also
// "drawn": the instructions the draw pass executed for the feature (""
// when it drew nothing).
void printFeatureLines(const PresentationLibrary& library, const S57Cell& cell,
                       const DrawnInstructions* drawn = nullptr);

// "0712000000910001": AGEN, FIDN and FIDS of a feature in hexadecimal.
std::string foidText(const ChartFeature& feature);

// "LS(DASH,2,CHMGF);SY(LIGHTS11)": instruction records written back in the
// look-up table's notation, as far as the records keep it.
std::string instructionText(const Instruction& instruction);

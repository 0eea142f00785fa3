#pragma once
// Look-up instructions whose drawing names are misspelt in the XML, mended
// as they are written: each SY, LC and AP command naming no drawing of its
// kind is repaired where mapping::repairedDrawingName finds what it meant.
#include <string>
#include <string_view>
#include <vector>

#include "MissingDrawings.h"

// One repair and how often it was made.
struct NameRepair {
  std::string command;                   // "SY", "LC" or "AP"
  std::string sourceName;                // as the XML has it: "rdocal02", "TOWERS74|"
  std::vector<std::string> repairedNames;  // one, or two for names run together
  int commands = 0;         // commands repaired this way
  long long firstLine = 0;  // XML line of the look-up of the first

  std::string text() const;  // "SY rdocal02 -> RDOCAL02"
};

// What the look-up writer learns about names while it repairs them.
struct NameRepairs {
  std::vector<NameRepair> repairs;  // in order of first appearance
  DrawingNames missing;             // names still without a drawing after repair
};

// The instruction text with its misspelt drawing names repaired against the
// drawings that are written (`drawings`). A repaired command keeps its other
// arguments and gets its closing parenthesis; a name run together from two
// becomes two commands. Every repair and every name left without a drawing
// is added to `found`; `sourceLine` is the look-up's line in the XML.
std::string repairDrawingNames(std::string_view instruction, const DrawingNames& drawings, long long sourceLine,
                               NameRepairs& found);

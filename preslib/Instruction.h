#pragma once
// One drawing instruction: parsed from a look-up record's instruction text,
// or built by a conditional symbology procedure.
#include <string>

enum InstructionKind : int {
  kNone = 0,
  kLS = 1,   // simple line style
  kLC = 2,   // complex line style
  kAC = 3,   // area colour fill
  kAP = 4,   // area pattern fill
  kSY = 5,   // symbol
  kTX = 6,   // text of an attribute
  kTE = 7,   // formatted text
  kCS = 8,   // conditional symbology procedure call
  kARC = 9,  // light sector arc (made only by the light procedure)
};

// The unit of a light's leg whose length is a distance on the ground: its
// nominal range in nautical miles, not units of the screen.
constexpr const char* kGroundLength = "NM";

struct Instruction {
  int kind = kNone;
  int colour = 0;         // LS, AC: colour index; TX, TE: horizontal justification
  int width = 0;          // LS: line width; TX, TE: vertical justification
  int style = 0;          // LS: 1 solid, 2 dashed, 3 dotted, 0 other; TX, TE: character spacing
  int transparency = -1;  // AC: transparency digit; TX, TE: x offset
  int yOffset = 0;        // TX, TE: y offset
  std::string name;       // LC line style, AP pattern, SY symbol, CS procedure, TE format
  std::string text2;      // SY rotation; TX, TE attribute acronym, later the prepared text
  std::string text3;      // TX national object name; LS leg at a point: kGroundLength when text2 is on the ground
  bool textPrepared = false;
  int textColour = -1;    // TX, TE: colour index of the text, -1 when none is given
  int textGroup = 0;      // TX, TE: text group (S-52 viewing group of texts), 0 when none
};

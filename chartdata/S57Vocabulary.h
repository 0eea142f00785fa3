#pragma once
// The S-57 object classes and attributes the program reads by meaning, named
// by their acronyms as in the S-57 object catalogue (code numbers of the
// catalogue's OBJL and ATTL), and the value that stands for a depth, distance
// or position not known yet.
namespace s57 {

// Object classes (OBJL).
constexpr int BOYCAR = 14;  // buoys: BOYCAR, BOYINB, BOYISD, BOYLAT, BOYSAW, BOYSPP
constexpr int BOYSPP = 19;
constexpr int COALNE = 30;
constexpr int DEPARE = 42;
constexpr int DEPCNT = 43;
constexpr int DRGARE = 46;
constexpr int FLODOC = 57;
constexpr int HULKES = 65;
constexpr int LNDARE = 71;
constexpr int LIGHTS = 75;
constexpr int LITFLT = 76;
constexpr int LITVES = 77;
constexpr int MORFAC = 84;
constexpr int OBSTRN = 86;
constexpr int PONTON = 95;
constexpr int RESARE = 112;
constexpr int SLCONS = 122;
constexpr int SOUNDG = 129;
constexpr int TOPMAR = 144;
constexpr int UWTROC = 153;
constexpr int UNSARE = 154;
constexpr int WRECKS = 159;
constexpr int M_CSCL = 301;
constexpr int M_COVR = 302;
constexpr int M_NSYS = 306;
constexpr int M_QUAL = 308;

// Attributes (ATTL) that feature scale limits are read from.
constexpr int SCAMAX = 132;
constexpr int SCAMIN = 133;
// The edge attribute of position quality, read from a vector's ATTV.
constexpr int QUAPOS = 402;

}  // namespace s57

// An unknown depth, distance or position throughout the portrayal (and the
// centre of an area without vertices).
constexpr float kUnknownDepth = -10000.0f;

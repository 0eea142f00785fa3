#pragma once
// A picked object told to a person: its class by name and acronym, its cell,
// where it lies, and its attributes by their long names with their values
// made readable: the codes of enumerated and list attributes by their
// meanings ("COLOUR" 3,1 is "red, white"), measures with the unit S-57
// gives them ("DRVAL1" 9.1 is "9.1 m"). Names and meanings come from the
// presentation library; what it does not know shows as it stands in the
// cell. In Chinese, names, meanings and units come from the library's
// Chinese names ("水深区 (DEPARE)", "最小水深", "5.0 米", an enumerated value
// with its code: "沙 (4)"); what they lack stays English.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MercatorProjection.h"
#include "ObjectPicking.h"
#include "PresentationLibrary.h"

// The language of the names of a description: the chart's 英文显示 or 中文显示.
enum class NameLanguage { English, Chinese };

struct AttributeText {
  std::string acronym;  // "COLOUR"
  std::string name;     // "Colour"; the acronym when the catalogue lacks it
  std::string value;    // "red, white"
  std::string raw;      // as in the cell: "3,1"
};

struct ObjectDescription {
  std::string className;  // "Depth area"; "unknown object" when the catalogue lacks the class (Chinese: "水深区")
  std::string acronym;    // "DEPARE"; empty when the catalogue lacks the class
  std::string title;      // "Depth area (DEPARE)"; "unknown object (OBJL 999)"
  std::string kind;       // "point", "sounding", "line" or "area"
  std::string cell;       // the cell's name (DSNM)
  // The cell's data is not an ENC of an official hydrographic office
  // (OfficialData.h): why, in English; empty for official data.
  std::string nonOfficialReason;
  // Points and soundings: where they stand. Lines and areas: the extent of
  // their vertices (an area's exterior), south-west and north-east corners.
  std::optional<GeoPoint> position;
  std::optional<GeoPoint> southWest, northEast;
  std::optional<float> depth;  // soundings, metres
  std::vector<AttributeText> attributes;  // in the feature's order
};

ObjectDescription describeObject(const PickedObject& object, const PresentationLibrary& library,
                                 NameLanguage language = NameLanguage::English);

// One attribute value made readable (see above). Enumerated and list values
// are decoded when the library has the attribute's value meanings: each
// comma-separated code by its meaning, a code without one as it stands. An
// empty value (S-57's "unknown") reads "unknown". In Chinese each code by
// its Chinese meaning (the English one where it has none), the codes as
// they stand after them ("白、红 (1,3)"), and units and "unknown" in
// Chinese where the table words them.
std::string attributeValueText(const PresentationLibrary& library, std::string_view acronym, std::string_view value,
                               NameLanguage language = NameLanguage::English);

// The unit S-57 gives an attribute's values ("m", "nmi", "°", "s", "kn"),
// empty for attributes without one.
std::string_view attributeUnit(std::string_view acronym);

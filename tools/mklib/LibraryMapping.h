#pragma once
// How the XML library's names and values become the texts of the library
// files. Every mapping decision of the converter lives in LibraryMapping.cpp.
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace mapping {

// Look-up records. Each gives nothing for a name it does not know.
std::optional<char> displayPriorityDigit(std::string_view xmlName);
std::optional<char> radarFlag(std::string_view xmlName);
std::optional<std::string_view> lookupTableName(std::string_view xmlName);
std::optional<std::string_view> displayCategory(std::string_view xmlName);
std::optional<char> geometryLetter(std::string_view xmlName);

// Whether a look-up record's class can be written in the six class columns.
bool lookupClassFits(std::string_view className);

// The display category (as the XML names it) that a look-up's viewing group
// calls for where the XML's category contradicts it, or nothing where it
// stands. Viewing groups of five digits give the category by their first:
// 1 Display Base, 2 Standard, 3 Other. Only a category that would keep the
// look-up out of a display its group belongs to is mended, so a mended
// look-up is shown in more displays, never in fewer. The XML numbers the
// aids to navigation (buoys, beacons, light floats, notice marks) 17xxx;
// they belong to the Standard display, and their categories stand.
std::optional<std::string_view> mendedDisplayCategory(std::string_view xmlCategory, std::string_view viewingGroup);

// The instruction text with every procedure call renamed to the revision
// this program implements.
std::string instructionText(std::string_view xmlInstruction);
// One procedure name, renamed when it is one of the older revisions.
std::string_view procedureName(std::string_view xmlName);

// A drawing name of an instruction that names no drawing in `known` (the
// names of its kind), read as the name or names it was meant to be: compared
// without regard to case and with every character that is no ASCII letter
// or digit left out ("rdocal02" and "TOWERS74|" name RDOCAL02 and
// TOWERS74), or else split into two names run together when exactly one
// split names two drawings. Empty when no repair names existing drawings.
std::vector<std::string> repairedDrawingName(std::string_view name, const std::set<std::string>& known);

// Patterns.
std::optional<std::string_view> patternFillKind(std::string_view xmlFillType);
std::optional<std::string_view> patternSpacingKind(std::string_view xmlSpacing);

// Catalogue tables: a row whose name starts with "###" is a comment between
// code ranges, not a class or attribute.
bool catalogueCommentRow(std::string_view name);

// The names of the five colour schemes the colour reader knows.
bool knownColourScheme(std::string_view xmlTableName);

}  // namespace mapping

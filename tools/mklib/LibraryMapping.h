#pragma once
// How the XML library's names and values become the texts of the library
// files. Every mapping decision of the converter lives in LibraryMapping.cpp.
#include <optional>
#include <string>
#include <string_view>

namespace mapping {

// Look-up records. Each gives nothing for a name it does not know.
std::optional<char> displayPriorityDigit(std::string_view xmlName);
std::optional<char> radarFlag(std::string_view xmlName);
std::optional<std::string_view> lookupTableName(std::string_view xmlName);
std::optional<std::string_view> displayCategory(std::string_view xmlName);
std::optional<char> geometryLetter(std::string_view xmlName);

// Whether a look-up record's class can be written in the six class columns.
bool lookupClassFits(std::string_view className);

// The instruction text with every procedure call renamed to the revision
// this program implements.
std::string instructionText(std::string_view xmlInstruction);
// One procedure name, renamed when it is one of the older revisions.
std::string_view procedureName(std::string_view xmlName);

// Patterns.
std::optional<std::string_view> patternFillKind(std::string_view xmlFillType);
std::optional<std::string_view> patternSpacingKind(std::string_view xmlSpacing);

// Catalogue tables: a row whose name starts with "###" is a comment between
// code ranges, not a class or attribute.
bool catalogueCommentRow(std::string_view name);

// The names of the five colour schemes the colour reader knows.
bool knownColourScheme(std::string_view xmlTableName);

}  // namespace mapping

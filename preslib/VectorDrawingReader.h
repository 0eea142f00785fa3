#pragma once
#include <map>
#include <string>

#include "LibraryResult.h"
#include "VectorDrawing.h"

// Read the pattern, symbol and complex line style files. Each returns CannotOpen
// when its file cannot be opened, else Ok. A record whose definition line is too
// short is skipped; a colour reference line shorter than 10 characters gives
// no colour references; commands too short for their arguments are skipped.
LibraryResult readPatternFile(const std::string& path, std::map<std::string, PatternDefinition>& patterns);
LibraryResult readSymbolFile(const std::string& path, std::map<std::string, SymbolDefinition>& symbols);
LibraryResult readLineStyleFile(const std::string& path, std::map<std::string, LineStyleDefinition>& lineStyles);

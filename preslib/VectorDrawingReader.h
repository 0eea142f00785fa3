#pragma once
#include <map>
#include <string>

#include "VectorDrawing.h"

// Read the pattern, symbol and complex line style files. Each returns 1 when
// its file cannot be opened, else 0. A record whose definition line is too
// short is skipped; a colour reference line shorter than 10 characters gives
// no colour references; commands too short for their arguments are skipped.
int readPatternFile(const std::string& path, std::map<std::string, PatternDefinition>& patterns);
int readSymbolFile(const std::string& path, std::map<std::string, SymbolDefinition>& symbols);
int readLineStyleFile(const std::string& path, std::map<std::string, LineStyleDefinition>& lineStyles);

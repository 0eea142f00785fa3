#pragma once
#include <string>

#include "Catalogue.h"
#include "LibraryResult.h"

// Read the object class and attribute catalogue files. Both return CannotOpen when
// the file cannot be opened, else Ok. A record whose value line is shorter than
// its label column is skipped.
LibraryResult readObjectClassFile(const std::string& path, ObjectClassCatalogue& catalogue);
LibraryResult readAttributeFile(const std::string& path, AttributeCatalogue& catalogue);

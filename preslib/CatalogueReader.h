#pragma once
#include <string>

#include "Catalogue.h"

// Read the object class and attribute catalogue files. Both return 1 when the
// file cannot be opened, else 0. A record whose value line is shorter than
// its label column is skipped.
int readObjectClassFile(const std::string& path, ObjectClassCatalogue& catalogue);
int readAttributeFile(const std::string& path, AttributeCatalogue& catalogue);

#pragma once
// The object class and attribute catalogues: numeric S-57 codes to acronyms,
// and the meanings of attribute values.
#include <map>
#include <string>

struct ObjectClassRecord {
  std::string name;     // long class name
  std::string acronym;  // at most 6 characters
  int code = 0;
};

struct AttributeRecord {
  std::string name;
  std::string acronym;
  std::string codeText;  // the code as written in the file
};

using ObjectClassCatalogue = std::map<int, ObjectClassRecord>;
// Keyed by the code's decimal text, compared as text ("0133" is not "133").
using AttributeCatalogue = std::map<std::string, AttributeRecord>;

// What the codes of enumerated and list attributes mean: by attribute code,
// the meaning of each value ("COLOUR" 3 is "red").
using AttributeValueCatalogue = std::map<int, std::map<int, std::string>>;

#pragma once
// The fixed list of the 67 S-52 colour tokens. Everything drawn refers to a
// colour by its index in this list; the current colour table maps the index
// to an RGB value.
#include <string_view>

constexpr int kColourCount = 67;

// Index of a token (NODTA = 0 ... DEP04 = 66); any other text gives 0 (NODTA).
// Used by the library readers.
int colourIndex(std::string_view token);

// The same list for the conditional procedures, which name colours by token:
// any text that is not one of the tokens 0 to 65 gives 66 (DEP04).
int procedureColourIndex(std::string_view token);

// The token of an index, or "" when the index is outside 0..66.
std::string_view colourToken(int index);

#pragma once
// The scheme's printable key and signature files: elements, each a header
// line ("// BIG p", "// Signature part R:") and a data string of
// hexadecimal digits in groups of four, ended by a full stop:
//   // Signature part R:
//   3F14 52CD AEC5 05B6 241A 02C7 614A D149 E7D6 C408.
// Data strings may run over several lines. Headers are compared without
// regard to case (some data servers write "// Big p").
#include <string>
#include <string_view>
#include <vector>

#include "DsaSignature.h"

struct KeyTextElement {
  std::string header;  // after "//", trimmed: "BIG p"
  std::string digits;  // the hexadecimal digits alone, upper case
  size_t start = 0;    // offset of the header's "//" in the text
};

struct KeyText {
  std::vector<KeyTextElement> elements;  // in file order, those read whole
  bool complete = false;                 // the text ended after a whole element
  std::string fault;                     // otherwise, what is wrong with element elements.size()
};

// At most `maxElements` elements are read; more is a fault.
KeyText readKeyText(std::string_view text, size_t maxElements = 8);

bool headerIs(const KeyTextElement& element, std::string_view header);

// The digits the scheme gives each element: R and S 40, p, g and y 128, q 40.
inline constexpr size_t kSignatureDigits = 40;
inline constexpr size_t kKeyDigits = 128;
inline constexpr size_t kSubgroupDigits = 40;

// Four elements BIG p, q, g, y from `first`, each of its length; "" when
// they are, else the fault.
std::string readPublicKey(const KeyText& text, size_t first, DsaPublicKey& key);

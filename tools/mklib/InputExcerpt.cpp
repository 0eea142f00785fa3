#include "InputExcerpt.h"

std::string inputExcerpt(std::string_view text, std::size_t limit) {
  std::size_t shown = text.size();
  if (shown > limit) {
    shown = limit;
    // Never split a multi-byte character: back off over continuation bytes.
    while (shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80) --shown;
  }
  std::string out;
  out.reserve(shown + 32);
  for (std::size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    out += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
  }
  if (shown < text.size()) out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

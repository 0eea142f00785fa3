#pragma once
// Source text quoted in a converter message. A message is one line of
// reasonable length whatever the source holds: a five-million-digit
// attribute is shown by its first characters and its length.
#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kExcerptLimit = 60;

// The text with line breaks, tabs and other control characters shown as
// '?'; when it is longer than `limit` bytes, its first bytes up to a UTF-8
// character boundary followed by "... (N bytes)".
std::string inputExcerpt(std::string_view text, std::size_t limit = kExcerptLimit);

#pragma once
// Text conventions shared by the seven library files: markers, the layout of
// field lines, and number reading with C atoi rules. A "line" is one piece as
// the line reader hands it out, line feed included when it has one.
#include <cstddef>
#include <string_view>

// Closes every record of the look-up, symbol, pattern and line style files.
inline constexpr std::string_view recordTerminator = "****    0\n";
inline constexpr std::string_view kBeginLine = "BEGIN\n";

// Field lines: a four-letter tag in columns 0-3, a five-character length in
// columns 4-8, the content from column 9, and the unit separator plus line
// feed as the last two characters.
inline constexpr std::size_t kFieldContentColumn = 9;
inline constexpr char kUnitSeparator = '\x1f';

// Characters [from, from + count) of text, fewer when the text ends earlier,
// empty when it ends before `from`.
std::string_view columns(std::string_view text, std::size_t from, std::size_t count = std::string_view::npos);

// The characters from column 9 up to, not including, the last two characters
// of a field line; empty when the line is too short to hold any.
std::string_view fieldContent(std::string_view line);

// The line without a final line feed.
std::string_view withoutLineFeed(std::string_view line);

// C atoi: leading white space, an optional sign, digits up to the first other
// character; 0 when there are none. Saturates at the int range instead of
// overflowing.
int readDecimal(std::string_view text);

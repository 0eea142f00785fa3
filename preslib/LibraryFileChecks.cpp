#include "LibraryFileChecks.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "LibraryLine.h"
#include "PresentationLibrary.h"

namespace {
// The last bytes of a file: enough for the closing marker of any file, and
// for the seven lines of an object class record many times over.
constexpr long kTailBytes = 65536;

bool readTail(const std::string& path, std::string& tail) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size < 0) return false;
  const long start = std::max(0L, size - kTailBytes);
  if (std::fseek(file.get(), start, SEEK_SET) != 0) return false;
  tail.resize(static_cast<std::size_t>(size - start));
  tail.resize(std::fread(tail.data(), 1, tail.size(), file.get()));
  if (std::ferror(file.get())) return false;
  // As the line reader: a carriage return before a line feed is not there.
  std::size_t out = 0;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (tail[i] == '\r' && i + 1 < tail.size() && tail[i + 1] == '\n') continue;
    tail[out++] = tail[i];
  }
  tail.resize(out);
  return true;
}

// Whether `text` ends with `line` as a whole line (at the start of the text
// or after a line feed).
bool endsWithLine(std::string_view text, std::string_view line) {
  if (text.size() < line.size() || text.substr(text.size() - line.size()) != line) return false;
  return text.size() == line.size() || text[text.size() - line.size() - 1] == '\n';
}

// The lines after the last "<" line, a last line without line feed
// included; -1 when the text holds no "<" line.
long linesAfterLastRecordStart(std::string_view text) {
  std::size_t at = std::string_view::npos;
  for (std::size_t from = text.size(); from > 0;) {
    const std::size_t found = text.rfind("<\n", from - 1);
    if (found == std::string_view::npos) break;
    if (found == 0 || text[found - 1] == '\n') {
      at = found;
      break;
    }
    from = found;
  }
  if (at == std::string_view::npos) return -1;
  const std::string_view rest = text.substr(at + 2);
  long lines = static_cast<long>(std::count(rest.begin(), rest.end(), '\n'));
  if (!rest.empty() && rest.back() != '\n') ++lines;
  return lines;
}
}  // namespace

bool libraryFileClosed(const std::string& path, int file) {
  std::string tail;
  if (!readTail(path, tail)) return false;
  switch (file) {
    case 1:  // look-up table
    case 2:  // patterns
    case 3:  // symbols
    case 4:  // complex line styles
      return endsWithLine(tail, recordTerminator);
    case 5:  // object classes: "<", three value lines, four more
      return linesAfterLastRecordStart(tail) >= 7;
    case 6:  // attributes
    case 7:  // attribute values
      return endsWithLine(tail, ">\n");
    case 8:  // Chinese names
      return endsWithLine(tail, "END\n");
    default:  // the colour file has no closing marker
      return true;
  }
}

bool libraryFileFilledSomething(const PresentationLibrary& library, int file) {
  switch (file) {
    case 0:
      return std::any_of(library.colourTables.begin(), library.colourTables.end(), [](const ColourTable& table) {
        return std::any_of(table.entries.begin(), table.entries.end(), [](const QColor& c) { return c.isValid(); });
      });
    case 1:
      return std::any_of(library.lookupTables.begin(), library.lookupTables.end(),
                         [](const LookupTable& table) { return !table.empty(); });
    case 2: return !library.patterns.empty();
    case 3: return !library.symbols.empty();
    case 4: return !library.lineStyles.empty();
    case 5: return !library.objectClassCatalogue.empty();
    case 6: return !library.attributeCatalogue.empty();
    case 7: return !library.attributeValues.empty();
    case 8: return !library.chineseNames.empty();
    default: return true;
  }
}

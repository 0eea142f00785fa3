#include "LibraryFileChecks.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "LibraryLine.h"

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

bool libraryFileClosed(const std::string& path, FileEnding ending) {
  std::string tail;
  if (!readTail(path, tail)) return false;
  switch (ending) {
    case FileEnding::RecordTerminator: return endsWithLine(tail, recordTerminator);
    case FileEnding::ObjectClassRecord: return linesAfterLastRecordStart(tail) >= 7;  // "<", three value lines, four more
    case FileEnding::RecordCloseLine: return endsWithLine(tail, ">\n");
    case FileEnding::EndLine: return endsWithLine(tail, "END\n");
    case FileEnding::Unmarked: break;
  }
  return true;
}

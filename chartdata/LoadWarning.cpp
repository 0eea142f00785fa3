#include "LoadWarning.h"

#include "ReaderResult.h"
#include "UpdateResult.h"

namespace {
LoadWarning make(LoadWarningKind kind, const std::string& file, const std::string& related, std::string text) {
  LoadWarning w;
  w.kind = kind;
  w.file = file;
  w.related = related;
  w.text = std::move(text);
  return w;
}
}  // namespace

LoadWarning updateStoppedWarning(const std::string& file, int code, const std::string& detail) {
  LoadWarning w = make(LoadWarningKind::UpdateStopped, file, {},
                       file + ": not applied: " + updateResultText(code) + " (" + detail + ")");
  w.code = code;
  w.detail = detail;
  return w;
}

LoadWarning crcMismatchWarning(const std::string& file, const std::string& catalogue, const std::string& found,
                               const std::string& listed) {
  LoadWarning w = make(LoadWarningKind::CrcMismatch, file, catalogue,
                       file + ": CRC-32 is " + found + ", the catalogue " + catalogue + " gives " + listed);
  w.detail = found;
  w.listed = listed;
  return w;
}

LoadWarning crcUnreadableWarning(const std::string& file, const std::string& catalogue) {
  return make(LoadWarningKind::CrcUnreadable, file, catalogue,
              file + ": cannot be read to check its CRC-32 against " + catalogue);
}

LoadWarning notInCatalogueWarning(const std::string& file, const std::string& catalogue) {
  return make(LoadWarningKind::NotInCatalogue, file, catalogue, file + ": not listed in the catalogue " + catalogue);
}

LoadWarning listedButAbsentWarning(const std::string& catalogue, const std::string& listedFile) {
  return make(LoadWarningKind::ListedButAbsent, listedFile, catalogue,
              catalogue + ": lists " + listedFile + ", which is absent");
}

LoadWarning catalogueUnreadableWarning(const std::string& catalogue, int readerCode) {
  LoadWarning w = make(LoadWarningKind::CatalogueUnreadable, catalogue, {},
                       catalogue + ": catalogue cannot be read (reader code " + std::to_string(readerCode) + ": " +
                           readerResultText(readerCode) + ")");
  w.code = readerCode;
  return w;
}

LoadWarning sameCellTwiceWarning(const std::string& file, const std::string& firstCopy) {
  return make(LoadWarningKind::SameCellTwice, file, firstCopy, file + ": the same cell as " + firstCopy + ", read once");
}

std::vector<std::string> warningTexts(const std::vector<LoadWarning>& warnings) {
  std::vector<std::string> texts;
  texts.reserve(warnings.size());
  for (const LoadWarning& w : warnings) texts.push_back(w.text);
  return texts;
}

#include "LoadWarning.h"

#include "ReaderResult.h"
#include "RecordKinds.h"
#include "UpdateResult.h"

namespace {
// A name or line with its control bytes shown as \xNN, so that no line it
// goes into can be broken or coloured by it.
std::string printableName(const std::string& name) {
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out += c;
      continue;
    }
    static const char digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
  }
  return out;
}

LoadWarning make(LoadWarningKind kind, const std::string& file, const std::string& related, std::string text) {
  LoadWarning w;
  w.kind = kind;
  w.file = file;
  w.related = related;
  // One line whatever the names in it hold (a file may be named with a
  // line break or a terminal's escape).
  w.text = printableName(text);
  return w;
}
}  // namespace

LoadWarning updateStoppedWarning(const std::string& file, UpdateResult result, const std::string& detail) {
  LoadWarning w = make(LoadWarningKind::UpdateStopped, file, {},
                       file + ": not applied: " + updateResultText(result) + " (" + detail + ")");
  w.update = result;
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

LoadWarning catalogueUnreadableWarning(const std::string& catalogue, ReaderResult result) {
  LoadWarning w = make(LoadWarningKind::CatalogueUnreadable, catalogue, {},
                       catalogue + ": catalogue cannot be read (reader code " +
                           std::to_string(resultCode(result)) + ": " + readerResultText(result) + ")");
  w.reader = result;
  return w;
}

LoadWarning sameCellTwiceWarning(const std::string& file, const std::string& firstCopy) {
  return make(LoadWarningKind::SameCellTwice, file, firstCopy, file + ": the same cell as " + firstCopy + ", read once");
}

LoadWarning noFeaturesWarning(const std::string& file) {
  LoadWarning w =
      make(LoadWarningKind::RecordsDisagree, file, {}, file + ": " + readerResultText(ReaderResult::NoFeatures));
  w.reader = ReaderResult::NoFeatures;
  return w;
}

LoadWarning recordCountWarning(const std::string& file, std::vector<RecordTally> tallies) {
  std::string counts;
  for (const RecordTally& t : tallies) {
    if (!counts.empty()) counts += "; ";
    if (t.kind >= kRecordKindCount)
      counts += std::to_string(t.read) + " vector records of no known RCNM read";
    else
      counts += std::string(recordKindField(t.kind)) + " declares " + std::to_string(t.declared) + " " +
                recordKindName(t.kind) + ", " + std::to_string(t.read) + " read";
  }
  LoadWarning w = make(LoadWarningKind::RecordsDisagree, file, {},
                       file + ": records lost or added, the cell is not whole: " + counts);
  w.reader = ReaderResult::RecordCountMismatch;
  w.detail = counts;
  w.tallies = std::move(tallies);
  return w;
}

LoadWarning duplicateRecordWarning(const std::string& file, long long repeats, const std::string& firstName) {
  LoadWarning w = make(LoadWarningKind::RecordsDisagree, file, {},
                       file + ": " + std::to_string(repeats) + (repeats == 1 ? " record repeats" : " records repeat") +
                           " the record name (RCNM and RCID) of an earlier one, the first " + firstName);
  w.reader = ReaderResult::DuplicateRecord;
  w.count = repeats;
  w.detail = firstName;
  return w;
}

LoadWarning entryRefusedWarning(const std::string& catalogue, const std::string& written, EntryRefusal refusal) {
  const std::string name = printableName(written);
  const std::string reason = entryRefusalText(refusal);
  LoadWarning w = make(LoadWarningKind::EntryRefused, name, catalogue,
                       catalogue + ": the entry " + name + " is refused: " + reason + "; it is not opened");
  w.refusal = refusal;
  w.detail = reason;
  return w;
}

LoadWarning catalogueOutsideWarning(const std::string& catalogue, const std::string& folder) {
  return make(LoadWarningKind::CatalogueOutside, catalogue, folder,
              catalogue + ": a symbolic link leading out of " + folder + "; the catalogue is not read");
}

LoadWarning listedRepeatedlyWarning(const std::string& catalogue, const std::string& file, long long times) {
  LoadWarning w = make(LoadWarningKind::ListedRepeatedly, file, catalogue,
                       catalogue + ": lists " + file + " " + std::to_string(times) + " times; checked once");
  w.count = times;
  return w;
}

LoadWarning notRegularFileWarning(const std::string& file) {
  return make(LoadWarningKind::NotRegularFile, file, {},
              file + ": not a regular file (a folder, pipe, device or broken link); not read");
}

std::vector<std::string> warningTexts(const std::vector<LoadWarning>& warnings) {
  std::vector<std::string> texts;
  texts.reserve(warnings.size());
  for (const LoadWarning& w : warnings) texts.push_back(w.text);
  return texts;
}

LoadWarning folderUnreadableWarning(const std::string& folder, int error, const std::string& reason) {
  LoadWarning w = make(LoadWarningKind::FolderUnreadable, folder, {},
                       folder + ": folder cannot be read (" + reason + "), nothing in it is loaded");
  w.systemError = error;
  w.detail = reason;
  return w;
}

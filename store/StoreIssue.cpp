#include "StoreIssue.h"

#include "ReaderResult.h"
#include "SseCode.h"
#include "UpdateResult.h"

namespace {

constexpr struct {
  IssueKind kind;
  const char* name;
} kKindNames[] = {
    {IssueKind::None, "none"},
    {IssueKind::CrcMismatch, "crcMismatch"},
    {IssueKind::Unreadable, "unreadable"},
    {IssueKind::NotACell, "notACell"},
    {IssueKind::OlderEdition, "olderEdition"},
    {IssueKind::OlderBase, "olderBase"},
    {IssueKind::CellCancelled, "cellCancelled"},
    {IssueKind::UpdateStopped, "updateStopped"},
    {IssueKind::WrongEdition, "wrongEdition"},
    {IssueKind::NotInstalled, "notInstalled"},
    {IssueKind::StoredFileDamaged, "storedFileDamaged"},
    {IssueKind::Protection, "protection"},
    {IssueKind::KeptUnread, "keptUnread"},
};

// "3", "3 and 4", "3 to 5".
std::string numberList(const std::vector<int>& numbers) {
  if (numbers.empty()) return {};
  if (numbers.size() == 1) return std::to_string(numbers.front());
  bool run = true;
  for (size_t i = 1; i < numbers.size(); ++i) run = run && numbers[i] == numbers[i - 1] + 1;
  if (run && numbers.size() > 2) return std::to_string(numbers.front()) + " to " + std::to_string(numbers.back());
  std::string text;
  for (size_t i = 0; i < numbers.size(); ++i)
    text += (i == 0 ? "" : i + 1 == numbers.size() ? " and " : ", ") + std::to_string(numbers[i]);
  return text;
}

// Control bytes of names from elsewhere are shown as \xNN.
std::string printable(const std::string& text) {
  std::string out;
  for (const char c : text) {
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

StoreIssue make(IssueKind kind, const std::string& file) {
  StoreIssue issue;
  issue.kind = kind;
  issue.file = file;
  return issue;
}

StoreIssue worded(StoreIssue issue) {
  wordIssue(issue);
  return issue;
}

}  // namespace

void wordIssue(StoreIssue& i) {
  std::string text;
  switch (i.kind) {
    case IssueKind::None: break;
    case IssueKind::CrcMismatch:
      text = i.file + ": CRC-32 is " + i.found + ", its catalogue lists " + i.listed + ": not used";
      break;
    case IssueKind::Unreadable:
      text = i.file + ": cannot be read as a cell: " + readerResultText(i.reader) +
             (i.detail.empty() ? std::string() : " (" + i.detail + ")");
      break;
    case IssueKind::NotACell: text = i.file + ": " + i.detail; break;
    case IssueKind::OlderEdition:
      text = i.file + ": edition " + std::to_string(i.edition) + " is older than the installed edition " +
             std::to_string(i.installedEdition) + ": not installed";
      break;
    case IssueKind::OlderBase:
      text = i.file + ": edition " + std::to_string(i.edition) + " holding updates to " + std::to_string(i.number) +
             " is older than the installed base file, which holds updates to " +
             std::to_string(i.numbers.empty() ? 0 : i.numbers.front()) + ": not installed";
      break;
    case IssueKind::CellCancelled:
      text = i.number > 0 ? i.file + ": update " + std::to_string(i.number) +
                                " is for a cell that was cancelled: not applied"
                          : i.file + ": the cell was cancelled; edition " + std::to_string(i.edition) +
                                " does not bring it back: not installed";
      break;
    case IssueKind::UpdateStopped:
      text = i.file + ": update " + std::to_string(i.number) + " not applied: " + updateResultText(i.update) +
             " (" + i.detail + ")";
      if (!i.numbers.empty()) text += "; so neither " + numberList(i.numbers);
      break;
    case IssueKind::WrongEdition:
      text = i.file + ": update " + std::to_string(i.number) + " is for edition " + std::to_string(i.edition) +
             ", the installed edition is " + std::to_string(i.installedEdition) + ": not applied";
      break;
    case IssueKind::NotInstalled:
      text = i.file + ": update" + (i.numbers.size() > 1 ? "s " : " ") + numberList(i.numbers) +
             " for a cell that is not installed: not applied";
      break;
    case IssueKind::StoredFileDamaged:
      text = i.file + ": the store's copy no longer has the CRC-32 it was stored with: not used";
      break;
    case IssueKind::Protection: {
      std::vector<SseCode> codes;
      for (const int code : i.sse) codes.push_back(static_cast<SseCode>(code));
      text = i.file + (i.number > 0 ? ": update " + std::to_string(i.number) + " not applied: " : ": not installed: ") +
             sseEnglishList(codes) + (i.detail.empty() ? std::string() : " (" + i.detail + ")");
      if (!i.numbers.empty()) text += "; so neither " + numberList(i.numbers);
      break;
    }
    case IssueKind::KeptUnread: {
      std::vector<SseCode> codes;
      for (const int code : i.sse) codes.push_back(static_cast<SseCode>(code));
      text = i.file + ": not decrypted when the store's index was rebuilt: " + sseEnglishList(codes) +
             (i.detail.empty() ? std::string() : " (" + i.detail + ")") + "; kept with its files" +
             (i.installedEdition > 0 ? " as edition " + std::to_string(i.installedEdition)
                                     : std::string(", its edition not known until it is read")) +
             ", and shown again once a permit for it is installed";
      break;
    }
  }
  i.text = printable(text);
}

StoreIssue crcMismatchIssue(const std::string& file, const std::string& found, const std::string& listed) {
  StoreIssue i = make(IssueKind::CrcMismatch, file);
  i.found = found;
  i.listed = listed;
  return worded(i);
}

StoreIssue unreadableIssue(const std::string& file, ReaderResult result, const std::string& detail) {
  StoreIssue i = make(IssueKind::Unreadable, file);
  i.reader = result;
  i.detail = detail;
  return worded(i);
}

StoreIssue notACellIssue(const std::string& file, const std::string& why) {
  StoreIssue i = make(IssueKind::NotACell, file);
  i.detail = why;
  return worded(i);
}

StoreIssue olderEditionIssue(const std::string& file, int edition, int installedEdition) {
  StoreIssue i = make(IssueKind::OlderEdition, file);
  i.edition = edition;
  i.installedEdition = installedEdition;
  return worded(i);
}

StoreIssue olderBaseIssue(const std::string& file, int edition, int holds, int installedHolds) {
  StoreIssue i = make(IssueKind::OlderBase, file);
  i.edition = edition;
  i.number = holds;
  i.numbers = {installedHolds};
  return worded(i);
}

StoreIssue cellCancelledIssue(const std::string& file, int edition, int updateNumber) {
  StoreIssue i = make(IssueKind::CellCancelled, file);
  i.edition = edition;
  i.number = updateNumber;
  return worded(i);
}

StoreIssue updateStoppedIssue(const std::string& file, int number, UpdateResult result, const std::string& detail,
                              std::vector<int> laterNotApplied) {
  StoreIssue i = make(IssueKind::UpdateStopped, file);
  i.number = number;
  i.update = result;
  i.detail = detail;
  i.numbers = std::move(laterNotApplied);
  return worded(i);
}

StoreIssue wrongEditionIssue(const std::string& file, int number, int edition, int installedEdition) {
  StoreIssue i = make(IssueKind::WrongEdition, file);
  i.number = number;
  i.edition = edition;
  i.installedEdition = installedEdition;
  return worded(i);
}

StoreIssue notInstalledIssue(const std::string& firstFile, std::vector<int> numbers) {
  StoreIssue i = make(IssueKind::NotInstalled, firstFile);
  i.numbers = std::move(numbers);
  return worded(i);
}

StoreIssue storedFileDamagedIssue(const std::string& file) {
  return worded(make(IssueKind::StoredFileDamaged, file));
}

StoreIssue keptUnreadIssue(const std::string& file, int edition, const std::vector<int>& sse, const std::string& detail) {
  StoreIssue i = make(IssueKind::KeptUnread, file);
  i.installedEdition = edition;
  i.sse = sse;
  i.detail = detail;
  return worded(i);
}

StoreIssue protectionIssue(const std::string& file, int number, const std::vector<int>& sse, const std::string& detail,
                           std::vector<int> laterNotApplied) {
  StoreIssue i = make(IssueKind::Protection, file);
  i.number = number;
  i.sse = sse;
  i.detail = detail;
  i.numbers = std::move(laterNotApplied);
  return worded(i);
}

const char* issueKindName(IssueKind kind) {
  for (const auto& k : kKindNames)
    if (k.kind == kind) return k.name;
  return "none";
}

IssueKind issueKindOfName(const std::string& name) {
  for (const auto& k : kKindNames)
    if (name == k.name) return k.kind;
  return IssueKind::None;
}

int issueCode(const StoreIssue& issue) {
  if (issue.kind == IssueKind::Unreadable) return resultCode(issue.reader);
  if (issue.kind == IssueKind::UpdateStopped) return resultCode(issue.update);
  return 0;
}

void setIssueCode(StoreIssue& issue, int code) {
  if (issue.kind == IssueKind::Unreadable) issue.reader = static_cast<ReaderResult>(code);
  if (issue.kind == IssueKind::UpdateStopped) issue.update = static_cast<UpdateResult>(code);
}

#include "ImportOutcome.h"

const char* importActionName(ImportAction action) {
  switch (action) {
    case ImportAction::Installed: return "installed";
    case ImportAction::Updated: return "updated";
    case ImportAction::NewEdition: return "new edition";
    case ImportAction::Reissued: return "re-issued";
    case ImportAction::Cancelled: return "cancelled";
    case ImportAction::Unchanged: return "unchanged";
    case ImportAction::Refused: return "refused";
    case ImportAction::NotInstalled: return "not installed";
  }
  return "unchanged";
}

std::string CellOutcome::reason() const {
  std::string text;
  for (const StoreIssue& issue : issues) text += (text.empty() ? "" : "; ") + issue.text;
  return text;
}

std::string CellOutcome::sseMessage() const { return sseEnglishList(sse, cell); }

bool ImportReport::anyRefused() const {
  if (failed() || !filesRefused.empty()) return true;
  for (const CellOutcome& cell : cells)
    if (cell.refused()) return true;
  return false;
}

#include "PermitInstall.h"

#include <algorithm>

const char* permitActionName(PermitAction action) {
  switch (action) {
    case PermitAction::Installed: return "installed";
    case PermitAction::Replaced: return "replaced";
    case PermitAction::Unchanged: return "unchanged";
    case PermitAction::Refused: return "refused";
  }
  return "refused";
}

bool PermitInstallReport::anyRefused() const {
  if (failed() || code != SseCode::None) return true;
  for (const PermitOutcome& p : permits)
    if (p.action == PermitAction::Refused) return true;
  return false;
}

void mergePermits(const PermitFile& file, const std::string& source, std::vector<StoredPermit>& held,
                  const SecureString& hardwareKey6, const CalendarDay& today, const std::string& now,
                  PermitInstallReport& report) {
  report.code = file.code;
  report.reason = file.reason;
  for (const PermitRecord& record : file.records) {
    PermitOutcome out;
    out.line = record.line;
    out.official = record.official;
    out.read = record.format == SseCode::None;
    if (out.read) {
      out.cell = record.permit.cell;
      out.dataServer = record.permit.dataServer;
      out.edition = record.permit.edition;
      out.expiry = record.permit.expiry;
      out.serviceLevel = record.permit.serviceLevel;
    }
    const PermitVerdict verdict = checkPermitRecord(record, hardwareKey6, today);
    out.state = verdict.state;
    out.codes = verdict.codes;
    out.reason = verdict.reason;
    if (verdict.state != PermitState::Refused) {
      StoredPermit permit;
      permit.permit = record.permit;
      permit.record = record.text;
      permit.official = record.official;
      permit.installed = now;
      permit.source = source;
      const auto same = std::find_if(held.begin(), held.end(), [&](const StoredPermit& p) {
        return p.permit.cell == permit.permit.cell && p.permit.dataServer == permit.permit.dataServer;
      });
      if (same == held.end()) {
        out.action = PermitAction::Installed;
        held.push_back(std::move(permit));
      } else if (same->record == permit.record && same->official == permit.official) {
        out.action = PermitAction::Unchanged;
      } else {
        out.action = PermitAction::Replaced;
        *same = std::move(permit);
      }
    }
    report.permits.push_back(std::move(out));
  }
}

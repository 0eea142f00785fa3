#pragma once
// Installing the cell permits of a PERMIT.TXT into the chart store, each
// checked as a data client installs permits: the file itself (SSE 11 when
// it is no permit file or holds no permit, SSE 12 when it is not laid out
// as one), each record's format (SSE 12), its checksum with this
// installation's HW_ID (SSE 13: a permit damaged or made for another
// installation is not installed), its expiry (SSE 15: installed all the
// same, the cells it unlocks shown with the permanent warning SSE 25) and
// a subscription's last 30 days (SSE 20). A permit replaces the one held
// for the same cell and data server; those of other data servers stay
// beside it.
#include <string>
#include <vector>

#include "PermitCheck.h"
#include "PermitFile.h"
#include "SecureBytes.h"
#include "StoreMessage.h"
#include "StoredPermits.h"

enum class PermitAction {
  Installed,  // new to the store
  Replaced,   // the permit held for the cell and data server was another
  Unchanged,  // the store holds this very permit
  Refused,    // not installed (the codes say why)
};

// "installed", "replaced", "unchanged", "refused".
const char* permitActionName(PermitAction action);

struct PermitOutcome {
  int line = 0;            // in the permit file
  bool official = true;    // :ENC (false: :ECS)
  bool read = false;       // the record's fields below could be read
  std::string cell;
  std::string dataServer;
  std::string edition;
  CalendarDay expiry;
  int serviceLevel = 0;
  PermitState state = PermitState::Refused;
  PermitAction action = PermitAction::Refused;
  std::vector<SseCode> codes;  // refusals (12, 13) or warnings (15, 20)
  std::string reason;
};

struct PermitInstallReport {
  std::string file;
  SseCode code = SseCode::None;  // the file as a whole: SSE 11 or 12
  std::string reason;
  std::vector<PermitOutcome> permits;  // in file order
  bool written = false;                // the store took the permits
  StoreMessage failure;                // why not (busy, a failed write)

  bool failed() const { return failure.kind != StoreMessageKind::None; }
  // The file or any permit refused, or the store not written.
  bool anyRefused() const;
};

// Weighs the records of `file` against the permits `held`, which it
// changes; the outcomes go into `report`.
void mergePermits(const PermitFile& file, const std::string& source, std::vector<StoredPermit>& held,
                  const SecureString& hardwareKey6, const CalendarDay& today, const std::string& now,
                  PermitInstallReport& report);

#pragma once
// The checks a data client makes of each permit it installs: its format,
// its checksum with this installation's HW_ID, its expiry against the data
// client's date (expired: SSE 15, installable all the same, the cells shown
// with a permanent warning; 30 days or fewer left of a subscription: SSE
// 20) and its data server ID.
#include <string>
#include <vector>

#include "DataClientClock.h"
#include "PermitFile.h"
#include "SecureBytes.h"
#include "SseCode.h"

enum class PermitState { Valid, Expiring, Expired, Refused };

struct PermitVerdict {
  PermitState state = PermitState::Refused;
  std::vector<SseCode> codes;  // empty for a valid permit
  std::string reason;          // for a refusal: what is wrong
};

PermitVerdict checkPermitRecord(const PermitRecord& record, const SecureString& hardwareKey6, const CalendarDay& today);

// Days from `today` to the last day of the licence (0 on that day,
// negative once it has passed).
long daysLeft(const CellPermit& permit, const CalendarDay& today);

// The state of a permit that its checks did not refuse on `today`: valid,
// expiring (a subscription with 30 days or fewer left) or expired.
PermitState permitStateOn(const CellPermit& permit, const CalendarDay& today);

// "valid", "expiring", "expired", "refused".
const char* permitStateName(PermitState state);

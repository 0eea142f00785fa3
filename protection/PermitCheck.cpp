#include "PermitCheck.h"

namespace {

constexpr long kWarningDays = 30;

}  // namespace

long daysLeft(const CellPermit& permit, const CalendarDay& today) {
  return permit.expiry.dayNumber() - today.dayNumber();
}

PermitVerdict checkPermitRecord(const PermitRecord& record, const SecureString& hardwareKey6, const CalendarDay& today) {
  PermitVerdict verdict;
  if (record.format != SseCode::None) {
    verdict.codes.push_back(record.format);
    verdict.reason = record.reason;
    return verdict;
  }
  if (checkCellPermitChecksum(record.permit, hardwareKey6) != SseCode::None) {
    verdict.codes.push_back(SseCode::PermitChecksum);
    verdict.reason = "the checksum does not match: the permit is damaged or made for another installation";
    return verdict;
  }
  verdict.state = permitStateOn(record.permit, today);
  if (verdict.state == PermitState::Expired) verdict.codes.push_back(SseCode::SubscriptionExpired);
  if (verdict.state == PermitState::Expiring) verdict.codes.push_back(SseCode::SubscriptionExpiring);
  return verdict;
}

PermitState permitStateOn(const CellPermit& permit, const CalendarDay& today) {
  const long left = daysLeft(permit, today);
  if (left < 0) return PermitState::Expired;
  if (left <= kWarningDays && permit.subscription()) return PermitState::Expiring;
  return PermitState::Valid;
}

const char* permitStateName(PermitState state) {
  switch (state) {
    case PermitState::Valid: return "valid";
    case PermitState::Expiring: return "expiring";
    case PermitState::Expired: return "expired";
    case PermitState::Refused: return "refused";
  }
  return "refused";
}

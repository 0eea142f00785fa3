#include "StoredCell.h"

namespace {
constexpr struct {
  CellStatus status;
  const char* name;
} kStatusNames[] = {
    {CellStatus::InUse, "in use"},
    {CellStatus::Cancelled, "cancelled"},
    {CellStatus::Refused, "refused"},
    {CellStatus::NotInstalled, "not installed"},
};
}  // namespace

const char* cellStatusName(CellStatus status) {
  for (const auto& s : kStatusNames)
    if (s.status == status) return s.name;
  return "refused";
}

std::optional<CellStatus> cellStatusOfName(const std::string& name) {
  for (const auto& s : kStatusNames)
    if (name == s.name) return s.status;
  return std::nullopt;
}

#include "RecordCheck.h"

#include <array>
#include <unordered_set>

#include "RecordKinds.h"
#include "S57CellReader.h"

namespace {

using Counts = std::array<unsigned long long, kRecordKindCount + 1>;  // the last: vectors of no known RCNM

Counts declaredCounts(const DataSetStructure& s) {
  return {s.NOMR, s.NOCR, s.NOGR, s.NOLR, s.NOIN, s.NOCN, s.NOED, s.NOFA, 0};
}

Counts readCounts(const S57CellReader& reader) {
  Counts counts{};
  for (const auto& f : reader.features) ++counts[featureRecordKind(f->OBJL)];
  for (const auto& v : reader.vectors) ++counts[vectorRecordKind(v->RCNM)];
  return counts;
}

std::string recordName(int rcnm, int rcid) {
  return "RCNM=" + std::to_string(rcnm) + ",RCID=" + std::to_string(rcid);
}

// Record names packed as RCNM in the high and RCID in the low 32 bits.
unsigned long long packedName(int rcnm, int rcid) {
  return (static_cast<unsigned long long>(static_cast<unsigned>(rcnm)) << 32) | static_cast<unsigned>(rcid);
}

}  // namespace

std::vector<LoadWarning> checkCellRecords(const std::string& file, const S57CellReader& reader) {
  std::vector<LoadWarning> findings;
  const Counts read = readCounts(reader);
  if (reader.dataSetStructure.present) {
    const Counts declared = declaredCounts(reader.dataSetStructure);
    std::vector<RecordTally> tallies;
    for (int kind = 0; kind <= kRecordKindCount; ++kind)
      if (read[static_cast<size_t>(kind)] != declared[static_cast<size_t>(kind)])
        tallies.push_back({kind, declared[static_cast<size_t>(kind)], read[static_cast<size_t>(kind)]});
    if (!tallies.empty()) findings.push_back(recordCountWarning(file, std::move(tallies)));
  }

  std::unordered_set<unsigned long long> names;
  names.reserve(reader.features.size() + reader.vectors.size());
  long long repeats = 0;
  std::string first;
  auto see = [&](int rcnm, int rcid) {
    if (names.insert(packedName(rcnm, rcid)).second) return;
    if (repeats++ == 0) first = recordName(rcnm, rcid);
  };
  for (const auto& f : reader.features) see(f->RCNM, f->RCID);
  for (const auto& v : reader.vectors) see(v->RCNM, v->RCID);
  if (repeats > 0) findings.push_back(duplicateRecordWarning(file, repeats, first));

  // Feature records declared and none read: the numbers said so already.
  bool numbersSaidSo = false;
  if (!findings.empty() && findings.front().code == ReaderRecordCountMismatch)
    for (const RecordTally& t : findings.front().tallies) numbersSaidSo = numbersSaidSo || t.kind <= CollectionFeatureRecords;
  if (reader.features.empty() && !numbersSaidSo) findings.push_back(noFeaturesWarning(file));
  return findings;
}

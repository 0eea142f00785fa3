#include "RecordCheck.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

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

  // Every record's name, in file order, then sorted: a repeat lies next to
  // the name it repeats. The first repeat named is the first in the file.
  std::vector<std::pair<unsigned long long, size_t>> names;
  names.reserve(reader.features.size() + reader.vectors.size());
  for (const auto& f : reader.features) names.emplace_back(packedName(f->RCNM, f->RCID), names.size());
  for (const auto& v : reader.vectors) names.emplace_back(packedName(v->RCNM, v->RCID), names.size());
  std::sort(names.begin(), names.end());
  long long repeats = 0;
  size_t firstRepeat = names.size();
  unsigned long long firstName = 0;
  for (size_t i = 1; i < names.size(); ++i) {
    if (names[i].first != names[i - 1].first) continue;
    ++repeats;
    if (names[i].second < firstRepeat) {
      firstRepeat = names[i].second;
      firstName = names[i].first;
    }
  }
  if (repeats > 0)
    findings.push_back(duplicateRecordWarning(
        file, repeats, recordName(static_cast<int>(firstName >> 32), static_cast<int>(firstName & 0xFFFFFFFFu))));

  // Feature records declared and none read: the numbers said so already.
  bool numbersSaidSo = false;
  if (!findings.empty() && findings.front().reader == ReaderResult::RecordCountMismatch)
    for (const RecordTally& t : findings.front().tallies) numbersSaidSo = numbersSaidSo || t.kind <= CollectionFeatureRecords;
  if (reader.features.empty() && !numbersSaidSo) findings.push_back(noFeaturesWarning(file));
  return findings;
}

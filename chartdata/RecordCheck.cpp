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

std::string recordName(int rcnm, int rcid) {
  return "RCNM=" + std::to_string(rcnm) + ",RCID=" + std::to_string(rcid);
}

// Record names packed as RCNM in the high and RCID in the low 32 bits.
unsigned long long packedName(int rcnm, int rcid) {
  return (static_cast<unsigned long long>(static_cast<unsigned>(rcnm)) << 32) | static_cast<unsigned>(rcid);
}

}  // namespace

std::vector<LoadWarning> checkCellRecords(const std::string& file, const S57CellReader& reader) {
  // One walk over the records (features, then vectors) counts them by kind
  // and finds the names repeated: the first repeat named is the first record
  // whose name an earlier record had. RCIDs are normally numbered densely
  // from 1, so the names of the four record kinds are marked in one bit each
  // up to twice the records read; far larger ones and other RCNMs are
  // sorted, where a repeat lies next to the name it repeats.
  Counts read{};
  const size_t records = reader.features.size() + reader.vectors.size();
  const size_t denseLimit = 2 * records + 1024;
  std::array<std::vector<bool>, 4> marked;
  std::vector<std::pair<unsigned long long, size_t>> others;
  long long repeats = 0;
  size_t firstRepeat = records;
  unsigned long long firstName = 0;
  const auto repeated = [&](unsigned long long name, size_t index) {
    ++repeats;
    if (index < firstRepeat) {
      firstRepeat = index;
      firstName = name;
    }
  };
  size_t index = 0;
  const auto visit = [&](int rcnm, int rcid) {
    const int table = rcnm == 100 ? 0 : rcnm == 110 ? 1 : rcnm == 120 ? 2 : rcnm == 130 ? 3 : -1;
    if (table >= 0 && rcid >= 0 && static_cast<size_t>(rcid) < denseLimit) {
      std::vector<bool>& seen = marked[static_cast<size_t>(table)];
      if (seen.empty()) seen.resize(denseLimit);
      if (seen[static_cast<size_t>(rcid)]) repeated(packedName(rcnm, rcid), index);
      seen[static_cast<size_t>(rcid)] = true;
    } else {
      others.emplace_back(packedName(rcnm, rcid), index);
    }
    ++index;
  };
  for (const auto& f : reader.features) {
    ++read[featureRecordKind(f->OBJL)];
    visit(f->RCNM, f->RCID);
  }
  for (const auto& v : reader.vectors) {
    ++read[vectorRecordKind(v->RCNM)];
    visit(v->RCNM, v->RCID);
  }
  std::sort(others.begin(), others.end());
  for (size_t i = 1; i < others.size(); ++i)
    if (others[i].first == others[i - 1].first) repeated(others[i].first, others[i].second);

  std::vector<LoadWarning> findings;
  if (reader.dataSetStructure.present) {
    const Counts declared = declaredCounts(reader.dataSetStructure);
    std::vector<RecordTally> tallies;
    for (int kind = 0; kind <= kRecordKindCount; ++kind)
      if (read[static_cast<size_t>(kind)] != declared[static_cast<size_t>(kind)])
        tallies.push_back({kind, declared[static_cast<size_t>(kind)], read[static_cast<size_t>(kind)]});
    if (!tallies.empty()) findings.push_back(recordCountWarning(file, std::move(tallies)));
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

#include "UpdateApplication.h"

#include <algorithm>

#include "S57CellReader.h"
#include "UpdateFile.h"
#include "UpdateResult.h"

namespace {

constexpr char kDeleteValue[] = "\x7f";

std::uint64_t featureKey(const FRID& f) {
  return static_cast<std::uint64_t>(static_cast<std::uint8_t>(f.RCNM)) |
         (static_cast<std::uint64_t>(static_cast<std::uint32_t>(f.RCID)) << 8);
}

std::string recordLabel(int rcnm, int rcid) {
  return "RCNM=" + std::to_string(rcnm) + ",RCID=" + std::to_string(rcid);
}

// The record under `key` as the update has left it so far: its staged
// state when it has one (null when deleted), else the cell's record.
template <class Staging, class Index>
auto currentRecord(std::uint64_t key, const Staging& staging, const Index& index)
    -> decltype(index.begin()->second) {
  const auto changed = staging.changed.find(key);
  if (changed != staging.changed.end()) return changed->second;
  const auto found = index.find(key);
  return found == index.end() ? nullptr : found->second;
}

// The record under `key` for changing: the staged copy, made on first use
// from the cell's record (null when there is none).
template <class Staging, class Index>
auto editableRecord(std::uint64_t key, Staging& staging, const Index& index)
    -> decltype(index.begin()->second) {
  const auto changed = staging.changed.find(key);
  if (changed != staging.changed.end()) return changed->second;
  const auto found = index.find(key);
  if (found == index.end()) return nullptr;
  using Record = std::decay_t<decltype(*found->second)>;
  auto copy = std::make_shared<Record>(*found->second);
  staging.changed.emplace(key, copy);
  staging.order.push_back(key);
  return copy;
}

template <class Staging, class Pointer>
void stage(std::uint64_t key, Pointer record, Staging& staging) {
  const auto [it, added] = staging.changed.insert_or_assign(key, std::move(record));
  (void)it;
  if (added) staging.order.push_back(key);
}

// ATTF, NATF or ATTV of a modify record: each entry sets the attribute of
// its code (added when absent); the delete character as value removes it.
void updateAttributes(const std::vector<ATTF_NATF>& changes, std::vector<ATTF_NATF>& attributes) {
  for (const ATTF_NATF& change : changes) {
    const auto it = std::find_if(attributes.begin(), attributes.end(), [&](const ATTF_NATF& a) {
      return a.attributeCode == change.attributeCode;
    });
    if (change.attributeValue == kDeleteValue) {
      if (it != attributes.end()) attributes.erase(it);
    } else if (it != attributes.end()) {
      it->attributeValue = change.attributeValue;
    } else {
      attributes.push_back(change);
    }
  }
}

// One control field applied to the repeating field it governs: insert the
// given entries before entry `index`, delete `count` entries from `index`,
// or replace `count` entries from `index` by the given ones (1-based).
template <class T>
bool editList(std::vector<T>& list, const UpdateControl& control, const std::vector<T>& entries,
              const char* field, std::string& why) {
  const size_t size = list.size();
  const size_t at = control.index > 0 ? static_cast<size_t>(control.index - 1) : 0;
  const size_t count = control.count > 0 ? static_cast<size_t>(control.count) : 0;
  bool fits = control.index >= 1 && count >= 1;
  switch (control.instruction) {
    case 1:
      fits = fits && at <= size && entries.size() == count;
      if (fits) list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), entries.begin(), entries.end());
      break;
    case 2:
      fits = fits && at + count <= size;
      if (fits)
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(at),
                   list.begin() + static_cast<std::ptrdiff_t>(at + count));
      break;
    case 3:
      fits = fits && at + count <= size && entries.size() == count;
      if (fits) std::copy(entries.begin(), entries.end(), list.begin() + static_cast<std::ptrdiff_t>(at));
      break;
    default:
      fits = false;
  }
  if (!fits)
    why = std::string(field) + " instruction " + std::to_string(control.instruction) + " at index " +
          std::to_string(control.index) + " for " + std::to_string(control.count) + " entries, with " +
          std::to_string(entries.size()) + " given, on a field of " + std::to_string(size);
  return fits;
}

// A repeating field with its control field, or without both. Entries
// without a control field cannot be placed.
template <class T>
bool editField(std::vector<T>& list, const UpdateControl& control, const std::vector<T>& entries,
               const char* controlName, const char* fieldName, std::string& why) {
  if (control.present) return editList(list, control, entries, controlName, why);
  if (entries.empty()) return true;
  why = std::string(fieldName) + " without " + controlName;
  return false;
}

bool modifyFeature(const FRID& update, FRID& target, std::string& why) {
  target.RVER = update.RVER;
  updateAttributes(update.attributes, target.attributes);
  updateAttributes(update.nationalAttributes, target.nationalAttributes);
  return editField(target.featurePointers, update.featurePointerControl, update.featurePointers, "FFPC",
                   "FFPT", why) &&
         editField(target.spatialPointers, update.spatialPointerControl, update.spatialPointers, "FSPC",
                   "FSPT", why);
}

bool modifyVector(const VRID& update, VRID& target, std::string& why) {
  target.RVER = update.RVER;
  updateAttributes(update.attributes, target.attributes);
  if (!editField(target.pointers, update.pointerControl, update.pointers, "VRPC", "VRPT", why)) return false;
  // The coordinates go to the 3-D list when the update brings 3-D ones, or
  // deletes from a node that has only those.
  const bool threeD = !update.coordinates3D.empty() ||
                      (update.coordinates2D.empty() && target.coordinates2D.empty() &&
                       !target.coordinates3D.empty());
  if (threeD) {
    if (!update.coordinates2D.empty()) {
      why = "SG2D and SG3D in one record";
      return false;
    }
    return editField(target.coordinates3D, update.coordinateControl, update.coordinates3D, "SGCC", "SG3D", why);
  }
  return editField(target.coordinates2D, update.coordinateControl, update.coordinates2D, "SGCC", "SG2D", why);
}

// The record instructions, the same for both kinds of record.
template <class Record, class Staging, class Index, class Modify>
int applyRecord(const Record& update, std::uint64_t key, const std::string& label, Staging& staging,
                const Index& index, Modify modify, std::string& detail) {
  switch (update.RUIN) {
    case 1: {
      if (currentRecord(key, staging, index)) {
        detail = label + ": the cell has this record";
        return UpdateRecordExists;
      }
      auto inserted = std::make_shared<Record>(update);
      inserted->RUIN = 1;
      stage(key, std::move(inserted), staging);
      return UpdateOk;
    }
    case 2:
    case 3: {
      const auto target = update.RUIN == 2 ? currentRecord(key, staging, index) : editableRecord(key, staging, index);
      if (!target) {
        detail = label + ": no such record";
        return UpdateRecordMissing;
      }
      if (update.RVER != target->RVER + 1) {
        detail = label + ": record version " + std::to_string(update.RVER) + ", the cell's is " +
                 std::to_string(target->RVER);
        return UpdateVersionMismatch;
      }
      if (update.RUIN == 2) {
        stage(key, decltype(target)(), staging);
        return UpdateOk;
      }
      std::string why;
      if (!modify(update, *target, why)) {
        detail = label + ": " + why;
        return UpdateBadInstruction;
      }
      return UpdateOk;
    }
    default:
      detail = label + ": record instruction " + std::to_string(update.RUIN);
      return UpdateBadInstruction;
  }
}

// Writes the staged records into a cell list and its index: replaced and
// deleted records where they stood (only the one the index names, when a
// name stands twice), inserted ones at the end in the order staged.
template <class Record, class Index>
void commitList(std::vector<std::shared_ptr<Record>>& list, Index& index,
                std::unordered_map<std::uint64_t, std::shared_ptr<Record>>& changed,
                const std::vector<std::uint64_t>& order, std::uint64_t (*keyOf)(const Record&)) {
  if (changed.empty()) return;
  std::vector<std::shared_ptr<Record>> next;
  next.reserve(list.size() + changed.size());
  for (std::shared_ptr<Record>& record : list) {
    const std::uint64_t key = keyOf(*record);
    const auto staged = changed.find(key);
    const auto indexed = index.find(key);
    if (staged != changed.end() && indexed != index.end() && indexed->second == record) {
      if (staged->second) next.push_back(staged->second);
    } else {
      next.push_back(std::move(record));
    }
  }
  for (const std::uint64_t key : order) {
    const std::shared_ptr<Record>& record = changed[key];
    const auto indexed = index.find(key);
    if (indexed == index.end()) {
      if (record) next.push_back(record);
    }
    if (record) index[key] = record;
    else if (indexed != index.end()) index.erase(indexed);
  }
  list = std::move(next);
}

std::uint64_t vectorKey(const VRID& v) { return nameKey(v.NAME); }

}  // namespace

UpdateApplication::UpdateApplication(S57CellReader& cell) : cell_(cell) {
  featureIndex_.reserve(cell.features.size());
  for (const auto& f : cell.features) featureIndex_[featureKey(*f)] = f;
}

int UpdateApplication::applyVector(const VRID& update, std::string& detail) {
  return applyRecord(update, nameKey(update.NAME), recordLabel(update.RCNM, update.RCID), vectors_,
                     cell_.vectorIndex, modifyVector, detail);
}

int UpdateApplication::applyFeature(const FRID& update, std::string& detail) {
  return applyRecord(update, featureKey(update), recordLabel(update.RCNM, update.RCID), features_, featureIndex_,
                     modifyFeature, detail);
}

int UpdateApplication::apply(const UpdateFile& update, std::string& detail) {
  features_ = {};
  vectors_ = {};
  int code = UpdateOk;
  for (const auto& v : update.vectors)
    if ((code = applyVector(*v, detail)) != UpdateOk) break;
  if (code == UpdateOk)
    for (const auto& f : update.features)
      if ((code = applyFeature(*f, detail)) != UpdateOk) break;
  if (code == UpdateOk) commit();
  features_ = {};
  vectors_ = {};
  return code;
}

void UpdateApplication::commit() {
  commitList(cell_.vectors, cell_.vectorIndex, vectors_.changed, vectors_.order, &vectorKey);
  commitList(cell_.features, featureIndex_, features_.changed, features_.order, &featureKey);
}

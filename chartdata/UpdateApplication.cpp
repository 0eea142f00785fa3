#include "UpdateApplication.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <optional>

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
// state when it has one (null when deleted), else the cell's record, which
// `base(key)` gives (null when none).
template <class Staging, class Base>
auto currentRecord(std::uint64_t key, const Staging& staging, const Base& base) -> decltype(base(key)) {
  const auto changed = staging.changed.find(key);
  if (changed != staging.changed.end()) return changed->second;
  return base(key);
}

// The record under `key` for changing: the staged copy, made on first use
// from the cell's record (null when there is none).
template <class Staging, class Base>
auto editableRecord(std::uint64_t key, Staging& staging, const Base& base) -> decltype(base(key)) {
  const auto changed = staging.changed.find(key);
  if (changed != staging.changed.end()) return changed->second;
  const auto found = base(key);
  if (!found) return found;
  using Record = std::decay_t<decltype(*found)>;
  auto copy = std::make_shared<Record>(*found);
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
// its code (added when absent); the delete character as value removes it,
// and removing one the record does not have is refused.
bool updateAttributes(const RecordList<ATTF_NATF>& changes, RecordList<ATTF_NATF>& attributes,
                      std::string& why) {
  for (const ATTF_NATF& change : changes) {
    const auto it = std::find_if(attributes.begin(), attributes.end(), [&](const ATTF_NATF& a) {
      return a.attributeCode == change.attributeCode;
    });
    if (change.attributeValue == kDeleteValue) {
      if (it == attributes.end()) {
        why = "attribute " + change.attributeCode + " to be deleted is not the record's";
        return false;
      }
      attributes.erase(it);
    } else if (it != attributes.end()) {
      it->attributeValue = change.attributeValue;
    } else {
      attributes.push_back(change);
    }
  }
  return true;
}

// One control field applied to the repeating field it governs: insert the
// given entries before entry `index`, delete `count` entries from `index`,
// or replace `count` entries from `index` by the given ones (1-based).
template <class T>
bool editList(RecordList<T>& list, const UpdateControl& control, const RecordList<T>& entries,
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
    case 2:  // a delete names its entries by place alone
      fits = fits && at + count <= size && entries.empty();
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
// without a control field go only where there is nothing yet to place them
// among: the field is the record's first (an edge whose vertices an earlier
// instruction of the update deleted gets its new ones so). Returns Ok or
// what is wrong.
template <class T>
UpdateResult editField(RecordList<T>& list, const UpdateControl& control, const RecordList<T>& entries,
                       const char* controlName, const char* fieldName, std::string& why) {
  if (control.repeated) {
    why = std::string(controlName) + " given twice";
    return UpdateResult::MalformedRecord;
  }
  if (control.present)
    return editList(list, control, entries, controlName, why) ? UpdateResult::Ok : UpdateResult::BadInstruction;
  if (entries.empty()) return UpdateResult::Ok;
  if (list.empty()) {
    list = entries;
    return UpdateResult::Ok;
  }
  why = std::string(fieldName) + " without " + controlName + " on a field of " + std::to_string(list.size());
  return UpdateResult::BadInstruction;
}

UpdateResult modifyFeature(const FRID& update, FRID& target, std::string& why) {
  target.RVER = update.RVER;
  if (!updateAttributes(update.attributes, target.attributes, why) ||
      !updateAttributes(update.nationalAttributes, target.nationalAttributes, why))
    return UpdateResult::AttributeMissing;
  if (const UpdateResult code = editField(target.featurePointers, update.featurePointerControl,
                                          update.featurePointers, "FFPC", "FFPT", why);
      code != UpdateResult::Ok)
    return code;
  return editField(target.spatialPointers, update.spatialPointerControl, update.spatialPointers, "FSPC", "FSPT",
                   why);
}

UpdateResult modifyVector(const VRID& update, VRID& target, std::string& why) {
  target.RVER = update.RVER;
  if (!updateAttributes(update.attributes, target.attributes, why)) return UpdateResult::AttributeMissing;
  if (const UpdateResult code =
          editField(target.pointers, update.pointerControl, update.pointers, "VRPC", "VRPT", why);
      code != UpdateResult::Ok)
    return code;
  // The coordinates go to the 3-D list when the update brings 3-D ones, or
  // deletes from a node that has only those.
  const bool threeD = !update.coordinates3D.empty() ||
                      (update.coordinates2D.empty() && target.coordinates2D.empty() &&
                       !target.coordinates3D.empty());
  if (threeD) {
    if (!update.coordinates2D.empty()) {
      why = "SG2D and SG3D in one record";
      return UpdateResult::BadInstruction;
    }
    return editField(target.coordinates3D, update.coordinateControl, update.coordinates3D, "SGCC", "SG3D", why);
  }
  return editField(target.coordinates2D, update.coordinateControl, update.coordinates2D, "SGCC", "SG2D", why);
}

// Whether an update record carries anything besides its identifier (FRID
// and FOID, VRID): attributes, pointers, coordinates or a control field.
bool carriesFields(const FRID& f) {
  return !f.attributes.empty() || !f.nationalAttributes.empty() || !f.featurePointers.empty() ||
         !f.spatialPointers.empty() || f.featurePointerControl.present || f.spatialPointerControl.present;
}
bool carriesFields(const VRID& v) {
  return !v.attributes.empty() || !v.pointers.empty() || !v.coordinates2D.empty() || !v.coordinates3D.empty() ||
         v.pointerControl.present || v.coordinateControl.present;
}

// The record instructions, the same for both kinds of record. A delete
// carries its identifier alone, an insert or modify something besides; an
// inserted record starts at version 1, each modify or delete names the
// version after the record's.
template <class Record, class Staging, class Base, class Modify>
UpdateResult applyRecord(const Record& update, std::uint64_t key, const std::string& label, Staging& staging,
                         const Base& base, Modify modify, std::string& detail) {
  if (update.RUIN >= 1 && update.RUIN <= 3 && carriesFields(update) != (update.RUIN != 2)) {
    detail = label + (update.RUIN == 2 ? ": a delete carrying further fields"
                                       : update.RUIN == 1 ? ": an insert carrying nothing" : ": a modify carrying nothing");
    return UpdateResult::MalformedRecord;
  }
  switch (update.RUIN) {
    case 1: {
      if (currentRecord(key, staging, base)) {
        detail = label + ": the cell has this record";
        return UpdateResult::RecordExists;
      }
      if (update.RVER != 1) {
        detail = label + ": record version " + std::to_string(update.RVER) + " for an inserted record, not 1";
        return UpdateResult::VersionMismatch;
      }
      auto inserted = std::make_shared<Record>(update);
      inserted->RUIN = 1;
      stage(key, std::move(inserted), staging);
      return UpdateResult::Ok;
    }
    case 2:
    case 3: {
      const auto target = update.RUIN == 2 ? currentRecord(key, staging, base) : editableRecord(key, staging, base);
      if (!target) {
        detail = label + ": no such record";
        return UpdateResult::RecordMissing;
      }
      if (update.RVER != target->RVER + 1) {
        detail = label + ": record version " + std::to_string(update.RVER) + ", the cell's is " +
                 std::to_string(target->RVER);
        return UpdateResult::VersionMismatch;
      }
      if (update.RUIN == 2) {
        stage(key, decltype(target)(), staging);
        return UpdateResult::Ok;
      }
      std::string why;
      if (const UpdateResult code = modify(update, *target, why); code != UpdateResult::Ok) {
        detail = label + ": " + why;
        return code;
      }
      return UpdateResult::Ok;
    }
    default:
      detail = label + ": record instruction " + std::to_string(update.RUIN);
      return UpdateResult::BadInstruction;
  }
}

// Rewrites a cell list once the chain is done: each record an update
// replaced stands where its original stood (a deleted one is dropped), and
// the records new to the cell follow in the order they were inserted.
// Elements are matched by holder, so the list's records are not read.
template <class Record>
void rewriteList(std::vector<std::shared_ptr<Record>>& list, const UpdateOverlay<Record>& overlay) {
  if (overlay.current.empty()) return;
  // (original holder, its replacement), sorted by holder for a binary search.
  std::vector<std::pair<const Record*, const std::shared_ptr<Record>*>> replacement;
  replacement.reserve(overlay.order.size());
  for (const std::uint64_t key : overlay.order) {
    const auto original = overlay.original.find(key);
    if (original != overlay.original.end() && original->second)
      replacement.emplace_back(original->second.get(), &overlay.current.at(key));
  }
  std::sort(replacement.begin(), replacement.end());
  // Most holders are not replaced: a bit per hashed holder address rules
  // them out before the search.
  std::bitset<4096> maybe;
  const auto bit = [](const Record* p) { return (reinterpret_cast<std::uintptr_t>(p) >> 4) % 4096; };
  for (const auto& entry : replacement) maybe.set(bit(entry.first));
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    const Record* holder = list[i].get();
    auto it = replacement.end();
    if (maybe.test(bit(holder)))
      it = std::lower_bound(replacement.begin(), replacement.end(), holder,
                            [](const auto& entry, const Record* p) { return entry.first < p; });
    if (it == replacement.end() || it->first != holder) {
      if (kept != i) list[kept] = std::move(list[i]);
      ++kept;
    } else if (*it->second) {
      list[kept++] = *it->second;
    }
  }
  list.resize(kept);
  for (const std::uint64_t key : overlay.order) {
    const auto original = overlay.original.find(key);
    const std::shared_ptr<Record>& record = overlay.current.at(key);
    if (record && (original == overlay.original.end() || !original->second)) list.push_back(record);
  }
}

}  // namespace

UpdateApplication::UpdateApplication(S57CellReader& cell) : cell_(cell) { indexFeatures(); }

UpdateApplication::~UpdateApplication() { finish(); }

void UpdateApplication::indexFeatures() {
  // Feature RCIDs are normally numbered densely from 1: a table by RCID,
  // with a map for the others. A name that stands twice names its later record.
  const std::int64_t limit = 2 * static_cast<std::int64_t>(cell_.features.size()) + 1024;
  featureSlots_.assign(static_cast<size_t>(limit), 0);
  otherFeatures_.clear();
  for (size_t i = 0; i < cell_.features.size(); ++i) {
    const FRID& f = *cell_.features[i];
    if (f.RCNM == 100 && f.RCID >= 0 && f.RCID < limit) featureSlots_[static_cast<size_t>(f.RCID)] = i + 1;
    else otherFeatures_[featureKey(f)] = i;
  }
  featureIndexStale_ = false;
}

std::shared_ptr<FRID> UpdateApplication::baseFeature(std::uint64_t key) const {
  const std::int64_t rcid = static_cast<std::int32_t>(static_cast<std::uint32_t>(key >> 8));
  if ((key & 0xFF) == 100 && rcid >= 0 && static_cast<size_t>(rcid) < featureSlots_.size()) {
    const size_t slot = featureSlots_[static_cast<size_t>(rcid)];
    return slot ? cell_.features[slot - 1] : nullptr;
  }
  const auto found = otherFeatures_.find(key);
  return found == otherFeatures_.end() ? nullptr : cell_.features[found->second];
}

UpdateResult UpdateApplication::applyVector(const VRID& update, std::string& detail) {
  // The vector index follows every committed update.
  const auto current = [this](std::uint64_t key) {
    const auto found = cell_.vectorIndex.find(key);
    return found == cell_.vectorIndex.end() ? std::shared_ptr<VRID>() : found->second;
  };
  return applyRecord(update, nameKey(update.NAME), recordLabel(update.RCNM, update.RCID), vectors_, current,
                     modifyVector, detail);
}

UpdateResult UpdateApplication::applyFeature(const FRID& update, std::string& detail) {
  const auto current = [this](std::uint64_t key) {
    const auto changed = featureOverlay_.current.find(key);
    return changed != featureOverlay_.current.end() ? changed->second : baseFeature(key);
  };
  return applyRecord(update, featureKey(update), recordLabel(update.RCNM, update.RCID), features_, current,
                     modifyFeature, detail);
}

bool UpdateApplication::vectorExists(std::uint64_t key) const {
  const auto staged = vectors_.changed.find(key);
  if (staged != vectors_.changed.end()) return staged->second != nullptr;
  return cell_.vectorIndex.count(key) > 0;
}

std::unordered_set<std::uint64_t> UpdateApplication::featureNames() const {
  auto packed = [](const FRID& f) {
    return (static_cast<std::uint64_t>(static_cast<std::uint16_t>(f.AGEN)) << 48) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(f.FIDN)) << 16) |
           static_cast<std::uint16_t>(f.FIDS);
  };
  const auto current = [this](std::uint64_t key) {
    const auto staged = features_.changed.find(key);
    if (staged != features_.changed.end()) return staged->second;
    const auto changed = featureOverlay_.current.find(key);
    return changed != featureOverlay_.current.end() ? changed->second : baseFeature(key);
  };
  // The records as they stand with the update staged: the cell's own that
  // no update replaced or deleted, then those updates left.
  std::unordered_set<std::uint64_t> names;
  for (const auto& f : cell_.features)
    if (current(featureKey(*f)) == f) names.insert(packed(*f));
  for (const auto* changes : {&featureOverlay_.current, &features_.changed})
    for (const auto& [key, f] : *changes)
      if (f && current(key) == f) names.insert(packed(*f));
  return names;
}

UpdateResult UpdateApplication::checkPointers(const UpdateFile& update, std::string& detail) const {
  auto missing = [&](const std::string& label, const char* field, int rcnm, int rcid) {
    detail = label + ": " + field + " names " + recordLabel(rcnm, rcid) + ", which the cell does not have";
    return UpdateResult::PointerMissing;
  };
  for (const auto& v : update.vectors) {
    if (v->RUIN != 1 && v->RUIN != 3) continue;
    for (const VRPT& p : v->pointers)
      if (!vectorExists(nameKey(p.NAME))) return missing(recordLabel(v->RCNM, v->RCID), "VRPT", p.RCNM, p.RCID);
  }
  std::optional<std::unordered_set<std::uint64_t>> features;  // made on first need
  for (const auto& f : update.features) {
    if (f->RUIN != 1 && f->RUIN != 3) continue;
    for (const FSPT& p : f->spatialPointers)
      if (!vectorExists(nameKey(p.NAME))) return missing(recordLabel(f->RCNM, f->RCID), "FSPT", p.RCNM, p.RCID);
    for (const FFPT& p : f->featurePointers) {
      if (!features) features = featureNames();
      // LNAM: AGEN, FIDN and FIDS, each little-endian.
      const std::uint64_t name = (static_cast<std::uint64_t>(p.LNAM[0] | (p.LNAM[1] << 8)) << 48) |
                                 (static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                                      p.LNAM[2] | (p.LNAM[3] << 8) | (p.LNAM[4] << 16) |
                                      (static_cast<std::uint32_t>(p.LNAM[5]) << 24)))
                                  << 16) |
                                 static_cast<std::uint64_t>(p.LNAM[6] | (p.LNAM[7] << 8));
      if (!features->count(name)) {
        char text[24];
        std::snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X%02X%02X", p.LNAM[1], p.LNAM[0], p.LNAM[5],
                      p.LNAM[4], p.LNAM[3], p.LNAM[2], p.LNAM[7], p.LNAM[6]);
        detail = recordLabel(f->RCNM, f->RCID) + ": FFPT names the feature " + text + ", which the cell does not have";
        return UpdateResult::PointerMissing;
      }
    }
  }
  return UpdateResult::Ok;
}

bool UpdateApplication::featurePosition(const FRID& update, SG2D& at) {
  if (featureIndexStale_) indexFeatures();
  const std::uint64_t key = featureKey(update);
  const auto changed = featureOverlay_.current.find(key);
  const std::shared_ptr<FRID> feature = changed != featureOverlay_.current.end() ? changed->second : baseFeature(key);
  if (!feature || feature->spatialPointers.empty()) return false;
  auto vector = [this](const RecordName& name) -> const VRID* {
    const auto found = cell_.vectorIndex.find(nameKey(name));
    return found == cell_.vectorIndex.end() ? nullptr : found->second.get();
  };
  const VRID* v = vector(feature->spatialPointers.front().NAME);
  // An edge of two nodes has no coordinates of its own: its first node's.
  if (v && v->coordinates2D.empty() && v->coordinates3D.empty() && !v->pointers.empty()) v = vector(v->pointers.front().NAME);
  if (!v) return false;
  if (!v->coordinates2D.empty()) {
    at = v->coordinates2D.front();
    return true;
  }
  if (!v->coordinates3D.empty()) {
    at = SG2D{v->coordinates3D.front().YCOO, v->coordinates3D.front().XCOO};
    return true;
  }
  return false;
}

UpdateResult UpdateApplication::apply(const UpdateFile& update, std::string& detail) {
  if (featureIndexStale_) indexFeatures();
  features_ = {};
  vectors_ = {};
  UpdateResult code = UpdateResult::Ok;
  for (const auto& v : update.vectors)
    if ((code = applyVector(*v, detail)) != UpdateResult::Ok) break;
  if (code == UpdateResult::Ok)
    for (const auto& f : update.features)
      if ((code = applyFeature(*f, detail)) != UpdateResult::Ok) break;
  // The pointers given are judged once the whole update stands: a record
  // may point at one the update inserts after it.
  if (code == UpdateResult::Ok) code = checkPointers(update, detail);
  if (code == UpdateResult::Ok) commit();
  features_ = {};
  vectors_ = {};
  return code;
}

void UpdateApplication::commit() {
  for (const std::uint64_t key : vectors_.order) {
    std::shared_ptr<VRID>& record = vectors_.changed[key];
    const auto indexed = cell_.vectorIndex.find(key);
    if (!vectorOverlay_.current.count(key)) {
      vectorOverlay_.original.emplace(key, indexed == cell_.vectorIndex.end() ? nullptr : indexed->second);
      vectorOverlay_.order.push_back(key);
    }
    vectorOverlay_.current[key] = record;
    if (record) cell_.vectorIndex[key] = std::move(record);
    else if (indexed != cell_.vectorIndex.end()) cell_.vectorIndex.erase(indexed);
  }
  for (const std::uint64_t key : features_.order) {
    if (!featureOverlay_.current.count(key)) {
      featureOverlay_.original.emplace(key, baseFeature(key));
      featureOverlay_.order.push_back(key);
    }
    featureOverlay_.current[key] = std::move(features_.changed[key]);
  }
}

void UpdateApplication::finish() {
  if (featureOverlay_.order.empty() && vectorOverlay_.order.empty()) return;
  rewriteList(cell_.features, featureOverlay_);
  rewriteList(cell_.vectors, vectorOverlay_);
  featureOverlay_ = {};
  vectorOverlay_ = {};
  featureIndexStale_ = true;  // the places moved
}

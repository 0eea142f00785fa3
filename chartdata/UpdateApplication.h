#pragma once
// Applies the records of one update file to the records of a read cell:
// record instructions (RUIN insert, delete, modify, with the RVER check),
// attribute updates (ATTF, NATF, ATTV), pointer updates (FFPC, FSPC, VRPC)
// and coordinate updates (SGCC).
//
// An update that breaks the rules for updates is refused whole: a delete
// carrying more than its identifier, an insert or modify carrying nothing,
// an inserted record not at version 1 or a changed one not at the next, a
// control field given twice, an index outside its field or a count that
// disagrees with the entries given (a delete gives none), a record or an
// attribute to delete that is not there, a pointer given (VRPT, FSPT, FFPT)
// to a record the cell does not have once the update stands.
//
// An update applies in full or not at all. Changed records are staged as
// copies while the update runs; the cell's lists and indexes are touched
// only once every instruction has succeeded, so a failed update leaves the
// cell exactly as the last update left it. The record holders the cell
// shares are never changed in place: a changed record is a new holder in
// the old one's place.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "S57Records.h"
#include "UpdateResult.h"

class S57CellReader;
struct UpdateFile;

// What the updates applied so far did to the records of one kind: the
// record under each name changed (null: deleted), the one that stood there
// before the first change (null: none), and the names in that order.
template <class Record>
struct UpdateOverlay {
  std::unordered_map<std::uint64_t, std::shared_ptr<Record>> current;
  std::unordered_map<std::uint64_t, std::shared_ptr<Record>> original;
  std::vector<std::uint64_t> order;
};

class UpdateApplication {
public:
  // Indexes the cell's feature records by name (a later record with the
  // same name hides an earlier one, as the vector index does).
  explicit UpdateApplication(S57CellReader& cell);
  ~UpdateApplication();
  UpdateApplication(const UpdateApplication&) = delete;
  UpdateApplication& operator=(const UpdateApplication&) = delete;

  // Applies the vector records of `update`, then its feature records, each
  // in file order. Returns Ok, or what stopped it with nothing of the
  // update applied and `detail` naming the record ("RCNM=130,RCID=8: ...").
  // The vector index follows each update at once; the record lists are
  // rewritten by finish.
  UpdateResult apply(const UpdateFile& update, std::string& detail);

  // Where the feature record an update names stands now, before the update
  // is applied (the first position of its first spatial record, or of that
  // record's first node), in the cell's coordinate units; false when it has
  // none or the cell has no such record.
  bool featurePosition(const FRID& update, SG2D& at);

  // Writes what the updates applied so far did into the cell's record
  // lists: a changed record in its original's place, a deleted one gone,
  // inserted ones at the end. Done once for a whole chain of updates (the
  // destructor does it too), so that the lists are walked once.
  void finish();

private:
  template <class Record>
  struct Staging {
    std::unordered_map<std::uint64_t, std::shared_ptr<Record>> changed;  // null: deleted
    std::vector<std::uint64_t> order;  // keys in the order first changed
  };

  void indexFeatures();
  std::shared_ptr<FRID> baseFeature(std::uint64_t key) const;  // as the lists stand
  // Whether a record stands under the name with the update staged so far.
  bool vectorExists(std::uint64_t key) const;
  // The feature names (AGEN, FIDN, FIDS packed) standing with the update
  // staged so far.
  std::unordered_set<std::uint64_t> featureNames() const;
  UpdateResult checkPointers(const UpdateFile& update, std::string& detail) const;
  UpdateResult applyVector(const VRID& update, std::string& detail);
  UpdateResult applyFeature(const FRID& update, std::string& detail);
  void commit();

  S57CellReader& cell_;
  // The cell's feature records by name: place in the list plus one by RCID
  // (0: none), and a map for RCIDs the table does not cover.
  std::vector<size_t> featureSlots_;
  std::unordered_map<std::uint64_t, size_t> otherFeatures_;
  bool featureIndexStale_ = false;  // the lists were rewritten since it was made
  UpdateOverlay<FRID> featureOverlay_;
  UpdateOverlay<VRID> vectorOverlay_;
  Staging<FRID> features_;  // the update being applied
  Staging<VRID> vectors_;
};

#pragma once
// Applies the records of one update file to the records of a read cell:
// record instructions (RUIN insert, delete, modify, with the RVER check),
// attribute updates (ATTF, NATF, ATTV), pointer updates (FFPC, FSPC, VRPC)
// and coordinate updates (SGCC).
//
// An update applies in full or not at all. Changed records are staged as
// copies while the update runs; the cell's lists and indexes are touched
// only once every instruction has succeeded, so a failed update leaves the
// cell exactly as the last update left it. The record holders the cell
// shares are never changed in place.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "S57Records.h"

class S57CellReader;
struct UpdateFile;

class UpdateApplication {
public:
  // Indexes the cell's feature records by name (a later record with the
  // same name hides an earlier one, as the vector index does).
  explicit UpdateApplication(S57CellReader& cell);

  // Applies the vector records of `update`, then its feature records, each
  // in file order. Returns 0, or an UpdateResult code with the cell
  // unchanged and `detail` naming the record ("RCNM=130,RCID=8: ...").
  int apply(const UpdateFile& update, std::string& detail);

private:
  template <class Record>
  struct Staging {
    std::unordered_map<std::uint64_t, std::shared_ptr<Record>> changed;  // null: deleted
    std::vector<std::uint64_t> order;  // keys in the order first changed
  };
  using FeatureIndex = std::unordered_map<std::uint64_t, std::shared_ptr<FRID>>;
  using VectorIndex = std::unordered_map<std::uint64_t, std::shared_ptr<VRID>>;

  int applyVector(const VRID& update, std::string& detail);
  int applyFeature(const FRID& update, std::string& detail);
  void commit();

  S57CellReader& cell_;
  FeatureIndex featureIndex_;
  Staging<FRID> features_;
  Staging<VRID> vectors_;
};

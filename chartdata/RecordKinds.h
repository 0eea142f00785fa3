#pragma once
// The eight kinds of record whose numbers a data set declares in its DSSI
// field: feature records by the kind of their object class (meta classes
// M_* are codes 300-399, collections C_* 400-499, cartographic classes $*
// 500-599, every other class is a geo object), vector records by their
// record name RCNM. Header only: the cell writer counts by the same rules.
#include <array>
#include <cstdint>

enum RecordKind : int {
  MetaFeatureRecords,          // NOMR
  CartographicFeatureRecords,  // NOCR
  GeoFeatureRecords,           // NOGR
  CollectionFeatureRecords,    // NOLR
  IsolatedNodeRecords,         // NOIN, RCNM 110
  ConnectedNodeRecords,        // NOCN, RCNM 120
  EdgeRecords,                 // NOED, RCNM 130
  FaceRecords,                 // NOFA, RCNM 140
  kRecordKindCount
};

// The kind of a feature record of object class `objl`.
inline RecordKind featureRecordKind(int objl) {
  if (objl >= 300 && objl < 400) return MetaFeatureRecords;
  if (objl >= 400 && objl < 500) return CollectionFeatureRecords;
  if (objl >= 500 && objl < 600) return CartographicFeatureRecords;
  return GeoFeatureRecords;
}

// The kind of a vector record of record name `rcnm`; kRecordKindCount for
// an RCNM that names no vector record.
inline RecordKind vectorRecordKind(int rcnm) {
  switch (rcnm) {
    case 110: return IsolatedNodeRecords;
    case 120: return ConnectedNodeRecords;
    case 130: return EdgeRecords;
    case 140: return FaceRecords;
    default: return kRecordKindCount;
  }
}

// The DSSI subfield that counts a kind, and the kind in words.
inline const char* recordKindField(int kind) {
  static constexpr std::array<const char*, kRecordKindCount> fields = {"NOMR", "NOCR", "NOGR", "NOLR",
                                                                      "NOIN", "NOCN", "NOED", "NOFA"};
  return kind >= 0 && kind < kRecordKindCount ? fields[static_cast<size_t>(kind)] : "?";
}

inline const char* recordKindName(int kind) {
  static constexpr std::array<const char*, kRecordKindCount> names = {
      "meta feature records",   "cartographic feature records", "geo feature records", "collection feature records",
      "isolated node records", "connected node records",       "edge records",        "face records"};
  return kind >= 0 && kind < kRecordKindCount ? names[static_cast<size_t>(kind)] : "records of no known kind";
}

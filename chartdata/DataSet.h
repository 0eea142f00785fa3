#pragma once
// The data set identification (DSID with its structure information DSSI)
// and parameters (DSPM) of a cell. All values stay 0 or empty when the cell
// lacks the record.
#include <cstdint>
#include <string>

struct DataSetIdentification {
  int RCNM = 0;
  int RCID = 0;
  int EXPP = 0;
  int INTU = 0;
  std::string DSNM;
  std::string EDTN;
  std::string UPDN;
  std::string UADT;
  std::string ISDT;
  std::string STED;
  int PRSP = 0;
  std::string PSDN;
  std::string PRED;
  int PROF = 0;
  int AGEN = 0;
  std::string COMT;
};

// DSSI: the data structure, lexical levels and the number of records of
// each kind the file declares. The numbers are unsigned 32-bit (b14) as the
// file gives them, so a claim near 2^32 stays what it is; nothing is sized
// or walked by them.
struct DataSetStructure {
  bool present = false;  // the file has a DSSI field
  int DSTR = 0;
  int AALL = 0;  // lexical level of ATTF and ATTV: 0 ASCII, 1 Latin-1, 2 UCS-2
  int NALL = 0;  // lexical level of NATF
  uint32_t NOMR = 0;  // meta feature records
  uint32_t NOCR = 0;  // cartographic feature records
  uint32_t NOGR = 0;  // geo feature records
  uint32_t NOLR = 0;  // collection feature records
  uint32_t NOIN = 0;  // isolated nodes
  uint32_t NOCN = 0;  // connected nodes
  uint32_t NOED = 0;  // edges
  uint32_t NOFA = 0;  // faces
};

struct DataSetParameters {
  int RCNM = 0;
  int RCID = 0;
  int HDAT = 0;
  int VDAT = 0;
  int SDAT = 0;
  int CSCL = 0;  // compilation scale
  int DUNI = 0;
  int HUNI = 0;
  int PUNI = 0;
  int COUN = 0;
  int COMF = 0;  // coordinate multiplication factor
  int SOMF = 0;  // sounding multiplication factor
  std::string COMT;
};

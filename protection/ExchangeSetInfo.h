#pragma once
// What an encrypted exchange set says of itself outside the encrypted
// cells: SERIAL.ENC beside ENC_ROOT names the data server, and each
// CATALOG.031 record of a cell or update carries the cell's DSID in its
// comment (CATD-COMT), since the DSID itself is encrypted:
//   VERSION=1.0,EDTN=1,UPDN=0,UADT=20060703,ISDT=20060703;
#include <optional>
#include <string>
#include <string_view>

#include "DataClientClock.h"

struct ExchangeSetSerial {
  std::string dataServer;  // two characters
  std::string week;        // "WK19-07"
  std::string date;        // YYYYMMDD
  std::string type;        // BASE or UPDATE
};

// The first record of SERIAL.ENC; nothing when the file is absent or too
// short to name a data server.
std::optional<ExchangeSetSerial> readSerialFile(const std::string& path);
std::optional<ExchangeSetSerial> parseSerial(std::string_view bytes);

struct CatalogueDsid {
  int edition = -1;                    // EDTN; 0 for a cancellation
  int update = -1;                     // UPDN
  std::optional<CalendarDay> issueDate;   // ISDT
  std::optional<CalendarDay> applicationDate;  // UADT, base cells and re-issues
};

// Reads the subfields it knows, in any order; nothing when the comment
// gives neither EDTN nor UPDN.
std::optional<CatalogueDsid> parseCatalogueDsid(std::string_view comment);

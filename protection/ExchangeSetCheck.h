#pragma once
// Every cell and update of an encrypted exchange set taken through the data
// client's checks, in memory: the scheme administrator's key installed
// (SSE 05, 08, 22 stop everything), each file's signature (SSE 04, 06, 07,
// 09, 24; SSE 26 warned once per exchange set), a permit for the cell
// (SSE 11), the permit's expiry against the file's issue date and the data
// client's date (SSE 15, 20), the decryption with the permit's keys (SSE
// 21), and the CRC the catalogue gives for the decrypted file (SSE 16).
// Nothing is written: each decrypted file is handed to a callback, if one
// is given, and then wiped.
//
// The catalogue is the exchange set's table of contents: the cells and
// updates are the files it lists whose names have a navigational purpose
// 1 to 6 as their third character. The CRCs it gives for other files are
// not checked (data servers' CRCs of signature files often do not match);
// files it lists that are absent are named.
#include <functional>
#include <string>
#include <vector>

#include "DataClientClock.h"
#include "EncFileOpening.h"
#include "SecureBytes.h"
#include "SseCode.h"

struct ExchangeSetFile {
  std::string file;          // path from the catalogue's folder, '/' separators
  std::string cell;          // the cell's name, 8 characters
  int edition = -1;          // from the catalogue's comment (CATD-COMT)
  int update = -1;
  std::string issueDate;     // ISDT, YYYYMMDD
  std::string permitServer;  // the data server of the permit whose key fitted
  std::string authority;     // the key the data server certificate verified with
  std::vector<SseCode> codes;
  bool decrypted = false;    // authenticated, decrypted, and its CRC matches
  std::size_t bytes = 0;     // decrypted size
  std::string reason;        // what stopped it, or what the warnings are about
};

struct ExchangeSetReport {
  std::string catalogue;             // the CATALOG.031 read
  std::string dataServer;            // from SERIAL.ENC; "" when it has none
  std::vector<SseCode> codes;        // codes of the whole set (the administrator's key, SSE 26 once)
  std::string reason;
  std::vector<std::string> missing;  // files the catalogue lists that are absent
  std::vector<ExchangeSetFile> files;  // by cell, edition and update
};

using DecryptedFileHandler = std::function<void(const ExchangeSetFile&, const SecureBytes&)>;

// One report per CATALOG.031 found in `folder` at any depth (folder links
// not followed), in path order. A folder without one gives a single report
// whose reason says so.
std::vector<ExchangeSetReport> checkExchangeSets(const std::string& folder, const InstalledPermits& permits,
                                                 const ExchangeSetKeys& keys, const SecureString& hardwareKey6,
                                                 const DataClientClock& clock,
                                                 const DecryptedFileHandler& onDecrypted = {});

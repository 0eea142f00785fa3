#pragma once
// What the chart store needs of the protection scheme, taken once for an
// import or a load: the permits it holds, the keys it holds to
// authenticate (the scheme administrator's and further keys the user
// accepted), this installation's HW_ID6 and the data client's date. With
// it the store takes the files of encrypted exchange sets through the data
// client's checks when they are offered, and decrypts the files it keeps
// encrypted each time they are read. It changes nothing once made, so one
// object serves every thread that loads.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DataClientClock.h"
#include "EncFileOpening.h"
#include "ManufacturerIdentity.h"
#include "SecureBytes.h"
#include "StoredCell.h"
#include "StoredPermits.h"

struct OfferedFile;

// Who the store decrypts for: the manufacturer's identity (the scheme's
// test manufacturer unless a key file gave another) and the date its
// permits and certificates are judged by.
struct DataClient {
  ManufacturerIdentity identity = testManufacturer();
  DataClientClock clock = DataClientClock::systemClock();
};

class StoreProtection {
public:
  StoreProtection(const std::vector<StoredPermit>& permits, ExchangeSetKeys keys, const DataClient& client);

  // A file of an encrypted exchange set offered to the store (`cell` its
  // cell): authenticated with the signature file beside it, its permit's
  // licence weighed against its issue date, decrypted, and the CRC-32 its
  // catalogue gives checked on the decrypted bytes.
  EncFileOutcome openOffered(const OfferedFile& file, const std::string& cell, std::string_view encrypted,
                             SecureBytes& plain) const;
  // A file the store keeps encrypted, decrypted with the permits held now
  // (SSE 25 when the permit whose keys fit has expired).
  EncFileOutcome openKept(const std::string& cell, const StoredFile& file, std::string_view encrypted,
                          SecureBytes& plain) const;

  const CalendarDay& today() const { return today_; }
  const InstalledPermits& permits() const { return permits_; }

private:
  InstalledPermits permits_;
  ExchangeSetKeys keys_;
  std::unique_ptr<const Blowfish> hardwareCipher_;  // made once: every file decrypted shares it
  CalendarDay today_;
};

#pragma once
// The cell permits a chart store holds: those of every permit file
// installed that their checks did not refuse (expired ones among them),
// kept by cell and data server, so that permits of several data servers
// for one cell stand side by side. They are kept in the store's file
// "permits", sealed as the index is, as the data server sent them: the
// cell keys encrypted for this installation. Nothing decrypted is written.
#include <string>
#include <string_view>
#include <vector>

#include "CellPermit.h"
#include "DataClientClock.h"
#include "PermitCheck.h"

struct StoredPermit {
  CellPermit permit;
  std::string record;     // the record as its permit file gave it
  bool official = true;   // from the :ENC section (false: :ECS)
  std::string installed;  // when, YYYY-MM-DDThh:mm:ssZ
  std::string source;     // the permit file it came from
};

std::string permitsBytes(const std::vector<StoredPermit>& permits);

// Parses the store's permits; false, with the reason in `error`, when the
// file is damaged (cut short, changed, a record that no longer reads).
bool readPermitsBytes(std::string_view bytes, std::vector<StoredPermit>& permits, std::string& error);

// A permit held, as the window lists it: its cell, expiry, data server and
// state on the data client's date.
struct PermitListing {
  std::string cell;
  std::string dataServer;
  CalendarDay expiry;
  PermitState state = PermitState::Valid;  // valid, expiring (30 days or fewer left) or expired
  int serviceLevel = 0;                    // 0 subscription, 1 single purchase
  std::string edition;
  bool official = true;
  std::string installed;
  std::string source;
};

std::vector<PermitListing> listPermits(const std::vector<StoredPermit>& permits, const CalendarDay& today);

#pragma once
// What enctool's commands for encrypted charts share: the manufacturer's
// identity (--manufacturer FILE, else the scheme's test manufacturer), the
// data client's date (--date YYYYMMDD, else the system date) and SSE codes
// as JSON.
#include <string>
#include <vector>

#include "DataClientClock.h"
#include "ManufacturerIdentity.h"
#include "SseCode.h"

// The identity from `file` ("" for the test manufacturer); false with the
// reason printed to standard error.
bool loadManufacturer(const char* command, const std::string& file, ManufacturerIdentity& identity);

// The clock for `--date` ("" for the system date); false with the reason
// printed.
bool makeClock(const char* command, const std::string& date, DataClientClock& clock);

// [15,20]
std::string sseJson(const std::vector<SseCode>& codes);

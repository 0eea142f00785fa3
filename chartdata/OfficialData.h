#pragma once
// Whether a cell is an ENC of an official hydrographic office, from its data
// set identification: data of another producer (producing agency 65535,
// S-57's code for a producer that is not a hydrographic office) or of
// another product than an ENC (product specification other than 1, as
// military overlays are) is marked as such on the chart and wherever the
// cell is named.
#include <string>

#include "ChartModel.h"

// DSID AGEN of a producer that is not an official hydrographic office.
constexpr int kNonOfficialAgency = 65535;
// DSID PRSP of an ENC.
constexpr int kEncProductSpecification = 1;

// Why data is not official ENC data, as bits.
enum NonOfficialCause : unsigned {
  kOfficialData = 0,
  kProducerNotOfficial = 1u << 0,
  kProductNotEnc = 1u << 1,
};

unsigned nonOfficialCauses(int producingAgency, int productSpecification);
unsigned nonOfficialCauses(const S57Cell& cell);
inline bool isOfficialData(const S57Cell& cell) { return nonOfficialCauses(cell) == kOfficialData; }

// The reason in English, empty for official data: "producing agency 65535
// is not an official hydrographic office; product specification 2 is not
// an ENC".
std::string nonOfficialReason(int producingAgency, int productSpecification);
std::string nonOfficialReason(const S57Cell& cell);

#include "ColourToken.h"

#include <array>

namespace {
constexpr std::array<std::string_view, kColourCount> kTokens = {
    "NODTA", "CURSR", "CHBLK", "CHGRD", "CHGRF", "CHRED", "CHGRN", "CHYLW", "CHMGD", "CHMGF",
    "CHBRN", "CHWHT", "SCLBR", "CHCOR", "LITRD", "LITGN", "LITYW", "ISDNG", "DNGHL", "TRFCD",
    "TRFCF", "LANDA", "LANDF", "CSTLN", "SNDG1", "SNDG2", "DEPSC", "DEPCN", "DEPDW", "DEPMD",
    "DEPMS", "DEPVS", "DEPIT", "RADHI", "RADLO", "ARPAT", "NINFO", "RESBL", "ADINF", "RESGR",
    "SHIPS", "PSTRK", "SYTRK", "PLRTE", "APLRT", "UIBCK", "UIBDR", "UIAFD", "UIAFF", "UINFD",
    "UINFF", "UINFR", "UINFG", "UINFO", "UINFB", "UINFM", "OUTLW", "OUTLL", "RES01", "RES02",
    "RES03", "BKAJ1", "BKAJ2", "DEP01", "DEP02", "DEP03", "DEP04"};

int findToken(std::string_view token) {
  for (int i = 0; i < kColourCount; ++i)
    if (kTokens[i] == token) return i;
  return -1;
}
}  // namespace

int colourIndex(std::string_view token) {
  const int i = findToken(token);
  return i < 0 ? 0 : i;
}

int procedureColourIndex(std::string_view token) {
  const int i = findToken(token);
  return i < 0 ? kColourCount - 1 : i;
}

std::string_view colourToken(int index) {
  if (index < 0 || index >= kColourCount) return {};
  return kTokens[index];
}

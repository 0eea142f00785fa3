#include "OfficialData.h"

unsigned nonOfficialCauses(int producingAgency, int productSpecification) {
  unsigned causes = kOfficialData;
  if (producingAgency == kNonOfficialAgency) causes |= kProducerNotOfficial;
  if (productSpecification != kEncProductSpecification) causes |= kProductNotEnc;
  return causes;
}

unsigned nonOfficialCauses(const S57Cell& cell) {
  return nonOfficialCauses(cell.producingAgency, cell.productSpecification);
}

std::string nonOfficialReason(int producingAgency, int productSpecification) {
  const unsigned causes = nonOfficialCauses(producingAgency, productSpecification);
  std::string reason;
  if (causes & kProducerNotOfficial)
    reason = "producing agency " + std::to_string(producingAgency) + " is not an official hydrographic office";
  if (causes & kProductNotEnc) {
    if (!reason.empty()) reason += "; ";
    reason += productSpecification == 0 ? std::string("no product specification: not an ENC")
                                        : "product specification " + std::to_string(productSpecification) +
                                              " is not an ENC";
  }
  return reason;
}

std::string nonOfficialReason(const S57Cell& cell) {
  return nonOfficialReason(cell.producingAgency, cell.productSpecification);
}

#include "TextPreparation.h"

#include "TextProcedures.h"

namespace {
bool startsWithMultiByte(const std::string& value) {
  return !value.empty() && (static_cast<unsigned char>(value[0]) & 0x80) != 0;
}
}  // namespace

bool prepareText(const ChartFeature& feature, Instruction& instruction) {
  if (PlainText* tx = instruction.find<PlainText>()) {
    if (tx->prepared) return true;
    std::string value = feature.findAttribute(tx->attribute);
    if (tx->attribute == "NATSUR") seabedWords(value);
    tx->nationalText = feature.findAttribute("NOBJNM");
    tx->text = startsWithMultiByte(value) ? tx->nationalText : std::move(value);
    tx->prepared = true;
    return true;
  }
  if (FormattedText* te = instruction.find<FormattedText>()) {
    if (te->prepared) return true;
    if (!formatText(feature, *te)) return false;
    te->prepared = true;
    return true;
  }
  return false;
}

bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated) {
  PlainText* tx = instruction.find<PlainText>();
  if (!tx || tx->prepared) return prepareText(point, instruction);
  std::string value = point.findAttribute(tx->attribute);
  if (value.empty()) return false;
  if (tx->attribute == "NATSUR") seabedWords(value);
  if (generated)
    tx->nationalText = point.findAttribute("NOBJNM");
  else if (startsWithMultiByte(value))
    value.clear();
  tx->text = std::move(value);
  tx->prepared = true;
  return true;
}

void prepareLookupTexts(ChartFeature& feature) {
  for (LookupResult* result : {&feature.firstLookup, &feature.secondLookup}) {
    for (Instruction& instruction : result->instructions) {
      if (!instruction.text()) continue;
      if (feature.kind == FeatureKind::Point)
        preparePointText(feature, instruction, false);
      else
        prepareText(feature, instruction);
    }
  }
}

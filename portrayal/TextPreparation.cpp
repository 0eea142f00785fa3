#include "TextPreparation.h"

#include "TextProcedures.h"

bool prepareText(const ChartFeature& feature, Instruction& instruction) {
  if (instruction.textPrepared) return true;
  if (instruction.kind == kTX) {
    std::string value = feature.findAttribute(instruction.text2);
    if (instruction.text2 == "NATSUR") seabedWords(value);
    instruction.text3 = feature.findAttribute("NOBJNM");
    const bool multiByte = !value.empty() && (static_cast<unsigned char>(value[0]) & 0x80) != 0;
    instruction.text2 = multiByte ? instruction.text3 : std::move(value);
  } else if (instruction.kind == kTE) {
    if (!formatText(feature, instruction)) return false;
  } else {
    return false;
  }
  instruction.textPrepared = true;
  return true;
}

bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated) {
  if (instruction.textPrepared || instruction.kind != kTX) return prepareText(point, instruction);
  std::string value = point.findAttribute(instruction.text2);
  if (value.empty()) return false;
  if (instruction.text2 == "NATSUR") seabedWords(value);
  if (generated)
    instruction.text3 = point.findAttribute("NOBJNM");
  else if ((static_cast<unsigned char>(value[0]) & 0x80) != 0)
    value.clear();
  instruction.text2 = std::move(value);
  instruction.textPrepared = true;
  return true;
}

void prepareLookupTexts(ChartFeature& feature) {
  for (LookupResult* result : {&feature.firstLookup, &feature.secondLookup}) {
    for (Instruction& instruction : result->instructions) {
      if (instruction.kind != kTX && instruction.kind != kTE) continue;
      if (feature.kind == FeatureKind::Point)
        preparePointText(feature, instruction, false);
      else
        prepareText(feature, instruction);
    }
  }
}

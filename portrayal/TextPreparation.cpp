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

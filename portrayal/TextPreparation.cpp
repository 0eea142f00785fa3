#include "TextPreparation.h"

#include "PresentationLibrary.h"
#include "TextProcedures.h"

namespace {
bool startsMultiByte(const std::string& value) {
  return !value.empty() && (static_cast<unsigned char>(value[0]) & 0x80) != 0;
}
}  // namespace

bool prepareText(const ChartFeature& feature, Instruction& instruction, const ChineseNames& names) {
  if (instruction.textPrepared) return true;
  if (instruction.kind == kTX) {
    const std::string& value = feature.findAttribute(instruction.text2);
    std::string english = value;
    if (instruction.text2 == "NATSUR") seabedWords(english);
    instruction.text3 = nationalValue(feature, instruction.text2, value, names);
    instruction.text2 = startsMultiByte(value) ? instruction.text3 : std::move(english);
  } else if (instruction.kind == kTE) {
    if (!formatText(feature, instruction, names)) return false;
  } else {
    return false;
  }
  instruction.textPrepared = true;
  return true;
}

bool prepareText(const ChartFeature& feature, Instruction& instruction) {
  return prepareText(feature, instruction, presentationLibrary().chineseNames);
}

bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated,
                      const ChineseNames& names) {
  if (instruction.textPrepared || instruction.kind != kTX) return prepareText(point, instruction, names);
  const std::string& value = point.findAttribute(instruction.text2);
  if (value.empty()) return false;
  std::string english = value;
  if (instruction.text2 == "NATSUR") seabedWords(english);
  std::string national = nationalValue(point, instruction.text2, value, names);
  if (generated || !national.empty()) instruction.text3 = std::move(national);
  if (!generated && startsMultiByte(value)) english.clear();
  instruction.text2 = std::move(english);
  instruction.textPrepared = true;
  return true;
}

bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated) {
  return preparePointText(point, instruction, generated, presentationLibrary().chineseNames);
}

void prepareLookupTexts(ChartFeature& feature) {
  const ChineseNames& names = presentationLibrary().chineseNames;
  for (LookupResult* result : {&feature.firstLookup, &feature.secondLookup}) {
    for (Instruction& instruction : result->instructions) {
      if (instruction.kind != kTX && instruction.kind != kTE) continue;
      if (feature.kind == FeatureKind::Point)
        preparePointText(feature, instruction, false, names);
      else
        prepareText(feature, instruction, names);
    }
  }
}

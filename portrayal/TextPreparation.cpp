#include "TextPreparation.h"

#include "TextProcedures.h"

namespace {
bool startsWithMultiByte(const std::string& value) {
  return !value.empty() && (static_cast<unsigned char>(value[0]) & 0x80) != 0;
}
}  // namespace

bool prepareText(const ChartFeature& feature, Instruction& instruction, const ChineseNames& names) {
  if (PlainText* tx = instruction.find<PlainText>()) {
    if (tx->prepared) return true;
    const std::string& value = feature.findAttribute(tx->attribute);
    std::string english = value;
    if (tx->attribute == "NATSUR") seabedWords(english);
    tx->nationalText = nationalValue(feature, tx->attribute, value, names);
    tx->text = startsWithMultiByte(value) ? tx->nationalText : std::move(english);
    tx->prepared = true;
    return true;
  }
  if (FormattedText* te = instruction.find<FormattedText>()) {
    if (te->prepared) return true;
    if (!formatText(feature, *te, names)) return false;
    te->prepared = true;
    return true;
  }
  return false;
}

bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated,
                      const ChineseNames& names) {
  PlainText* tx = instruction.find<PlainText>();
  if (!tx || tx->prepared) return prepareText(point, instruction, names);
  const std::string& value = point.findAttribute(tx->attribute);
  if (value.empty()) return false;
  std::string english = value;
  if (tx->attribute == "NATSUR") seabedWords(english);
  std::string national = nationalValue(point, tx->attribute, value, names);
  if (generated || !national.empty()) tx->nationalText = std::move(national);
  if (!generated && startsWithMultiByte(value)) english.clear();
  tx->text = std::move(english);
  tx->prepared = true;
  return true;
}

void prepareLookupTexts(ChartFeature& feature, const ChineseNames& names) {
  for (LookupResult* result : {&feature.firstLookup, &feature.secondLookup}) {
    for (Instruction& instruction : result->instructions) {
      if (!instruction.text()) continue;
      if (feature.kind == FeatureKind::Point)
        preparePointText(feature, instruction, false, names);
      else
        prepareText(feature, instruction, names);
    }
  }
}

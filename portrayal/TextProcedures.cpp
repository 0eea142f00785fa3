#include "TextProcedures.h"

#include <cstdio>
#include <cstdlib>

#include "EnumeratedCode.h"

namespace {
constexpr int kNatsurCode = 113;  // S-57 attribute code of NATSUR

struct SeabedCode {
  std::string_view code, word, listText;
};
constexpr SeabedCode kSeabedCodes[] = {
    {"1", "mud", ",mud"},         {"2", "clay", ",clay"},     {"3", "silt", ",silt"},
    {"4", "sand", ",sand"},       {"5", "stones", " stones"}, {"6", "gravel", ",gravel"},
    {"7", "pebbles", ",pebbles"}, {"8", "cobbles", ",cobbles"}, {"9", "rock", ",rock"},
    {"11", "lava", ",lava"},      {"14", "coral", ",coral"},  {"17", "shells", ",shells"},
    {"18", "boulder", ",boulder"},
};

const SeabedCode* findSeabedCode(std::string_view code) {
  for (const SeabedCode& c : kSeabedCodes)
    if (c.code == code) return &c;
  return nullptr;
}


// A C conversion for one floating number: "%", flags, width and precision,
// then "f". Anything else in a library format must not reach snprintf.
bool isFloatConversion(std::string_view conversion) {
  if (conversion.size() < 2 || conversion.front() != '%' || conversion.back() != 'f') return false;
  for (char c : conversion.substr(1, conversion.size() - 2))
    if (!(c >= '0' && c <= '9') && c != '.' && c != '-' && c != '+' && c != ' ' && c != '#') return false;
  return conversion.size() < 16;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A text format cut at its conversion: "clr %4.1lf m" is "clr ", "%4.1lf"
// and " m". The conversion runs from "%" over flags, width, precision and
// a length "l" to its letter.
struct TextFormat {
  std::string_view prefix, conversion, suffix;
};

TextFormat cutFormat(std::string_view format) {
  const std::size_t percent = format.find('%');
  if (percent == std::string_view::npos) return {format, {}, {}};
  std::size_t end = percent + 1;
  while (end < format.size() && (std::string_view("0123456789.-+#l").find(format[end]) != std::string_view::npos))
    ++end;
  if (end < format.size() && isLetter(format[end])) ++end;
  return {format.substr(0, percent), format.substr(percent, end - percent), format.substr(end)};
}

// The text of `format` with `value`: "%s" the prefix and the value, "%d"
// the value between prefix and suffix, a floating conversion the value
// read as a number ("%4.1lf" prints as "%4.1f" does).
std::string formatValue(std::string_view format, const std::string& value) {
  const TextFormat f = cutFormat(format);
  const std::string prefix(f.prefix), suffix(f.suffix);
  if (f.conversion == "%s") return prefix + value;
  if (f.conversion == "%d") return prefix + value + suffix;
  std::string numberFormat(f.conversion);
  if (numberFormat.size() >= 3 && numberFormat.compare(numberFormat.size() - 2, 2, "lf") == 0)
    numberFormat.erase(numberFormat.size() - 2, 1);
  std::string number = value;
  if (isFloatConversion(numberFormat)) {
    char buffer[64];
    const float n = static_cast<float>(std::atof(value.c_str()));
    std::snprintf(buffer, sizeof buffer, numberFormat.c_str(), static_cast<double>(n));
    number = buffer;
  }
  return prefix + number + suffix;
}
}  // namespace

void seabedWords(std::string& value) {
  if (value.find(',') == std::string::npos) {
    if (const SeabedCode* c = findSeabedCode(value)) value = std::string(c->word);
    return;
  }
  std::string words;
  std::string_view rest(value);
  for (;;) {
    const std::size_t comma = rest.find(',');
    if (const SeabedCode* c = findSeabedCode(rest.substr(0, comma))) words += c->listText;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (!words.empty()) words.erase(0, 1);
  value = std::move(words);
}

std::string chineseSeabedWords(std::string_view value, const ChineseNames& names) {
  std::string words;
  for (;;) {
    const std::size_t comma = value.find(',');
    if (const std::string* word = names.valueName(kNatsurCode, enumeratedCode(value.substr(0, comma)))) words += *word;
    if (comma == std::string_view::npos) return words;
    value.remove_prefix(comma + 1);
  }
}

std::string nationalValue(const ChartFeature& feature, std::string_view acronym, std::string_view value,
                          const ChineseNames& names) {
  if (acronym == "OBJNAM") return feature.findAttribute("NOBJNM");
  if (acronym == "INFORM") return feature.findAttribute("NINFOM");
  if (acronym == "NATSUR") return chineseSeabedWords(value, names);
  return {};
}

bool formatText(const ChartFeature& feature, FormattedText& text, const ChineseNames& names) {
  const std::string& format = text.format;
  const std::string& value = feature.findAttribute(text.attribute);
  if (value.empty()) return false;
  std::string english = value;
  if (text.attribute == "NATSUR") seabedWords(english);
  const std::string national = nationalValue(feature, text.attribute, value, names);

  if (const std::string* chinese = names.text(format))
    text.nationalText = formatValue(*chinese, national.empty() ? english : national);
  else if (!national.empty() && cutFormat(format).conversion == "%s")
    text.nationalText = std::string(cutFormat(format).prefix) + national;
  text.text = formatValue(format, english);
  return true;
}

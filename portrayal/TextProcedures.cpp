#include "TextProcedures.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {
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

bool formatText(const ChartFeature& feature, FormattedText& text) {
  const std::string& format = text.format;
  const std::size_t percent = format.find('%');
  const std::string prefix = format.substr(0, percent);
  std::string conversion, suffix;
  if (percent != std::string::npos) {
    const std::size_t blank = format.find(' ', percent);
    conversion = format.substr(percent, blank == std::string::npos ? std::string::npos : blank - percent);
    if (blank != std::string::npos) suffix = format.substr(blank);
  }

  std::string value = feature.findAttribute(text.attribute);
  if (value.empty()) return false;
  if (text.attribute == "NATSUR") seabedWords(value);

  if (conversion == "%s") {
    text.text = prefix + value;
    const std::string& national = feature.findAttribute("NOBJNM");
    if (!national.empty()) text.nationalText = prefix + national;
  } else if (conversion == "%d") {
    text.text = prefix + value + suffix;
  } else {
    // "%4.1lf" prints the value as "%4.1f" does.
    const std::string numberFormat =
        conversion.size() >= 2 ? conversion.substr(0, conversion.size() - 2) + "f" : std::string();
    std::string number = value;
    if (isFloatConversion(numberFormat)) {
      char buffer[64];
      const float f = static_cast<float>(std::atof(value.c_str()));
      std::snprintf(buffer, sizeof buffer, numberFormat.c_str(), static_cast<double>(f));
      number = buffer;
    }
    text.text = prefix + number + suffix;
  }
  return true;
}

#include "KeyText.h"

#include <cctype>

#include "HexDigits.h"

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool equalFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

bool headerIs(const KeyTextElement& element, std::string_view header) { return equalFolded(element.header, header); }

KeyText readKeyText(std::string_view text, size_t maxElements) {
  KeyText result;
  size_t at = 0;
  while (true) {
    while (at < text.size() && isSpace(text[at])) ++at;
    if (at == text.size()) {
      result.complete = true;
      return result;
    }
    if (result.elements.size() == maxElements) {
      result.fault = "more than " + std::to_string(maxElements) + " elements";
      return result;
    }
    if (text.substr(at, 2) != "//") {
      result.fault = "an element does not begin with a \"//\" header line";
      return result;
    }
    KeyTextElement element;
    element.start = at;
    size_t lineEnd = at + 2;
    while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n') ++lineEnd;
    std::string_view header = text.substr(at + 2, lineEnd - at - 2);
    while (!header.empty() && isSpace(header.front())) header.remove_prefix(1);
    while (!header.empty() && isSpace(header.back())) header.remove_suffix(1);
    element.header.assign(header);
    at = lineEnd;
    while (true) {
      if (at == text.size()) {
        result.fault = "the data string after \"" + element.header + "\" has no closing full stop";
        return result;
      }
      const char c = text[at++];
      if (c == '.') break;
      if (isHexDigit(c)) {
        element.digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      } else if (!isSpace(c)) {
        result.fault = "the data string after \"" + element.header + "\" holds a character that is no hex digit";
        return result;
      }
    }
    result.elements.push_back(std::move(element));
  }
}

std::string readPublicKey(const KeyText& text, size_t first, DsaPublicKey& key) {
  static const char* const kNames[4] = {"BIG p", "BIG q", "BIG g", "BIG y"};
  static const size_t kDigits[4] = {kKeyDigits, kSubgroupDigits, kKeyDigits, kKeyDigits};
  std::string* parts[4] = {&key.p, &key.q, &key.g, &key.y};
  for (size_t i = 0; i < 4; ++i) {
    if (first + i >= text.elements.size()) return std::string("the element \"") + kNames[i] + "\" is missing";
    const KeyTextElement& element = text.elements[first + i];
    if (!headerIs(element, kNames[i]))
      return "\"" + element.header + "\" stands where \"" + kNames[i] + "\" belongs";
    if (element.digits.size() != kDigits[i])
      return std::string("\"") + kNames[i] + "\" has " + std::to_string(element.digits.size()) + " digits, not " +
             std::to_string(kDigits[i]);
    *parts[i] = element.digits;
  }
  return {};
}

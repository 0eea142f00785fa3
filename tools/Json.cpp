#include "Json.h"

#include <cmath>
#include <cstdio>

std::string jsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      // Copy a well-formed UTF-8 sequence whole; escape a stray byte as its code point.
      size_t len = (c >= 0xF0 && c < 0xF5) ? 4 : (c >= 0xE0) ? 3 : (c >= 0xC2 && c < 0xE0) ? 2 : 0;
      if (c >= 0xF5) len = 0;
      bool ok = len > 0 && i + len <= text.size();
      for (size_t k = 1; ok && k < len; ++k)
        ok = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
      if (ok) {
        out.append(text.substr(i, len));
        i += len - 1;
      } else {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      }
    }
  }
  out += '"';
  return out;
}

void JsonLine::key(std::string_view k) {
  if (body_.size() > 1) body_ += ',';
  body_ += jsonString(k);
  body_ += ':';
}

JsonLine& JsonLine::add(std::string_view k, std::string_view value) {
  key(k);
  body_ += jsonString(value);
  return *this;
}

JsonLine& JsonLine::add(std::string_view k, long long value) {
  key(k);
  body_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::add(std::string_view k, double value) {
  key(k);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", value);
  body_ += buf;
  return *this;
}

JsonLine& JsonLine::addFixed(std::string_view k, double value, int decimals) {
  key(k);
  if (!std::isfinite(value)) {
    body_ += "null";
    return *this;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  body_ += buf;
  return *this;
}

JsonLine& JsonLine::add(std::string_view k, bool value) {
  key(k);
  body_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::addRaw(std::string_view k, std::string_view json) {
  key(k);
  body_ += json;
  return *this;
}

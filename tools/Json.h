#pragma once
// Small helpers for the one-line JSON objects that enctool prints.
#include <string>
#include <string_view>

// A JSON string literal (quotes included) for UTF-8 text; control bytes and
// bytes that are not valid UTF-8 are escaped so the line always parses.
std::string jsonString(std::string_view text);

// Builds one JSON object field by field: JsonLine().add("file", f).add("code", 0).str()
class JsonLine {
public:
  JsonLine& add(std::string_view key, std::string_view value);
  JsonLine& add(std::string_view key, const char* value) { return add(key, std::string_view(value)); }
  JsonLine& add(std::string_view key, long long value);
  JsonLine& add(std::string_view key, int value) { return add(key, static_cast<long long>(value)); }
  JsonLine& add(std::string_view key, double value);
  JsonLine& add(std::string_view key, bool value);
  // A number with `decimals` digits after the point (null when not finite).
  JsonLine& addFixed(std::string_view key, double value, int decimals);
  // A value that is already JSON (an object or an array).
  JsonLine& addRaw(std::string_view key, std::string_view json);
  std::string str() const { return body_ + "}"; }

private:
  void key(std::string_view k);
  std::string body_ = "{";
};

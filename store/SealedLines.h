#pragma once
// The store's own files of records (the index, the permits): one JSON
// object per line, written with `Line`, and an end line that gives the
// number of records and the CRC-32 of everything before it, so that a file
// cut short or changed is told from a whole one.
#include <string>
#include <string_view>

// One JSON object, member by member: Line().text("cell", name).number("edition", 3).str()
class Line {
public:
  Line& key(const char* k);
  Line& text(const char* k, std::string_view v);  // bytes that are not UTF-8 are taken as Latin-1
  Line& number(const char* k, long long v);
  Line& raw(const char* k, const std::string& json);
  std::string str() const { return out_ + "}"; }

private:
  std::string out_ = "{";
};

// `body`, lines each ending in '\n', with the end line after it.
std::string sealLines(std::string body, long long records);

// Checks the end line of `bytes`: false, with the reason in `error`, when
// the file is cut short or changed. `bodyEnd` is where the body ends (the
// end line begins), `records` what the end line declares.
bool unsealLines(std::string_view bytes, size_t& bodyEnd, long long& records, std::string& error);

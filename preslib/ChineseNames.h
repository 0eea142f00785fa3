#pragma once
// The Chinese names the chart and the object panel use under 中文显示: of
// object classes and attributes by their S-57 codes, of enumerated and list
// attribute values, and the Chinese wording of English chart texts (a text
// format such as "clr %4.1lf", a unit such as "m", a word such as
// "unknown"). Read from the optional library file S57ChineseNames; empty
// without it, and then everything shows in English.
#include <functional>
#include <map>
#include <string>
#include <string_view>

struct ChineseNames {
  std::map<int, std::string> classes;                // by object class code (OBJL)
  std::map<int, std::string> attributes;             // by attribute code
  std::map<int, std::map<int, std::string>> values;  // by attribute code, then value code
  std::map<std::string, std::string, std::less<>> texts;  // English text -> Chinese

  bool empty() const { return classes.empty() && attributes.empty() && values.empty() && texts.empty(); }

  // Null where the table has no Chinese for it.
  const std::string* className(int code) const { return find(classes, code); }
  const std::string* attributeName(int code) const { return find(attributes, code); }
  const std::string* valueName(int attribute, int value) const {
    const auto found = values.find(attribute);
    return found == values.end() ? nullptr : find(found->second, value);
  }
  const std::string* text(std::string_view english) const {
    const auto found = texts.find(english);
    return found == texts.end() ? nullptr : &found->second;
  }

private:
  static const std::string* find(const std::map<int, std::string>& map, int code) {
    const auto found = map.find(code);
    return found == map.end() ? nullptr : &found->second;
  }
};

// The table of a library without Chinese names.
inline const ChineseNames& noChineseNames() {
  static const ChineseNames none;
  return none;
}

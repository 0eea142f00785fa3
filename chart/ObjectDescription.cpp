#include "ObjectDescription.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "EnumeratedCode.h"
#include "OfficialData.h"

namespace {
struct Unit {
  const char* acronym;
  const char* unit;
};

// The units of the S-57 attribute catalogue. Depths and heights are in
// metres, as ENC cells give them.
constexpr Unit kUnits[] = {
    {"BURDEP", "m"}, {"DRVAL1", "m"}, {"DRVAL2", "m"}, {"ELEVAT", "m"}, {"HEIGHT", "m"}, {"HORACC", "m"},
    {"HORCLR", "m"}, {"HORLEN", "m"}, {"HORWID", "m"}, {"POSACC", "m"}, {"SOUACC", "m"}, {"VALDCO", "m"},
    {"VALSOU", "m"}, {"VERACC", "m"}, {"VERCCL", "m"}, {"VERCLR", "m"}, {"VERCOP", "m"}, {"VERCSA", "m"},
    {"VERLEN", "m"}, {"ESTRNG", "nmi"}, {"VALMXR", "nmi"}, {"VALNMR", "nmi"}, {"ORIENT", "°"},
    {"SECTR1", "°"}, {"SECTR2", "°"}, {"VALMAG", "°"}, {"SIGPER", "s"}, {"CURVEL", "kn"},
};

// Attributes whose value is the denominator of a scale.
bool isScale(std::string_view acronym) { return acronym == "SCAMIN" || acronym == "SCAMAX" || acronym == "CSCALE"; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}


const AttributeRecord* findAttribute(const PresentationLibrary& library, std::string_view acronym) {
  for (const auto& [code, record] : library.attributeCatalogue)
    if (record.acronym == acronym) return &record;
  return nullptr;
}

std::string decodeList(const std::map<int, std::string>& meanings, std::string_view value) {
  std::string text;
  while (true) {
    const std::size_t comma = value.find(',');
    const std::string_view item = trimmed(value.substr(0, comma));
    const auto found = meanings.find(enumeratedCode(item));
    if (!text.empty()) text += ", ";
    text += found != meanings.end() ? std::string_view(found->second) : item;
    if (comma == std::string_view::npos) return text;
    value.remove_prefix(comma + 1);
  }
}

// The Chinese form: each code by its Chinese meaning, else its English
// one, else as it stands, joined with the Chinese enumeration comma; the
// codes follow in brackets. Empty when no code has a meaning.
std::string decodeChineseList(const ChineseNames& names, int attribute, const std::map<int, std::string>* meanings,
                              std::string_view value) {
  std::string text;
  bool decoded = false;
  for (std::string_view rest = value;;) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = trimmed(rest.substr(0, comma));
    const int code = enumeratedCode(item);
    const std::string* chinese = names.valueName(attribute, code);
    const std::string* english = nullptr;
    if (!chinese && meanings) {
      const auto found = meanings->find(code);
      if (found != meanings->end()) english = &found->second;
    }
    decoded = decoded || chinese || english;
    if (!text.empty()) text += "、";
    text += chinese ? std::string_view(*chinese) : english ? std::string_view(*english) : item;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return decoded ? text + " (" + std::string(value) + ")" : std::string();
}

// A word of the description in the language chosen: the English word, or
// its Chinese from the table where it has one.
std::string word(const ChineseNames& names, NameLanguage language, std::string_view english) {
  if (language == NameLanguage::Chinese)
    if (const std::string* chinese = names.text(english)) return *chinese;
  return std::string(english);
}

std::string kindName(FeatureKind kind) {
  switch (kind) {
    case FeatureKind::Point: return "point";
    case FeatureKind::Sounding: return "sounding";
    case FeatureKind::Line: return "line";
    case FeatureKind::Area: return "area";
  }
  return "";
}

// The south-west and north-east corners of the vertices' box.
void setExtent(const std::vector<ChartVertex>& vertices, ObjectDescription& d) {
  if (vertices.empty()) return;
  ChartBox box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
               std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
  for (const ChartVertex& v : vertices) {
    box.minX = std::min(box.minX, v.point.x);
    box.minY = std::min(box.minY, v.point.y);
    box.maxX = std::max(box.maxX, v.point.x);
    box.maxY = std::max(box.maxY, v.point.y);
  }
  d.southWest = chartToGeo(ChartPoint{box.minX, box.minY});
  d.northEast = chartToGeo(ChartPoint{box.maxX, box.maxY});
}
}  // namespace

std::string_view attributeUnit(std::string_view acronym) {
  for (const Unit& u : kUnits)
    if (acronym == u.acronym) return u.unit;
  return {};
}

std::string attributeValueText(const PresentationLibrary& library, std::string_view acronym, std::string_view value,
                               NameLanguage language) {
  const ChineseNames& names = library.chineseNames;
  if (trimmed(value).empty()) return word(names, language, "unknown");
  if (const AttributeRecord* record = findAttribute(library, acronym)) {
    const int code = enumeratedCode(record->codeText);
    const auto meanings = library.attributeValues.find(code);
    const bool known = meanings != library.attributeValues.end();
    if (language == NameLanguage::Chinese && (known || names.values.count(code) != 0)) {
      std::string text = decodeChineseList(names, code, known ? &meanings->second : nullptr, value);
      if (!text.empty()) return text;
    }
    if (known) return decodeList(meanings->second, value);
  }
  if (isScale(acronym)) return "1:" + std::string(value);
  const std::string_view unit = attributeUnit(acronym);
  if (unit.empty()) return std::string(value);
  return std::string(value) + (unit == "°" ? "" : " ") + word(names, language, unit);
}

ObjectDescription describeObject(const PickedObject& object, const PresentationLibrary& library,
                                 NameLanguage language) {
  ObjectDescription d;
  const ChartFeature& feature = *object.feature;
  const ChineseNames& names = library.chineseNames;
  const bool chinese = language == NameLanguage::Chinese;
  const auto known = library.objectClassCatalogue.find(feature.objectClass);
  if (known != library.objectClassCatalogue.end()) {
    const std::string* chineseName = chinese ? names.className(feature.objectClass) : nullptr;
    d.className = chineseName ? *chineseName : known->second.name;
    d.acronym = known->second.acronym;
    d.title = d.className + " (" + d.acronym + ")";
  } else {
    d.className = word(names, language, "unknown object");
    d.title = d.className + " (OBJL " + std::to_string(feature.objectClass) + ")";
  }
  d.kind = kindName(feature.kind);
  if (object.cell) {
    d.cell = object.cell->name;
    d.nonOfficialReason = nonOfficialReason(*object.cell);
  }

  switch (feature.kind) {
    case FeatureKind::Point: d.position = chartToGeo(static_cast<const PointFeature&>(feature).position.point); break;
    case FeatureKind::Sounding: {
      const auto& soundings = static_cast<const SoundingFeature&>(feature).soundings;
      if (object.sounding < soundings.size()) {
        const Sounding& s = soundings[object.sounding];
        d.position = chartToGeo(ChartPoint{s.x, s.y});
        d.depth = s.depth;
      }
      break;
    }
    case FeatureKind::Line: setExtent(static_cast<const LineFeature&>(feature).vertices, d); break;
    case FeatureKind::Area: setExtent(static_cast<const AreaFeature&>(feature).exteriorVertices, d); break;
  }

  for (const FeatureAttribute& a : feature.attributes) {
    const AttributeRecord* record = findAttribute(library, a.acronym);
    const std::string* chineseName = record && chinese ? names.attributeName(enumeratedCode(record->codeText)) : nullptr;
    d.attributes.push_back(AttributeText{a.acronym,
                                         chineseName ? *chineseName : record ? record->name : a.acronym,
                                         attributeValueText(library, a.acronym, a.value, language), a.value});
  }
  return d;
}

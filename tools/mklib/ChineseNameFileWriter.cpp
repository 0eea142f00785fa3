#include "ChineseNameFileWriter.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "ChineseNameReader.h"
#include "InputExcerpt.h"
#include "LibraryFiles.h"

namespace {
bool readCode(const std::string& text, int& code) {
  if (text.empty() || text.size() > 9) return false;
  code = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    code = code * 10 + (c - '0');
  }
  return true;
}

// Code -> acronym of a catalogue table; rows whose code is no number (the
// tables' comment rows) are left out.
std::map<int, std::string> acronymsByCode(const CsvTable& table) {
  std::map<int, std::string> out;
  const int codeColumn = table.column("Code"), acronymColumn = table.column("Acronym");
  if (codeColumn < 0 || acronymColumn < 0) return out;
  for (const std::vector<std::string>& fields : table.rows) {
    int code = 0;
    if (static_cast<std::size_t>(std::max(codeColumn, acronymColumn)) < fields.size() &&
        readCode(fields[codeColumn], code))
      out[code] = fields[acronymColumn];
  }
  return out;
}

bool usable(const std::string& text) { return !text.empty() && text.find('\t') == std::string::npos && isPrintableUtf8(text); }
}  // namespace

void writeChineseNameFile(const CsvTable& table, const CsvTable& objectClasses, const CsvTable& attributes,
                          LibraryTextFile& file, int& names) {
  names = 0;
  const int kindColumn = table.column("kind"), codeColumn = table.column("code"), nameColumn = table.column("name"),
            chineseColumn = table.column("chinese");
  for (const auto& [column, header] : {std::pair{kindColumn, "kind"}, {codeColumn, "code"}, {nameColumn, "name"},
                                       {chineseColumn, "chinese"}}) {
    if (column < 0) {
      file.setError(std::string("no column \"") + header + "\" in the header row");
      return;
    }
  }
  const std::map<int, std::string> classAcronyms = acronymsByCode(objectClasses);
  const std::map<int, std::string> attributeAcronyms = acronymsByCode(attributes);
  const std::size_t needed = static_cast<std::size_t>(std::max({kindColumn, codeColumn, nameColumn, chineseColumn}));

  std::map<std::string, int> seen;  // "kind code name" -> line
  std::vector<std::string> lines;
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    const std::vector<std::string>& fields = table.rows[row];
    const int sourceLine = table.rowLines[row];
    const std::string where = "line " + std::to_string(sourceLine);
    if (needed >= fields.size()) {
      file.setError(where + ": too few fields");
      return;
    }
    const std::string& kind = fields[kindColumn];
    const std::string& codeText = fields[codeColumn];
    const std::string& name = fields[nameColumn];
    const std::string& chinese = fields[chineseColumn];
    if (!usable(chinese)) {
      file.setError(where + ": the Chinese \"" + inputExcerpt(chinese) + "\" is empty or not printable UTF-8");
      return;
    }
    int code = 0, value = 0;
    std::string line;
    if (kind == "class" || kind == "attribute") {
      const std::map<int, std::string>& acronyms = kind == "class" ? classAcronyms : attributeAcronyms;
      if (!readCode(codeText, code)) {
        file.setError(where + ": the code \"" + inputExcerpt(codeText) + "\" is not a number");
        return;
      }
      const auto known = acronyms.find(code);
      if (known == acronyms.end() || known->second != name) {
        file.setError(where + ": the catalogue has no " + kind + " " + inputExcerpt(name) + " of code " + codeText +
                      (known == acronyms.end() ? std::string() : " (code " + codeText + " is " + known->second + ")"));
        return;
      }
      line = kind + "\t" + std::to_string(code) + "\t" + chinese;
    } else if (kind == "value") {
      if (!readCode(codeText, code) || !readCode(name, value)) {
        file.setError(where + ": the codes \"" + inputExcerpt(codeText) + "\", \"" + inputExcerpt(name) +
                      "\" are not numbers");
        return;
      }
      if (attributeAcronyms.count(code) == 0) {
        file.setError(where + ": the catalogue has no attribute of code " + codeText);
        return;
      }
      line = "value\t" + std::to_string(code) + "\t" + std::to_string(value) + "\t" + chinese;
    } else if (kind == "text") {
      if (!usable(name)) {
        file.setError(where + ": the English text \"" + inputExcerpt(name) + "\" is empty or not printable");
        return;
      }
      line = "text\t" + name + "\t" + chinese;
    } else {
      file.setError(where + ": unknown kind \"" + inputExcerpt(kind) + "\" (class, attribute, value or text)");
      return;
    }
    const std::string key = line.substr(0, line.rfind('\t'));
    const auto [previous, fresh] = seen.emplace(key, sourceLine);
    if (!fresh) {
      file.setError(where + ": " + kind + " " + (codeText.empty() ? name : codeText + " " + name) +
                    " has a Chinese name already (line " + std::to_string(previous->second) + ")");
      return;
    }
    lines.push_back(std::move(line));
  }
  file.line("BEGIN");
  file.line("Chinese names from ChineseNames.csv");
  for (const std::string& line : lines) file.line(line);
  file.line("END");
  names = static_cast<int>(lines.size());
}

bool buildChineseNameFile(const std::string& csvPath, const std::string& objectClassesPath,
                          const std::string& attributesPath, std::string& text, int& names, std::string& error) {
  CsvTable table, objectClasses, attributes;
  if (!readCsvTable(csvPath, table, error) || !readCsvTable(objectClassesPath, objectClasses, error) ||
      !readCsvTable(attributesPath, attributes, error))
    return false;
  LibraryTextFile file;
  writeChineseNameFile(table, objectClasses, attributes, file, names);
  if (!file.error().empty()) {
    error = csvPath + ": " + file.error() + " (writing " + libraryFile(LibraryFileId::ChineseNames).name + ")";
    return false;
  }
  text = file.text();
  return true;
}

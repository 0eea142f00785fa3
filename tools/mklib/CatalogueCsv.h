#pragma once
// The object class and attribute catalogues as comma-separated tables with a
// header row (s57objectclasses.csv, s57attributes.csv).
#include <string>
#include <vector>

struct CsvTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
  std::vector<int> rowLines;  // the source line of each row

  // The column index of a header name, or -1.
  int column(const std::string& name) const;
};

// Reads a table: fields separated by ",", optionally in double quotes (a
// doubled quote inside stands for one), rows ending in LF or CRLF; blank lines
// are skipped. False with a message for an unopenable file, an unclosed
// quote or an empty file.
bool readCsvTable(const std::string& path, CsvTable& table, std::string& error);

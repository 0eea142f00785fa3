#include "CellName.h"

#include <cstdio>

bool isCellName(std::string_view name) {
  if (name.size() != 8) return false;
  for (const char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

int cellFileNumber(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || fileName.size() - dot != 4) return -1;
  int n = 0;
  for (size_t i = dot + 1; i < fileName.size(); ++i) {
    const char c = fileName[i];
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string cellNameOfFile(std::string_view fileName) {
  if (cellFileNumber(fileName) < 0) return {};
  std::string name(fileName.substr(0, fileName.size() - 4));
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return isCellName(name) ? name : std::string();
}

std::string cellFileName(const std::string& cell, int number) {
  char extension[8];
  std::snprintf(extension, sizeof extension, ".%03d", number < 0 ? 0 : number % 1000);
  return cell + extension;
}

#pragma once
// Small helpers for the presentation library tests: a temporary folder that
// removes itself, and field lines in the library file layout.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "preslib-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // Writes `content` byte for byte and returns the file's path.
  std::string write(const std::string& name, const std::string& content) const {
    std::ofstream out(file(name), std::ios::binary);
    out << content;
    return file(name);
  }

private:
  std::string path_;
};

// A field line: tag, five-character length, content, unit separator, line feed.
inline std::string fieldLine(const std::string& tag, const std::string& content) {
  char length[8];
  std::snprintf(length, sizeof length, "%5zu", content.size() + 1);
  return tag + length + content + "\x1f\n";
}

inline const std::string kTerminatorLine = "****    0\n";

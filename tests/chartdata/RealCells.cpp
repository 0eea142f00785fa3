#include "RealCells.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

std::vector<std::string> realCellPaths() {
  namespace fs = std::filesystem;
  std::vector<std::string> paths;
  std::error_code ec;
  if (!fs::is_directory(CHART_SHARED_ENC, ec)) return paths;
  for (fs::recursive_directory_iterator it(CHART_SHARED_ENC, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->is_regular_file(ec) && it->path().extension() == ".000")
      paths.push_back(it->path().string());
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool ogrinfoAvailable() {
  return std::system("ogrinfo --version >/dev/null 2>&1") == 0;
}

long ogrinfoFeatureCount(const std::string& path) {
  const std::string command = "ogrinfo -ro -al -so -oo UPDATES=IGNORE '" + path + "' 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  long total = 0;
  bool any = false;
  std::string layer;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe)) {
    const std::string text(line);
    if (text.rfind("Layer name: ", 0) == 0) {
      layer = text.substr(12);
      while (!layer.empty() && (layer.back() == '\n' || layer.back() == '\r')) layer.pop_back();
    } else if (text.rfind("Feature Count: ", 0) == 0) {
      any = true;
      if (layer != "DSID") total += std::atol(text.c_str() + 15);
    }
  }
  return pclose(pipe) == 0 && any ? total : -1;
}

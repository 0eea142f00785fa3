#include "RealCells.h"
#include "ToolRun.h"

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

bool ogrinfoAvailable() { return testsupport::onPath("ogrinfo"); }

long ogrinfoFeatureCount(const std::string& path) {
  const testsupport::ToolRun run =
      testsupport::runCommand("ogrinfo -ro -al -so -oo UPDATES=IGNORE " + testsupport::shellQuote(path));
  long total = 0;
  bool any = false;
  std::string layer;
  for (const std::string& text : run.lines()) {
    if (text.rfind("Layer name: ", 0) == 0) {
      layer = text.substr(12);
    } else if (text.rfind("Feature Count: ", 0) == 0) {
      any = true;
      if (layer != "DSID") total += std::atol(text.c_str() + 15);
    }
  }
  return run.status == 0 && any ? total : -1;
}

#include "RealData.h"

#include <filesystem>

namespace testsupport {

std::string sharedEnc(const std::string& relative) {
  return relative.empty() ? std::string(CHART_SHARED_ENC) : std::string(CHART_SHARED_ENC) + "/" + relative;
}

std::string generatedLibrary() { return std::string(CHART_SOURCE_DIR) + "/S57Lib"; }

std::string firstMissing(std::initializer_list<std::string> paths) {
  for (const std::string& p : paths)
    if (!std::filesystem::exists(p)) return p;
  return {};
}

}  // namespace testsupport

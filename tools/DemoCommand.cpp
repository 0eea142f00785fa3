// enctool demo --out DIR: writes the synthetic demo cell CN5DEMO1.000 into
// DIR (created when missing) and prints its path.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "DemoCell.h"

int runDemoCommand(int argc, char** argv) {
  std::string out;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else {
      std::fprintf(stderr, "enctool demo: unexpected argument '%s'\n", argv[i]);
      return 2;
    }
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: enctool demo --out DIR\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(out, error);
  const std::string path = demo::writeDemoCell(out);
  if (path.empty()) {
    std::fprintf(stderr, "enctool demo: cannot write %s/%s\n", out.c_str(), demo::kCellName);
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}

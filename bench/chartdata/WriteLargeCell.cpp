// write_large_cell PATH: writes the large synthetic cell of the reader
// benchmark to PATH, for timing whole processes on it
// (bench/enctool_vs_ogrinfo.sh PATH).
#include <cstdio>
#include <fstream>
#include <string>

#include "LargeCell.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_large_cell PATH\n");
    return 2;
  }
  const std::string image = largeCellImage();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "write_large_cell: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu bytes\n", argv[1], image.size());
  return 0;
}

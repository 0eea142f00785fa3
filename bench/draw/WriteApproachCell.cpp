// write_approach_cell PATH: writes the synthetic approach cell of the draw
// benchmark to PATH, for enctool render and info on it.
#include <cstdio>
#include <fstream>
#include <string>

#include "ApproachCell.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_approach_cell PATH\n");
    return 2;
  }
  const std::string image = approachCellImage();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "write_approach_cell: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %zu bytes\n", argv[1], image.size());
  return 0;
}

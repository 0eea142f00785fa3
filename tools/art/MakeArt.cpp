// makeart: writes the loading animation (GIF) and the window icon (PNG)
// during the build.
//   makeart --gif FILE --logo FILE
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "Artwork.h"

int main(int argc, char** argv) {
  const char* gifPath = nullptr;
  const char* logoPath = nullptr;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--gif") == 0) gifPath = argv[i + 1];
    else if (std::strcmp(argv[i], "--logo") == 0) logoPath = argv[i + 1];
  }
  if (!gifPath && !logoPath) {
    std::fprintf(stderr, "usage: makeart [--gif FILE] [--logo FILE]\n");
    return 2;
  }
  if (gifPath) {
    const std::string bytes = gif::encode(loadingAnimation());
    std::ofstream out(gifPath, std::ios::binary);
    if (bytes.empty() || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
      std::fprintf(stderr, "makeart: cannot write %s\n", gifPath);
      return 1;
    }
  }
  if (logoPath && !windowIcon().save(QString::fromLocal8Bit(logoPath), "PNG")) {
    std::fprintf(stderr, "makeart: cannot write %s\n", logoPath);
    return 1;
  }
  return 0;
}

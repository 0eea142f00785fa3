#pragma once
// Small synthetic cells for the chart tests, written with the S-57 test writer.
#include <string>

#include "Catalogue.h"
#include "S57Writer.h"

namespace fixtures {

// Attribute codes used by the fixtures.
constexpr int kOBJNAM = 116, kSCAMAX = 132, kSCAMIN = 133, kDRVAL1 = 87, kNOBJNM = 301, kORIENT = 117;

// A catalogue that knows OBJNAM, DRVAL1, NOBJNM, ORIENT and SCAMAX, not SCAMIN.
AttributeCatalogue attributeCatalogue();

// A cell named `name` with one M_NSYS area (a square of `size` degrees
// from 47N 122W), a depth area inside it, a contour line and a light,
// produced by `agency` (550, a hydrographic office, unless told otherwise).
s57write::S57Writer smallCell(const std::string& name, double size = 0.1, int compilationScale = 20000,
                              int agency = 550);

// Writes `writer` to a fresh file in `directory`; returns the path.
std::string writeCell(const s57write::S57Writer& writer, const std::string& directory, const std::string& file);

// A fresh directory under the system temporary folder, removed with its
// content when the object goes.
struct TempDirectory {
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  std::string path;
};

}  // namespace fixtures

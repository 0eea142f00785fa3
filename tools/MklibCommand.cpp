// enctool mklib: builds the presentation library folder from chartsymbols.xml
// and the object class and attribute catalogue tables; with --raster, the
// drawings the XML has only as bitmaps are traced from its day sprite sheet;
// with --values, the attribute value file is written from the expected-input
// table (s57expectedinput.csv); with --supplement, the project's own
// drawings of names the XML lacks are added (SupplementaryDrawings.xml);
// with --chinese, the Chinese name file is written from the project's table
// (ChineseNames.csv).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "LibraryConverter.h"

namespace {
void printMklibUsage() {
  std::fprintf(stderr,
               "usage: enctool mklib --xml FILE --objects FILE --attributes FILE [--raster FILE] [--values FILE]\n"
               "         [--supplement FILE] [--chinese FILE] --out DIR\n");
}
}  // namespace

int runMklibCommand(int argc, char** argv) {
  LibrarySources sources;
  std::string out;
  for (int i = 0; i < argc; ++i) {
    std::string* target = nullptr;
    if (std::strcmp(argv[i], "--xml") == 0) target = &sources.xml;
    else if (std::strcmp(argv[i], "--objects") == 0) target = &sources.objectClasses;
    else if (std::strcmp(argv[i], "--attributes") == 0) target = &sources.attributes;
    else if (std::strcmp(argv[i], "--raster") == 0) target = &sources.raster;
    else if (std::strcmp(argv[i], "--values") == 0) target = &sources.attributeValues;
    else if (std::strcmp(argv[i], "--supplement") == 0) target = &sources.supplement;
    else if (std::strcmp(argv[i], "--chinese") == 0) target = &sources.chineseNames;
    else if (std::strcmp(argv[i], "--out") == 0) target = &out;
    if (!target || i + 1 >= argc) {
      std::fprintf(stderr, "enctool mklib: %s '%s'\n", target ? "no value after" : "unknown argument", argv[i]);
      printMklibUsage();
      return 2;
    }
    *target = argv[++i];
  }
  if (sources.xml.empty() || sources.objectClasses.empty() || sources.attributes.empty() || out.empty()) {
    std::fprintf(stderr, "enctool mklib: --xml, --objects, --attributes and --out are all needed\n");
    printMklibUsage();
    return 2;
  }
  ConversionReport report;
  std::string error;
  if (!convertLibrary(sources, out, report, error)) {
    std::fprintf(stderr, "enctool mklib: %s; nothing written to %s\n", error.c_str(), out.c_str());
    return 1;
  }
  std::printf("enctool mklib: wrote %s: %s\n", out.c_str(), report.summary().c_str());
  const std::string names = report.nameReport() + report.categoryReport();
  for (std::size_t start = 0, end; start < names.size(); start = end + 1) {
    end = std::min(names.find('\n', start), names.size());
    std::printf("enctool mklib: %s\n", names.substr(start, end - start).c_str());
  }
  return 0;
}

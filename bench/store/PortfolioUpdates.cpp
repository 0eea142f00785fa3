#include "PortfolioUpdates.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "CatalogueWriter.h"
#include "Crc32.h"
#include "S57CellReader.h"
#include "S57Writer.h"

namespace fs = std::filesystem;

bool writePortfolioUpdates(const std::vector<std::string>& baseFiles, int number, const std::string& directory) {
  const fs::path root = fs::path(directory) / "ENC_ROOT";
  std::error_code ec;
  fs::create_directories(root, ec);
  std::vector<s57write::CatalogueFile> listed;
  for (const std::string& base : baseFiles) {
    S57CellReader reader;
    if (reader.readCell(base) != ReaderResult::Ok) return false;
    const FRID* named = nullptr;
    for (const auto& f : reader.features)
      for (const ATTF_NATF& a : f->attributes)
        if (!named && a.attributeCode == "116") named = f.get();
    if (!named) named = reader.features.front().get();
    char extension[8];
    std::snprintf(extension, sizeof extension, ".%03d", number);
    const std::string name = fs::path(base).stem().string() + extension;
    s57write::DataSet d;
    d.dsnm = name;
    d.expp = 2;
    d.edtn = reader.dataSetIdentification.EDTN;
    d.updn = std::to_string(number);
    d.uadt = "";
    s57write::S57Writer w;
    w.addDataSetIdentification(d);
    s57write::Feature f;
    f.rcid = named->RCID;
    f.objl = named->OBJL;
    f.ruin = s57write::kModify;
    f.rver = named->RVER + number;
    f.attributes = {{116, "Renamed " + std::to_string(number)}};
    w.addFeature(f);
    const std::string image = w.image();
    if (!(std::ofstream(root / name, std::ios::binary) << image)) return false;
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", crc32(image));
    listed.push_back({name, crc});
  }
  return static_cast<bool>(std::ofstream(root / "CATALOG.031", std::ios::binary) << s57write::catalogueImage(listed));
}

#include "ProtectionFixtures.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "Crc32.h"

namespace protectiontest {

std::string testData(const std::string& relative) {
  std::string path = std::string(CHART_SHARED_ENC) + "/../iho/s63";
  return relative.empty() ? path : path + "/" + relative;
}

namespace {

void put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, std::uint32_t v) {
  put16(s, v & 0xFFFF);
  put16(s, v >> 16);
}

}  // namespace

std::string storedZip(const std::string& name, const std::string& content, const ZipOptions& options) {
  std::uint32_t crc = crc32(content);
  if (options.badCrc) crc ^= 0x1u;
  const std::uint32_t claimed =
      options.claimedSize ? options.claimedSize : static_cast<std::uint32_t>(content.size());
  const unsigned method = options.deflated ? 8 : 0;
  std::string packed;
  if (options.deflated) {
    packed += '\x01';  // the last block, not compressed
    put16(packed, static_cast<unsigned>(content.size()));
    put16(packed, static_cast<unsigned>(~content.size() & 0xFFFF));
  }
  packed += content;
  const std::uint32_t size = static_cast<std::uint32_t>(packed.size());
  std::string zip;
  put32(zip, 0x04034b50);  // local file header
  put16(zip, 20);
  put16(zip, 0);
  put16(zip, method);
  put16(zip, 0);
  put16(zip, 0);
  put32(zip, crc);
  put32(zip, size);
  put32(zip, claimed);
  put16(zip, static_cast<unsigned>(name.size()));
  put16(zip, 0);
  zip += name;
  zip += packed;
  const std::uint32_t directory = static_cast<std::uint32_t>(zip.size());
  put32(zip, 0x02014b50);  // central directory header
  put16(zip, 20);
  put16(zip, 20);
  put16(zip, 0);
  put16(zip, method);
  put16(zip, 0);
  put16(zip, 0);
  put32(zip, crc);
  put32(zip, size);
  put32(zip, claimed);
  put16(zip, static_cast<unsigned>(name.size()));
  put16(zip, 0);
  put16(zip, 0);
  put16(zip, 0);
  put16(zip, 0);
  put32(zip, 0);
  put32(zip, 0);  // the local header's offset
  zip += name;
  const std::uint32_t directorySize = static_cast<std::uint32_t>(zip.size()) - directory;
  put32(zip, 0x06054b50);  // end of central directory
  put16(zip, 0);
  put16(zip, 0);
  put16(zip, 1);
  put16(zip, 1);
  put32(zip, directorySize);
  put32(zip, directory);
  put16(zip, 0);
  return zip;
}

}  // namespace protectiontest

#include "S57Writer.h"

namespace protectiontest {

std::string smallCell() {
  s57write::DataSet d;
  d.dsnm = "GB100001.000";
  s57write::S57Writer w;
  w.addDataSet(d).addIsolatedNode(1, {500000000, -20000000}).addIsolatedNode(2, {500100000, -20100000});
  return w.image();
}

}  // namespace protectiontest

#include "ZipArchive.h"

#include <libdeflate.h>

#include <cstring>
#include <memory>

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50, kCentralHeader = 0x02014b50, kEndOfDirectory = 0x06054b50;
constexpr std::size_t kLocalHeaderSize = 30, kCentralHeaderSize = 46, kEndSize = 22;
constexpr std::uint16_t kStored = 0, kDeflated = 8;

std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Whether `length` bytes from `at` lie inside `size` (no overflow).
bool fits(std::size_t at, std::size_t length, std::size_t size) { return at <= size && length <= size - at; }

// The end of central directory record: the last one whose comment ends
// inside the archive, searched back over the longest comment there can be.
const unsigned char* endOfDirectory(const unsigned char* data, std::size_t size) {
  if (size < kEndSize) return nullptr;
  const std::size_t lowest = size - kEndSize > 0xFFFF ? size - kEndSize - 0xFFFF : 0;
  for (std::size_t at = size - kEndSize + 1; at-- > lowest;) {
    if (le32(data + at) != kEndOfDirectory) continue;
    if (fits(at + kEndSize, le16(data + at + 20), size)) return data + at;
  }
  return nullptr;
}

struct FreeDecompressor {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

UnzipResult fail(UnzipResult result, std::string& reason, std::string why, SecureBytes& out) {
  out.clear();
  reason = std::move(why);
  return result;
}

}  // namespace

UnzipResult unzipFirstFile(const unsigned char* data, std::size_t size, std::size_t limit, SecureBytes& out,
                           std::string& reason, std::uint32_t* crc) {
  out.clear();
  const unsigned char* end = endOfDirectory(data, size);
  if (!end) return fail(UnzipResult::NotZip, reason, "not a zip archive: no end of central directory", out);
  const std::size_t entries = le16(end + 10);
  const std::size_t directorySize = le32(end + 12), directoryAt = le32(end + 16);
  const std::size_t endAt = static_cast<std::size_t>(end - data);
  if (entries == 0) return fail(UnzipResult::NotZip, reason, "the zip archive holds no file", out);
  if (le16(end + 4) != 0 || le16(end + 6) != 0)
    return fail(UnzipResult::Damaged, reason, "the zip archive spans several disks", out);
  if (!fits(directoryAt, directorySize, endAt) || directorySize < kCentralHeaderSize ||
      le32(data + directoryAt) != kCentralHeader)
    return fail(UnzipResult::Damaged, reason, "the zip archive's central directory is not where its end says", out);

  const unsigned char* entry = data + directoryAt;
  const std::uint16_t flags = le16(entry + 8), method = le16(entry + 10);
  const std::uint32_t listedCrc = le32(entry + 16);
  const std::size_t packed = le32(entry + 20), unpacked = le32(entry + 24), localAt = le32(entry + 42);
  if (flags & 1) return fail(UnzipResult::Damaged, reason, "the zip archive's file is encrypted", out);
  if (method != kStored && method != kDeflated)
    return fail(UnzipResult::Damaged, reason,
                "the zip archive's file is packed with method " + std::to_string(method) + ", not stored or deflated",
                out);
  // Sizes of 0xFFFFFFFF stand for 64-bit ones no cell needs; they are over
  // any limit here.
  if (unpacked > limit)
    return fail(UnzipResult::TooLarge, reason,
                "the zip archive's file claims " + std::to_string(unpacked) + " bytes, more than " +
                    std::to_string(limit),
                out);
  if (!fits(localAt, kLocalHeaderSize, directoryAt) || le32(data + localAt) != kLocalHeader)
    return fail(UnzipResult::Damaged, reason, "the zip archive's local header is not where its directory says", out);
  const std::size_t dataAt = localAt + kLocalHeaderSize + le16(data + localAt + 26) + le16(data + localAt + 28);
  if (!fits(dataAt, packed, directoryAt))
    return fail(UnzipResult::Damaged, reason, "the zip archive's file is cut short: its data runs past the archive",
                out);

  // Room for what the directory says, filled by the unpacking (not zeroed first).
  out.resize(unpacked);
  if (method == kStored) {
    if (packed != unpacked)
      return fail(UnzipResult::Damaged, reason, "the zip archive's stored file is not as long as its directory says",
                  out);
    if (unpacked) std::memcpy(out.data(), data + dataAt, unpacked);
  } else {
    const std::unique_ptr<libdeflate_decompressor, FreeDecompressor> inflater(libdeflate_alloc_decompressor());
    if (!inflater) return fail(UnzipResult::Damaged, reason, "no memory to unpack the zip archive", out);
    std::size_t taken = 0, given = 0;
    const libdeflate_result r = libdeflate_deflate_decompress_ex(inflater.get(), data + dataAt, packed, out.data(),
                                                                 unpacked, &taken, &given);
    if (r == LIBDEFLATE_INSUFFICIENT_SPACE)
      return fail(UnzipResult::Damaged, reason, "the zip archive's file is longer than its directory says", out);
    if (r != LIBDEFLATE_SUCCESS)
      return fail(UnzipResult::Damaged, reason, "the zip archive's data is damaged: it does not inflate", out);
    if (given != unpacked)
      return fail(UnzipResult::Damaged, reason, "the zip archive's file is shorter than its directory says", out);
  }
  const std::uint32_t found = static_cast<std::uint32_t>(libdeflate_crc32(0, out.data(), out.size()));
  if (found != listedCrc)
    return fail(UnzipResult::Damaged, reason, "the zip archive's data is damaged: its CRC-32 does not match", out);
  if (crc) *crc = found;
  return UnzipResult::Ok;
}

#include "ZipArchive.h"

#include <zip.h>

#include <memory>

#include "Crc32.h"

namespace {

struct Free {
  void operator()(zip_t* z) const { zip_discard(z); }
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

UnzipResult unzipFirstFile(const unsigned char* data, std::size_t size, std::size_t limit, SecureBytes& out,
                           std::string& reason, std::uint32_t* crc) {
  out.clear();
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
  if (!source) {
    reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    return UnzipResult::NotZip;
  }
  const std::unique_ptr<zip_t, Free> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  if (!archive) {
    zip_source_free(source);
    reason = std::string("not a zip archive: ") + zip_error_strerror(&error);
    zip_error_fini(&error);
    return UnzipResult::NotZip;
  }
  zip_error_fini(&error);
  if (zip_get_num_entries(archive.get(), 0) < 1) {
    reason = "the zip archive holds no file";
    return UnzipResult::NotZip;
  }
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive.get(), 0, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
    reason = "the zip archive's directory gives no size for its file";
    return UnzipResult::Damaged;
  }
  if (stat.size > limit) {
    reason = "the zip archive's file claims " + std::to_string(stat.size) + " bytes, more than " +
             std::to_string(limit);
    return UnzipResult::TooLarge;
  }
  const std::unique_ptr<zip_file_t, Free> file(zip_fopen_index(archive.get(), 0, 0));
  if (!file) {
    reason = std::string("the zip archive's file cannot be opened: ") + zip_strerror(archive.get());
    return UnzipResult::Damaged;
  }
  const std::size_t expected = static_cast<std::size_t>(stat.size);
  out.resize(expected);
  std::size_t have = 0;
  while (have < expected) {
    const std::size_t want = expected - have < kChunk ? expected - have : kChunk;
    const zip_int64_t n = zip_fread(file.get(), out.data() + have, want);
    if (n < 0) {
      reason = std::string("the zip archive's data is damaged: ") + zip_file_strerror(file.get());
      out.clear();
      return UnzipResult::Damaged;
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  unsigned char extra = 0;
  const zip_int64_t more = have == expected ? zip_fread(file.get(), &extra, 1) : 0;
  if (have != expected || more != 0) {
    reason = have != expected ? "the zip archive's file is shorter than its directory says"
                              : "the zip archive's file is longer than its directory says";
    out.clear();
    return UnzipResult::Damaged;
  }
  if (crc) {
    *crc = (stat.valid & ZIP_STAT_CRC)
               ? stat.crc
               : crc32(std::string_view(reinterpret_cast<const char*>(out.data()), out.size()));
  }
  return UnzipResult::Ok;
}

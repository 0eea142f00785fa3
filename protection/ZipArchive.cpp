#include "ZipArchive.h"

#include <zip.h>

#include <memory>

namespace {

struct Free {
  void operator()(zip_t* z) const { zip_discard(z); }
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

UnzipResult fail(UnzipResult result, std::string& reason, std::string why, SecureBytes& out) {
  out.clear();
  reason = std::move(why);
  return result;
}

// What opening the archive failed on: no archive at all, or one whose
// headers do not agree with each other or with its length.
UnzipResult openFailure(const zip_error_t& error) {
  switch (zip_error_code_zip(&error)) {
  case ZIP_ER_NOZIP:
    return UnzipResult::NotZip;
  default:
    return UnzipResult::Damaged;
  }
}

}  // namespace

UnzipResult unzipFirstFile(const unsigned char* data, std::size_t size, std::size_t limit, SecureBytes& out,
                           std::string& reason, std::uint32_t* crc) {
  out.clear();
  zip_error_t error;
  zip_error_init(&error);
  // libzip reads the decrypted bytes where they lie (it neither copies nor
  // frees them).
  zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
  if (!source) {
    const std::string why = std::string("the zip archive cannot be read: ") + zip_error_strerror(&error);
    zip_error_fini(&error);
    return fail(UnzipResult::Damaged, reason, why, out);
  }
  const std::unique_ptr<zip_t, Free> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  if (!archive) {
    zip_source_free(source);
    const UnzipResult result = openFailure(error);
    const std::string why = std::string(result == UnzipResult::NotZip ? "not a zip archive: " : "the zip archive is damaged: ") +
                            zip_error_strerror(&error);
    zip_error_fini(&error);
    return fail(result, reason, why, out);
  }
  zip_error_fini(&error);
  if (zip_get_num_entries(archive.get(), 0) < 1)
    return fail(UnzipResult::NotZip, reason, "the zip archive holds no file", out);

  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive.get(), 0, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
    return fail(UnzipResult::Damaged, reason, "the zip archive's directory gives no size for its file", out);
  if (stat.size > limit)
    return fail(UnzipResult::TooLarge, reason,
                "the zip archive's file claims " + std::to_string(stat.size) + " bytes, more than " +
                    std::to_string(limit),
                out);
  const std::unique_ptr<zip_file_t, Free> file(zip_fopen_index(archive.get(), 0, 0));
  if (!file)
    return fail(UnzipResult::Damaged, reason,
                std::string("the zip archive's file cannot be unpacked: ") + zip_strerror(archive.get()), out);

  // Room for what the directory says (at most `limit`), filled by the
  // inflating (not zeroed first); never more is read into it.
  const std::size_t expected = static_cast<std::size_t>(stat.size);
  out.resize(expected);
  std::size_t have = 0;
  while (have < expected) {
    const zip_int64_t n = zip_fread(file.get(), out.data() + have, expected - have);
    if (n < 0)
      return fail(UnzipResult::Damaged, reason,
                  std::string("the zip archive's data is damaged: ") + zip_file_strerror(file.get()), out);
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  if (have != expected)
    return fail(UnzipResult::Damaged, reason, "the zip archive's file is shorter than its directory says", out);
  // The end of the data is where libzip checks the CRC-32 and that the
  // file is no longer than its directory says: one byte more is asked for.
  unsigned char extra = 0;
  const zip_int64_t more = zip_fread(file.get(), &extra, 1);
  wipeBytes(&extra, 1);
  if (more < 0)
    return fail(UnzipResult::Damaged, reason,
                std::string("the zip archive's data is damaged: ") + zip_file_strerror(file.get()), out);
  if (more > 0)
    return fail(UnzipResult::Damaged, reason, "the zip archive's file is longer than its directory says", out);
  if (!(stat.valid & ZIP_STAT_CRC))
    return fail(UnzipResult::Damaged, reason, "the zip archive's directory gives no CRC-32 for its file", out);
  if (crc) *crc = stat.crc;
  return UnzipResult::Ok;
}

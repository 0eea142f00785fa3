#include "SealedLines.h"

#include <cstdio>

#include "Crc32.h"
#include "JsonReader.h"
#include "StoreFiles.h"

namespace {

// A JSON string: control characters escaped, bytes that are not UTF-8
// taken as Latin-1.
void appendString(std::string& out, std::string_view text) {
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", c);
      out += escape;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      const size_t n = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
      bool valid = n > 0 && i + n <= text.size();
      for (size_t k = 1; valid && k < n; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
      if (valid) {
        out.append(text.substr(i, n));
        i += n - 1;
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
  }
  out += '"';
}

}  // namespace

Line& Line::key(const char* k) {
  out_ += out_.size() > 1 ? ",\"" : "\"";
  out_ += k;
  out_ += "\":";
  return *this;
}

Line& Line::text(const char* k, std::string_view v) {
  key(k);
  appendString(out_, v);
  return *this;
}

Line& Line::number(const char* k, long long v) {
  key(k);
  out_ += std::to_string(v);
  return *this;
}

Line& Line::raw(const char* k, const std::string& json) {
  key(k);
  out_ += json;
  return *this;
}

std::string sealLines(std::string body, long long records) {
  const std::string crc = crcText(crc32(body));
  body += Line().number("end", records).text("crc", crc).str() + "\n";
  return body;
}

bool unsealLines(std::string_view bytes, size_t& bodyEnd, long long& records, std::string& error) {
  // The end line first: it vouches for everything before it.
  if (bytes.size() < 2 || bytes.back() != '\n') {
    error = "the file does not end with its end line";
    return false;
  }
  const size_t lastStart = bytes.rfind('\n', bytes.size() - 2);
  bodyEnd = lastStart == std::string_view::npos ? 0 : lastStart + 1;
  records = -1;
  std::string crc;
  JsonReader end(bytes.substr(bodyEnd));
  end.object([&](std::string_view key) {
    if (key == "end") records = end.integer();
    else if (key == "crc") crc = end.string();
    else end.skip();
  });
  if (!end.finished() || records < 0 || crc != crcText(crc32(bytes.substr(0, bodyEnd)))) {
    error = "the CRC-32 of the file does not match its content (cut short or changed)";
    return false;
  }
  return true;
}

#include "JsonReader.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kMaximumDepth = 64;

void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void JsonReader::space() {
  while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
    ++at_;
}

bool JsonReader::finished() {
  space();
  return ok_ && at_ == text_.size();
}

bool JsonReader::expect(char c) {
  space();
  if (at_ < text_.size() && text_[at_] == c) {
    ++at_;
    return true;
  }
  fail();
  return false;
}

bool JsonReader::open(char bracket) { return ok_ && expect(bracket); }

bool JsonReader::closes(char bracket) {
  space();
  if (at_ < text_.size() && text_[at_] == bracket) {
    ++at_;
    return true;
  }
  return false;
}

bool JsonReader::more(char bracket) {
  space();
  if (at_ < text_.size() && text_[at_] == ',') {
    ++at_;
    return true;
  }
  expect(bracket);
  return false;
}

std::string JsonReader::string() {
  std::string scratch;
  const std::string_view value = text(scratch);
  return value.data() == scratch.data() ? std::move(scratch) : std::string(value);
}

std::string_view JsonReader::text(std::string& out) {
  out.clear();
  if (!ok_ || !expect('"')) return out;
  // The run up to the closing quote or the first escape, taken whole.
  size_t end = at_;
  while (end < text_.size() && text_[end] != '"' && text_[end] != '\\' &&
         static_cast<unsigned char>(text_[end]) >= 0x20)
    ++end;
  if (end < text_.size() && text_[end] == '"') {
    const std::string_view plain = text_.substr(at_, end - at_);
    at_ = end + 1;
    return plain;
  }
  out.assign(text_.substr(at_, end - at_));
  at_ = end;
  while (at_ < text_.size()) {
    const char c = text_[at_++];
    if (c == '"') return out;
    if (static_cast<unsigned char>(c) < 0x20) break;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (at_ >= text_.size()) break;
    const char e = text_[at_++];
    switch (e) {
      case '"': case '\\': case '/': out += e; continue;
      case 'b': out += '\b'; continue;
      case 'f': out += '\f'; continue;
      case 'n': out += '\n'; continue;
      case 'r': out += '\r'; continue;
      case 't': out += '\t'; continue;
      case 'u': break;
      default: fail(); out.clear(); return out;
    }
    auto unit = [this](std::uint32_t& value) {
      if (at_ + 4 > text_.size()) return false;
      value = 0;
      for (int i = 0; i < 4; ++i) {
        const int d = hexDigit(text_[at_ + static_cast<size_t>(i)]);
        if (d < 0) return false;
        value = value * 16 + static_cast<std::uint32_t>(d);
      }
      at_ += 4;
      return true;
    };
    std::uint32_t code = 0;
    if (!unit(code)) break;
    if (code >= 0xD800 && code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
      at_ += 2;
      std::uint32_t low = 0;
      if (!unit(low) || low < 0xDC00 || low >= 0xE000) break;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    appendUtf8(out, code);
  }
  fail();
  out.clear();
  return out;
}

double JsonReader::number() {
  if (!ok_) return 0;
  space();
  double value = 0;
  const char* begin = text_.data() + at_;
  const auto [end, error] = std::from_chars(begin, text_.data() + text_.size(), value);
  if (error != std::errc() || !std::isfinite(value)) {
    fail();
    return 0;
  }
  at_ += static_cast<size_t>(end - begin);
  return value;
}

long long JsonReader::integer() {
  const double value = number();
  return value >= -9e15 && value <= 9e15 ? static_cast<long long>(value) : 0;
}

bool JsonReader::boolean() {
  space();
  if (ok_ && text_.substr(at_, 4) == "true") {
    at_ += 4;
    return true;
  }
  if (ok_ && text_.substr(at_, 5) == "false") {
    at_ += 5;
    return false;
  }
  fail();
  return false;
}

bool JsonReader::isNull() {
  space();
  if (ok_ && text_.substr(at_, 4) == "null") {
    at_ += 4;
    return true;
  }
  return false;
}

void JsonReader::skip() {
  if (!ok_) return;
  space();
  if (at_ >= text_.size()) return fail();
  const char c = text_[at_];
  if (++depth_ > kMaximumDepth) {
    fail();
  } else if (c == '{') {
    object([this](std::string_view) { skip(); });
  } else if (c == '[') {
    array([this] { skip(); });
  } else if (c == '"') {
    string();
  } else if (text_.substr(at_, 4) == "true" || text_.substr(at_, 4) == "null") {
    at_ += 4;
  } else if (text_.substr(at_, 5) == "false") {
    at_ += 5;
  } else {
    number();
  }
  --depth_;
}

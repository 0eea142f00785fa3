#pragma once
// A reader of JSON text that walks it in place, without building a tree:
// the caller asks for the value it expects where it expects it (an object
// member by member, an array element by element). The store reads its
// index with it, a line per cell, a thousand lines in a start, where a
// general document reader spent most of its time allocating.
//
// A value of another type than asked for, or text that is no JSON, marks
// the reader failed: from then on every read gives an empty value, and
// ok() says so.
#include <string>
#include <string_view>

class JsonReader {
public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  bool ok() const { return ok_; }
  // Whether only white space is left (and nothing failed).
  bool finished();

  // Reads an object: `member(key)` for each member (the key a
  // std::string_view valid during the call), which must read (or skip) the
  // member's value.
  template <class Member>
  void object(Member member) {
    if (!open('{')) return;
    if (closes('}')) return;
    std::string scratch;
    do {
      const std::string_view key = text(scratch);
      if (!expect(':')) return;
      member(key);
    } while (ok_ && more('}'));
  }

  // Reads an array: `element()` for each element, which must read it.
  template <class Element>
  void array(Element element) {
    if (!open('[')) return;
    if (closes(']')) return;
    do element();
    while (ok_ && more(']'));
  }

  std::string string();
  // A string as it stands in the text when it holds no escape, else
  // unescaped into `scratch`.
  std::string_view text(std::string& scratch);
  double number();
  long long integer();
  bool boolean();
  bool isNull();  // reads a null when one stands next
  void skip();    // any value

private:
  void space();
  bool open(char bracket);
  bool closes(char bracket);  // an empty object or array
  bool more(char bracket);    // a comma (true) or the closing bracket (false)
  bool expect(char c);
  void fail() {
    ok_ = false;
    at_ = text_.size();
  }

  std::string_view text_;
  size_t at_ = 0;
  bool ok_ = true;
  int depth_ = 0;  // of skipped values, bounded
};

#pragma once
// Cutting a field's text at a terminator byte. Pieces are views into the
// text; the separators are dropped. Adjacent separators give an empty piece,
// a separator at the very end gives no empty piece after it, and an empty
// text gives no pieces at all.
//
// With a minimum piece length m, a separator fewer than m bytes after the
// start of the current piece does not cut: a terminator byte inside the
// 2-byte label of an attribute is part of the label. The last piece runs to
// the end of the text.
#include <string_view>
#include <vector>

// Walks the pieces one by one without allocating:
//   FieldSplitter pieces(field, '\x1f', 2);
//   for (std::string_view piece; pieces.next(piece);) ...
class FieldSplitter {
public:
  FieldSplitter(std::string_view text, char separator, size_t minPieceLength = 0)
      : text_(text), separator_(separator), minPieceLength_(minPieceLength) {}

  bool next(std::string_view& piece) {
    if (pos_ >= text_.size()) return false;
    const size_t searchFrom = pos_ + minPieceLength_;
    const size_t cut = searchFrom < text_.size() ? text_.find(separator_, searchFrom)
                                                 : std::string_view::npos;
    if (cut == std::string_view::npos) {
      piece = text_.substr(pos_);
      pos_ = text_.size();
    } else {
      piece = text_.substr(pos_, cut - pos_);
      pos_ = cut + 1;
    }
    return true;
  }

  // True once the last piece has been handed out.
  bool atEnd() const { return pos_ >= text_.size(); }

private:
  std::string_view text_;
  char separator_;
  size_t minPieceLength_;
  size_t pos_ = 0;
};

// All pieces at once, for the places that are not hot (the DDR).
std::vector<std::string_view> splitField(std::string_view text, char separator,
                                         size_t minPieceLength = 0);

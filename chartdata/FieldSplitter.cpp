#include "FieldSplitter.h"

std::vector<std::string_view> splitField(std::string_view text, char separator,
                                         size_t minPieceLength) {
  std::vector<std::string_view> pieces;
  FieldSplitter splitter(text, separator, minPieceLength);
  for (std::string_view piece; splitter.next(piece);) pieces.push_back(piece);
  return pieces;
}

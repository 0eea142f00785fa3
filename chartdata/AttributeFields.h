#pragma once
// The attribute fields: ATTF and ATTV (lexical level 0/1, values kept as
// bytes) and NATF (lexical level 2, UCS-2 values converted to UTF-8).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "S57Records.h"

// Appends one attribute per (label, value) entry of an ATTF or ATTV field.
// The field is cut at unit terminators, never inside the 2-byte label; the
// piece that holds only the field terminator ends the list.
void decodeAttributeField(std::string_view field, std::vector<ATTF_NATF>& out);

// Appends one attribute per NATF entry whose value holds at least two code
// units; the value runs to its first code unit 0 and is written as UTF-8.
// With keepDeleteMark a value of the one code unit 0x7F (an update's
// "delete this attribute") is kept too, as "\x7f".
void decodeNationalAttributeField(std::string_view field, std::vector<ATTF_NATF>& out,
                                  bool keepDeleteMark = false);

// Appends the UTF-8 form of a code point (a lone surrogate becomes U+FFFD).
void appendUtf8(std::string& out, uint32_t codePoint);

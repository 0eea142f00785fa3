#pragma once
// The attribute fields ATTF, ATTV and NATF. Their text is in the lexical
// level the cell's DSSI declares (AALL for ATTF and ATTV, NALL for NATF):
// 0 ASCII, 1 ISO 8859-1 (Latin-1), 2 UCS-2. Every value comes out as UTF-8.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "S57Records.h"

// Lexical levels (DSSI AALL and NALL).
constexpr int kLevelAscii = 0;
constexpr int kLevelLatin1 = 1;
constexpr int kLevelUcs2 = 2;

// Appends one attribute per (label, value) entry of an ATTF, ATTV or NATF
// field in `lexicalLevel`. At levels 0 and 1 (and any level the standard
// does not know) the field is cut at unit terminators, never inside the
// 2-byte label; the piece that holds only the field terminator ends the
// list; values are taken as Latin-1 (ASCII is its first half, so a byte
// above 0x7F in ASCII text still comes out as a character). At level 2 the
// field is read as UCS-2 (decodeUcs2AttributeField).
void decodeAttributeField(std::string_view field, RecordList<ATTF_NATF>& out, int lexicalLevel = kLevelLatin1,
                          bool keepDeleteMark = false);

// Appends one attribute per UCS-2 entry whose value holds at least two code
// units; the value runs to its first code unit 0 and is written as UTF-8.
// With keepDeleteMark a value of the one code unit 0x7F (an update's
// "delete this attribute") is kept too, as "\x7f".
void decodeUcs2AttributeField(std::string_view field, RecordList<ATTF_NATF>& out, bool keepDeleteMark = false);

// Appends one NATF field in `lexicalLevel`: level 2 as UCS-2, 0 and 1 as
// single bytes (decodeAttributeField). A level the standard does not know
// is taken as UCS-2, the usual level of national text.
void decodeNationalAttributeField(std::string_view field, RecordList<ATTF_NATF>& out,
                                  int lexicalLevel = kLevelUcs2, bool keepDeleteMark = false);

// Appends the UTF-8 form of a code point (a lone surrogate becomes U+FFFD).
void appendUtf8(std::string& out, uint32_t codePoint);

// The UTF-8 form of Latin-1 bytes (ASCII stays as it is).
void assignLatin1AsUtf8(std::string& out, std::string_view latin1);

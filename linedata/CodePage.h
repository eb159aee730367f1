#pragma once
// Text conversion between the encodings that reach the program (router bytes,
// captured files, filer strings) and its own UTF-8, and back to the bytes the
// router and the Telnet line take. Malformed input never fails: each broken
// UTF-8 sequence (a byte that can begin no character, or a lead byte with the
// continuation bytes that were right before the sequence broke off) counts as
// one character that the code page lacks: U+FFFD on decoding, "?" on encoding.

#include <cstddef>
#include <string>
#include <string_view>

// The platform's default 8-bit code page is Windows-1252: ASCII unchanged,
// 0x80-0x9F as Windows-1252 maps them (its five unassigned bytes pass as the
// C1 controls of the same value), 0xA0-0xFF as Latin-1. Every byte becomes
// one character.
std::string AnsiToUtf8(std::string_view ABytes);

// Every character becomes one byte; characters the code page lacks become "?".
std::string Utf8ToAnsi(std::string_view AText);

// Characters below 128 as they are, every other character as "?": what the
// Telnet line carries.
std::string Utf8ToAscii(std::string_view AText);

// Byte pairs as UTF-16; an odd last byte and unpaired surrogates become U+FFFD.
std::string DecodeUtf16LE(std::string_view ABytes);
std::string DecodeUtf16BE(std::string_view ABytes);

// No byte of 0x80 or above: the same text in UTF-8 and every 8-bit code page.
bool IsAscii(std::string_view ABytes);

// UTF-8 bytes with every broken sequence replaced; valid text is unchanged.
std::string SanitizeUtf8(std::string_view ABytes);
bool IsValidUtf8(std::string_view ABytes);

// UTF-8 (sanitised) to UTF-16 code units and back.
std::u16string Utf8ToUtf16(std::string_view AText);
std::string Utf16ToUtf8(std::u16string_view AText);

// A text file's bytes: a byte order mark (EF BB BF, FF FE, FE FF) chooses the
// encoding and is dropped; without one the default 8-bit code page applies.
std::string DecodeTextFileBytes(std::string_view ABytes);

// The one UTF-8 walker: the code point at APos (APos < size), APos moved past
// it; a broken sequence gives U+FFFD and APos moves past the broken part only.
char32_t NextUtf8CodePoint(std::string_view AText, std::size_t &APos);

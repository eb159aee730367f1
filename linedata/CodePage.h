#pragma once
// Text decoding between the encodings that reach the program (router bytes,
// captured files, filer strings) and its own UTF-8. Malformed input never
// fails: each broken sequence becomes U+FFFD.

#include <string>
#include <string_view>

// The platform's default 8-bit code page: ASCII unchanged, 0x80-0x9F as
// Windows-1252 maps them (its five unassigned bytes pass as C1 controls),
// 0xA0-0xFF as Latin-1.
std::string DecodeWindows1252(std::string_view ABytes);

// Byte pairs as UTF-16; an odd last byte and unpaired surrogates become U+FFFD.
std::string DecodeUtf16LE(std::string_view ABytes);
std::string DecodeUtf16BE(std::string_view ABytes);

// UTF-8 bytes with every malformed sequence replaced; valid text is unchanged.
std::string SanitizeUtf8(std::string_view ABytes);
bool IsValidUtf8(std::string_view ABytes);

// UTF-8 (sanitised) to UTF-16 code units and back.
std::u16string Utf8ToUtf16(std::string_view AText);
std::string Utf16ToUtf8(std::u16string_view AText);

// A text file's bytes: a byte order mark (EF BB BF, FF FE, FE FF) chooses the
// encoding and is dropped; without one the default 8-bit code page applies.
std::string DecodeTextFileBytes(std::string_view ABytes);

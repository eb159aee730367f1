#pragma once
// The router speaks in bytes of the platform's 8-bit code page (Windows-1252);
// the program keeps its text in UTF-8. These convert between the two.

#include <string>
#include <string_view>

// Every byte becomes one character; the five bytes Windows-1252 leaves
// undefined are taken as the C1 control characters of the same value.
std::string AnsiToUtf8(std::string_view ABytes);

// Every character becomes one byte; characters the code page lacks become "?".
std::string Utf8ToAnsi(std::string_view AText);

// Case-insensitive tests over 8-bit text: ASCII and the Latin-1 letters fold.
bool AnsiEndsWithText(std::string_view ABytes, std::string_view AMarker);
bool AnsiContainsText(std::string_view ABytes, std::string_view AMarker);

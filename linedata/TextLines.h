#pragma once
// A list of text lines: lines without line ends, UTF-8 encoded.

#include <string>
#include <string_view>
#include <vector>

using TTextLines = std::vector<std::string>;

// Every line followed by CR LF, the last one included; empty list -> "".
std::string TextOf(const TTextLines &ALines);

// Splits at CR LF, lone CR and lone LF; a final line end adds no empty line.
TTextLines SplitText(std::string_view AText);

// Empty or nothing but white space.
bool IsBlankLine(std::string_view ALine);

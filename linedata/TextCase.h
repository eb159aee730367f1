#pragma once
// The one case-insensitive comparison of the program: router prompts and
// error texts, the marker lines of the per-tone answers, profile names.
// Letters fold as the router's code page has them: the ASCII capitals and the
// Latin-1 capitals U+00C0 to U+00DE (all but U+00D7, the multiplication sign)
// to their small letters; nothing else folds. Windows-1252 keeps these
// letters at the byte of their code point, so its bytes fold one by one.

#include <string_view>

char32_t FoldCase(char32_t ACode);

// Both sides UTF-8, compared character by character.
bool SameTextIgnoringCase(std::string_view A, std::string_view B);
// Negative, zero or positive as A sorts before, with or after B: folded
// characters by their code, a text before the longer ones it starts.
int CompareTextIgnoringCase(std::string_view A, std::string_view B);

// Both sides Windows-1252 bytes; a marker longer than the text never matches.
bool AnsiEndsWithText(std::string_view ABytes, std::string_view AMarker);
bool AnsiContainsText(std::string_view ABytes, std::string_view AMarker);

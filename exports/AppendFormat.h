#pragma once
// printf-style formatting onto the end of a text, for the plain-text
// summaries whose columns are easiest to line up with field widths.

#include <string>

void AppendFormat(std::string &AText, const char *AFormat, ...) __attribute__((format(printf, 2, 3)));

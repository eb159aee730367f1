#pragma once
// Writes ABytes as the file AName the way the snapshot saver does: an
// existing file is replaced only by a complete one. Failures come out about
// AName ("out.csv: Stream write error").

#include <string>

void ReplaceFileWith(const std::string &AName, const std::string &ABytes);

#include "AppendFormat.h"

#include <cstdarg>
#include <cstdio>

void AppendFormat(std::string &AText, const char *AFormat, ...) {
  va_list Args;
  va_start(Args, AFormat);
  va_list Again;
  va_copy(Again, Args);
  char Line[512];
  const int Length = std::vsnprintf(Line, sizeof Line, AFormat, Args);
  va_end(Args);
  if (Length < 0) {
    va_end(Again);
    return;
  }
  if (static_cast<std::size_t>(Length) < sizeof Line) {
    AText.append(Line, static_cast<std::size_t>(Length));
  } else {
    // A long name or status line: no truncation, format it again at its size.
    std::string Long(static_cast<std::size_t>(Length) + 1, '\0');
    std::vsnprintf(Long.data(), Long.size(), AFormat, Again);
    Long.pop_back();
    AText += Long;
  }
  va_end(Again);
}

#include "TerminalText.h"

#include <cstdio>

#include "CodePage.h"

std::string TerminalText(std::string_view ABytes) {
  const std::string Text = SanitizeUtf8(ABytes);
  std::string Out;
  Out.reserve(Text.size());
  for (std::size_t At = 0; At < Text.size(); ++At) {
    const auto Byte = static_cast<unsigned char>(Text[At]);
    const auto Next = At + 1 < Text.size() ? static_cast<unsigned char>(Text[At + 1]) : 0u;
    char Escape[8];
    if (Byte < 0x20 || Byte == 0x7F) {
      std::snprintf(Escape, sizeof Escape, "\\x%02X", Byte);
    } else if (Byte == 0xC2 && Next >= 0x80 && Next < 0xA0) {
      std::snprintf(Escape, sizeof Escape, "\\u%04X", Next);
      ++At;
    } else {
      Out += Text[At];
      continue;
    }
    Out += Escape;
  }
  return Out;
}

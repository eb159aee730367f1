#include "RoffText.h"

#include <cstdio>

namespace {

// The code point of the UTF-8 sequence that starts at AText[AIndex]; AIndex
// is left on its last byte. A broken sequence reads as U+FFFD.
unsigned DecodeUtf8(const std::string &AText, std::size_t &AIndex) {
  const auto Lead = static_cast<unsigned char>(AText[AIndex]);
  const int Extra = Lead >= 0xF0 ? 3 : Lead >= 0xE0 ? 2 : Lead >= 0xC0 ? 1 : 0;
  if (Extra == 0 || AIndex + static_cast<std::size_t>(Extra) >= AText.size())
    return 0xFFFD;
  unsigned Code = Lead & (0x3Fu >> Extra);
  for (int i = 0; i < Extra; ++i) {
    const auto Next = static_cast<unsigned char>(AText[++AIndex]);
    if ((Next & 0xC0) != 0x80)
      return 0xFFFD;
    Code = (Code << 6) | (Next & 0x3Fu);
  }
  return Code;
}

std::string UnicodeEscape(unsigned ACode) {
  char Text[16];
  std::snprintf(Text, sizeof Text, "\\[u%04X]", ACode);
  return Text;
}

std::string Escaped(const std::string &AText, bool AHyphenIsMinus) {
  std::string Out;
  for (std::size_t i = 0; i < AText.size(); ++i) {
    const char Char = AText[i];
    const bool LineStart = Out.empty() || Out.back() == '\n';
    if (LineStart && (Char == '.' || Char == '\''))
      Out += "\\&";
    if (Char == '\\')
      Out += "\\e";
    else if (Char == '-' && AHyphenIsMinus)
      Out += "\\-";
    else if (static_cast<unsigned char>(Char) >= 0x80)
      Out += UnicodeEscape(DecodeUtf8(AText, i));
    else
      Out += Char;
  }
  return Out;
}

} // namespace

std::string RoffText(const std::string &AText) { return Escaped(AText, false); }

std::string RoffCode(const std::string &AText) { return Escaped(AText, true); }

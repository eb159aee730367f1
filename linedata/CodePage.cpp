#include "CodePage.h"

#include <cstdint>

namespace {

constexpr char32_t Replacement = 0xFFFD;

// 0x80-0x9F of Windows-1252; the unassigned bytes keep their C1 code points.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string &AOut, char32_t ACode) {
  if (ACode < 0x80) {
    AOut += static_cast<char>(ACode);
  } else if (ACode < 0x800) {
    AOut += static_cast<char>(0xC0 | (ACode >> 6));
    AOut += static_cast<char>(0x80 | (ACode & 0x3F));
  } else if (ACode < 0x10000) {
    AOut += static_cast<char>(0xE0 | (ACode >> 12));
    AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACode & 0x3F));
  } else {
    AOut += static_cast<char>(0xF0 | (ACode >> 18));
    AOut += static_cast<char>(0x80 | ((ACode >> 12) & 0x3F));
    AOut += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACode & 0x3F));
  }
}

void AppendUtf16(std::u16string &AOut, char32_t ACode) {
  if (ACode < 0x10000) {
    AOut += static_cast<char16_t>(ACode);
  } else {
    ACode -= 0x10000;
    AOut += static_cast<char16_t>(0xD800 + (ACode >> 10));
    AOut += static_cast<char16_t>(0xDC00 + (ACode & 0x3FF));
  }
}

// Decodes one code point at APos and advances it; malformed input (overlong,
// surrogate, beyond U+10FFFF, cut short) gives U+FFFD for its first byte.
char32_t NextCodePoint(std::string_view AText, std::size_t &APos) {
  const auto Lead = static_cast<unsigned char>(AText[APos++]);
  if (Lead < 0x80)
    return Lead;
  int Extra = 0;
  char32_t Code = 0, Minimum = 0;
  if ((Lead & 0xE0) == 0xC0) {
    Extra = 1, Code = Lead & 0x1F, Minimum = 0x80;
  } else if ((Lead & 0xF0) == 0xE0) {
    Extra = 2, Code = Lead & 0x0F, Minimum = 0x800;
  } else if ((Lead & 0xF8) == 0xF0) {
    Extra = 3, Code = Lead & 0x07, Minimum = 0x10000;
  } else {
    return Replacement;
  }
  if (APos + Extra > AText.size())
    return Replacement;
  for (int I = 0; I < Extra; ++I) {
    const auto Next = static_cast<unsigned char>(AText[APos + I]);
    if ((Next & 0xC0) != 0x80)
      return Replacement;
    Code = (Code << 6) | (Next & 0x3F);
  }
  if (Code < Minimum || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF))
    return Replacement;
  APos += Extra;
  return Code;
}

template <typename TUnitAt>
std::string DecodeUtf16(std::size_t ACount, TUnitAt AUnitAt, bool AOddByte) {
  std::string Out;
  Out.reserve(ACount);
  for (std::size_t I = 0; I < ACount; ++I) {
    const char32_t Unit = AUnitAt(I);
    if (Unit >= 0xD800 && Unit <= 0xDBFF && I + 1 < ACount) {
      const char32_t Low = AUnitAt(I + 1);
      if (Low >= 0xDC00 && Low <= 0xDFFF) {
        AppendUtf8(Out, 0x10000 + ((Unit - 0xD800) << 10) + (Low - 0xDC00));
        ++I;
        continue;
      }
    }
    AppendUtf8(Out, (Unit >= 0xD800 && Unit <= 0xDFFF) ? Replacement : Unit);
  }
  if (AOddByte)
    AppendUtf8(Out, Replacement);
  return Out;
}

bool IsAscii(std::string_view ABytes) {
  for (const char C : ABytes)
    if (static_cast<unsigned char>(C) >= 0x80)
      return false;
  return true;
}

unsigned Byte(std::string_view ABytes, std::size_t AIndex) { return static_cast<unsigned char>(ABytes[AIndex]); }

bool StartsWith(std::string_view ABytes, std::string_view APrefix) {
  return ABytes.substr(0, APrefix.size()) == APrefix;
}

} // namespace

std::string DecodeWindows1252(std::string_view ABytes) {
  // Router text is 7-bit nearly always: no byte to map.
  if (IsAscii(ABytes))
    return std::string(ABytes);
  std::string Out;
  Out.reserve(ABytes.size());
  for (const char C : ABytes) {
    const auto B = static_cast<unsigned char>(C);
    if (B < 0x80)
      Out += C;
    else if (B < 0xA0)
      AppendUtf8(Out, Windows1252High[B - 0x80]);
    else
      AppendUtf8(Out, B);
  }
  return Out;
}

std::string DecodeUtf16LE(std::string_view ABytes) {
  return DecodeUtf16(
      ABytes.size() / 2, [&](std::size_t I) { return char32_t(Byte(ABytes, 2 * I) | (Byte(ABytes, 2 * I + 1) << 8)); },
      ABytes.size() % 2 != 0);
}

std::string DecodeUtf16BE(std::string_view ABytes) {
  return DecodeUtf16(
      ABytes.size() / 2, [&](std::size_t I) { return char32_t((Byte(ABytes, 2 * I) << 8) | Byte(ABytes, 2 * I + 1)); },
      ABytes.size() % 2 != 0);
}

bool IsValidUtf8(std::string_view ABytes) {
  std::size_t Pos = 0;
  while (Pos < ABytes.size()) {
    const std::size_t Before = Pos;
    if (NextCodePoint(ABytes, Pos) == Replacement && ABytes.substr(Before, 3) != "\xEF\xBF\xBD")
      return false;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view ABytes) {
  if (IsValidUtf8(ABytes))
    return std::string(ABytes);
  std::string Out;
  Out.reserve(ABytes.size());
  std::size_t Pos = 0;
  while (Pos < ABytes.size())
    AppendUtf8(Out, NextCodePoint(ABytes, Pos));
  return Out;
}

std::u16string Utf8ToUtf16(std::string_view AText) {
  std::u16string Out;
  Out.reserve(AText.size());
  std::size_t Pos = 0;
  while (Pos < AText.size())
    AppendUtf16(Out, NextCodePoint(AText, Pos));
  return Out;
}

std::string Utf16ToUtf8(std::u16string_view AText) {
  return DecodeUtf16(AText.size(), [&](std::size_t I) { return char32_t(AText[I]); }, false);
}

std::string DecodeTextFileBytes(std::string_view ABytes) {
  if (StartsWith(ABytes, "\xEF\xBB\xBF"))
    return SanitizeUtf8(ABytes.substr(3));
  if (StartsWith(ABytes, "\xFF\xFE"))
    return DecodeUtf16LE(ABytes.substr(2));
  if (StartsWith(ABytes, "\xFE\xFF"))
    return DecodeUtf16BE(ABytes.substr(2));
  return DecodeWindows1252(ABytes);
}

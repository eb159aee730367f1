#include "CodePage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

constexpr char32_t Replacement = 0xFFFD;

// 0x80-0x9F of Windows-1252; the unassigned bytes keep their C1 code points.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOfAnsi(unsigned char AByte) {
  if (AByte >= 0x80 && AByte < 0xA0)
    return Windows1252High[AByte - 0x80];
  return AByte;
}

char AnsiByteOf(char32_t ACode) {
  if (ACode < 0x80 || (ACode >= 0xA0 && ACode <= 0xFF))
    return static_cast<char>(ACode);
  const auto Found = std::find(std::begin(Windows1252High), std::end(Windows1252High), ACode);
  if (Found == std::end(Windows1252High))
    return '?';
  return static_cast<char>(0x80 + (Found - std::begin(Windows1252High)));
}

char AsciiByteOf(char32_t ACode) { return ACode < 0x80 ? static_cast<char>(ACode) : '?'; }

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

// What a lead byte announces: the number of continuation bytes and the range
// the first of them must lie in. The narrowed ranges after E0, ED, F0 and F4
// rule out overlong forms, surrogates and code points above U+10FFFF before
// any bit is shifted.
struct TUtf8Lead {
  int Extra = 0;  // 0: the byte can begin no character
  unsigned char Low = 0x80, High = 0xBF;
};

TUtf8Lead LeadOf(unsigned char ALead) {
  if (ALead >= 0xC2 && ALead <= 0xDF)
    return {1};
  if (ALead >= 0xE0 && ALead <= 0xEF)
    return {2, static_cast<unsigned char>(ALead == 0xE0 ? 0xA0 : 0x80),
            static_cast<unsigned char>(ALead == 0xED ? 0x9F : 0xBF)};
  if (ALead >= 0xF0 && ALead <= 0xF4)
    return {3, static_cast<unsigned char>(ALead == 0xF0 ? 0x90 : 0x80),
            static_cast<unsigned char>(ALead == 0xF4 ? 0x8F : 0xBF)};
  return {};
}

template <typename TVisit>
void ForEachCodePoint(std::string_view AText, TVisit AVisit) {
  std::size_t Pos = 0;
  while (Pos < AText.size())
    AVisit(NextUtf8CodePoint(AText, Pos));
}

template <typename TByteOf>
std::string EncodeBytes(std::string_view AText, TByteOf AByteOf) {
  std::string Bytes;
  Bytes.reserve(AText.size());
  ForEachCodePoint(AText, [&](char32_t ACode) { Bytes += AByteOf(ACode); });
  return Bytes;
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

unsigned Byte(std::string_view ABytes, std::size_t AIndex) { return static_cast<unsigned char>(ABytes[AIndex]); }

bool StartsWith(std::string_view ABytes, std::string_view APrefix) {
  return ABytes.substr(0, APrefix.size()) == APrefix;
}

} // namespace

char32_t NextUtf8CodePoint(std::string_view AText, std::size_t &APos) {
  const auto Lead = static_cast<unsigned char>(AText[APos++]);
  if (Lead < 0x80)
    return Lead;
  TUtf8Lead Rule = LeadOf(Lead);
  if (Rule.Extra == 0)
    return Replacement;
  char32_t Code = Lead & (0x7Fu >> (Rule.Extra + 1));
  for (int I = 0; I < Rule.Extra; ++I) {
    const auto Next = APos < AText.size() ? static_cast<unsigned char>(AText[APos]) : 0;
    // The byte that breaks the sequence is not part of it: it may begin the next character.
    if (Next < Rule.Low || Next > Rule.High)
      return Replacement;
    Code = (Code << 6) | (Next & 0x3Fu);
    ++APos;
    Rule.Low = 0x80, Rule.High = 0xBF;
  }
  return Code;
}

// Eight bytes at a time: a snapshot file is megabytes of router text.
bool IsAscii(std::string_view ABytes) {
  constexpr std::uint64_t HighBits = 0x8080808080808080ULL;
  const char *At = ABytes.data();
  const char *const End = At + ABytes.size();
  std::uint64_t Seen = 0;
  for (; End - At >= 8; At += 8) {
    std::uint64_t Word;
    std::memcpy(&Word, At, sizeof Word);
    Seen |= Word;
  }
  for (; At < End; ++At)
    Seen |= static_cast<unsigned char>(*At);
  return (Seen & HighBits) == 0;
}

std::string AnsiToUtf8(std::string_view ABytes) {
  // Router text is 7-bit nearly always: no byte to map.
  if (IsAscii(ABytes))
    return std::string(ABytes);
  std::string Out;
  Out.reserve(ABytes.size());
  for (const char C : ABytes)
    AppendUtf8(Out, CodePointOfAnsi(static_cast<unsigned char>(C)));
  return Out;
}

std::string Utf8ToAnsi(std::string_view AText) { return EncodeBytes(AText, AnsiByteOf); }

std::string Utf8ToAscii(std::string_view AText) { return EncodeBytes(AText, AsciiByteOf); }

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
    if (NextUtf8CodePoint(ABytes, Pos) == Replacement && ABytes.substr(Before, 3) != "\xEF\xBF\xBD")
      return false;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view ABytes) {
  if (IsValidUtf8(ABytes))
    return std::string(ABytes);
  std::string Out;
  Out.reserve(ABytes.size());
  ForEachCodePoint(ABytes, [&](char32_t ACode) { AppendUtf8(Out, ACode); });
  return Out;
}

std::u16string Utf8ToUtf16(std::string_view AText) {
  std::u16string Out;
  Out.reserve(AText.size());
  ForEachCodePoint(AText, [&](char32_t ACode) { AppendUtf16(Out, ACode); });
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
  return AnsiToUtf8(ABytes);
}

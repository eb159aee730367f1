#include "AnsiText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F in Windows-1252.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char AByte) {
  if (AByte >= 0x80 && AByte < 0xA0)
    return HighControls[AByte - 0x80];
  return AByte;
}

void AppendUtf8(std::string &AText, char32_t ACode) {
  if (ACode < 0x80) {
    AText += static_cast<char>(ACode);
  } else if (ACode < 0x800) {
    AText += static_cast<char>(0xC0 | (ACode >> 6));
    AText += static_cast<char>(0x80 | (ACode & 0x3F));
  } else {
    AText += static_cast<char>(0xE0 | (ACode >> 12));
    AText += static_cast<char>(0x80 | ((ACode >> 6) & 0x3F));
    AText += static_cast<char>(0x80 | (ACode & 0x3F));
  }
}

char ByteOf(char32_t ACode) {
  if (ACode < 0x80 || (ACode >= 0xA0 && ACode <= 0xFF))
    return static_cast<char>(ACode);
  for (std::size_t I = 0; I < HighControls.size(); ++I)
    if (HighControls[I] == ACode)
      return static_cast<char>(0x80 + I);
  return '?';
}

// Length of the UTF-8 sequence a lead byte announces; 0 for a stray byte.
int SequenceLength(unsigned char ALead) {
  if (ALead < 0x80)
    return 1;
  if (ALead >= 0xC2 && ALead < 0xE0)
    return 2;
  if (ALead >= 0xE0 && ALead < 0xF0)
    return 3;
  if (ALead >= 0xF0 && ALead < 0xF5)
    return 4;
  return 0;
}

unsigned char FoldCase(unsigned char AByte) {
  if (AByte >= 'A' && AByte <= 'Z')
    return AByte + 32;
  if (AByte >= 0xC0 && AByte <= 0xDE && AByte != 0xD7)
    return AByte + 32;
  return AByte;
}

bool SameText(std::string_view A, std::string_view B) {
  return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
    return FoldCase(static_cast<unsigned char>(X)) == FoldCase(static_cast<unsigned char>(Y));
  });
}

} // namespace

std::string AnsiToUtf8(std::string_view ABytes) {
  std::string Text;
  Text.reserve(ABytes.size());
  for (char C : ABytes)
    AppendUtf8(Text, CodePointOf(static_cast<unsigned char>(C)));
  return Text;
}

std::string Utf8ToAnsi(std::string_view AText) {
  std::string Bytes;
  Bytes.reserve(AText.size());
  std::size_t I = 0;
  while (I < AText.size()) {
    const auto Lead = static_cast<unsigned char>(AText[I]);
    const int Length = SequenceLength(Lead);
    bool Valid = Length > 0 && I + Length <= AText.size();
    char32_t Code = Length == 1 ? Lead : Lead & (0x3F >> (Length - 1));
    for (int K = 1; Valid && K < Length; ++K) {
      const auto Next = static_cast<unsigned char>(AText[I + K]);
      Valid = (Next & 0xC0) == 0x80;
      Code = (Code << 6) | (Next & 0x3F);
    }
    Bytes += Valid ? ByteOf(Code) : '?';
    I += Valid ? Length : 1;
  }
  return Bytes;
}

bool AnsiEndsWithText(std::string_view ABytes, std::string_view AMarker) {
  if (AMarker.size() > ABytes.size())
    return false;
  return SameText(ABytes.substr(ABytes.size() - AMarker.size()), AMarker);
}

bool AnsiContainsText(std::string_view ABytes, std::string_view AMarker) {
  auto Found = std::search(ABytes.begin(), ABytes.end(), AMarker.begin(), AMarker.end(),
                           [](char X, char Y) {
                             return FoldCase(static_cast<unsigned char>(X)) ==
                                    FoldCase(static_cast<unsigned char>(Y));
                           });
  return Found != ABytes.end() || AMarker.empty();
}

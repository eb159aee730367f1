#include "TextCase.h"

#include <algorithm>
#include <cstring>

#include "CodePage.h"

namespace {

bool SameAnsiByte(char A, char B) {
  return FoldCase(static_cast<unsigned char>(A)) == FoldCase(static_cast<unsigned char>(B));
}

// The byte of the other case that folds alike, the byte itself when none.
unsigned char OtherCaseOf(unsigned char AByte) {
  for (int Byte = 0; Byte < 256; ++Byte)
    if (Byte != AByte && SameAnsiByte(static_cast<char>(Byte), static_cast<char>(AByte)))
      return static_cast<unsigned char>(Byte);
  return AByte;
}

// Where AByte is next at or after AFrom, before ATo; ATo when it is not.
std::size_t FindByte(const char *ABegin, std::size_t AFrom, std::size_t ATo, unsigned char AByte) {
  const void *Found = std::memchr(ABegin + AFrom, AByte, ATo - AFrom);
  return Found ? static_cast<std::size_t>(static_cast<const char *>(Found) - ABegin) : ATo;
}

} // namespace

char32_t FoldCase(char32_t ACode) {
  const bool AsciiCapital = ACode >= 'A' && ACode <= 'Z';
  const bool LatinCapital = ACode >= 0xC0 && ACode <= 0xDE && ACode != 0xD7;
  return AsciiCapital || LatinCapital ? ACode + 0x20 : ACode;
}

int CompareTextIgnoringCase(std::string_view A, std::string_view B) {
  std::size_t PosA = 0, PosB = 0;
  while (PosA < A.size() && PosB < B.size()) {
    const char32_t CodeA = FoldCase(NextUtf8CodePoint(A, PosA));
    const char32_t CodeB = FoldCase(NextUtf8CodePoint(B, PosB));
    if (CodeA != CodeB)
      return CodeA < CodeB ? -1 : 1;
  }
  return (PosA < A.size()) - (PosB < B.size());
}

bool SameTextIgnoringCase(std::string_view A, std::string_view B) {
  return CompareTextIgnoringCase(A, B) == 0;
}

bool AnsiEndsWithText(std::string_view ABytes, std::string_view AMarker) {
  if (AMarker.size() > ABytes.size())
    return false;
  return std::equal(AMarker.begin(), AMarker.end(), ABytes.end() - static_cast<std::ptrdiff_t>(AMarker.size()),
                    SameAnsiByte);
}

// Candidates are found by memchr of the marker's first byte in both its
// cases, each next place remembered until passed: an answer of megabytes is
// searched at memory speed, not compared and folded byte by byte.
bool AnsiContainsText(std::string_view ABytes, std::string_view AMarker) {
  if (AMarker.empty())
    return true;
  if (AMarker.size() > ABytes.size())
    return false;
  const unsigned char First = static_cast<unsigned char>(AMarker.front());
  const unsigned char Other = OtherCaseOf(First);
  const char *const Begin = ABytes.data();
  const std::size_t Starts = ABytes.size() - AMarker.size() + 1;
  std::size_t NextFirst = FindByte(Begin, 0, Starts, First);
  std::size_t NextOther = First == Other ? Starts : FindByte(Begin, 0, Starts, Other);
  for (std::size_t At = 0; At < Starts;) {
    if (NextFirst < At)
      NextFirst = FindByte(Begin, At, Starts, First);
    if (NextOther < At)
      NextOther = FindByte(Begin, At, Starts, Other);
    const std::size_t Candidate = std::min(NextFirst, NextOther);
    if (Candidate >= Starts)
      return false;
    if (std::equal(AMarker.begin() + 1, AMarker.end(), Begin + Candidate + 1, SameAnsiByte))
      return true;
    At = Candidate + 1;
  }
  return false;
}

#include "TextCase.h"

#include <algorithm>

#include "CodePage.h"

namespace {

bool SameAnsiByte(char A, char B) {
  return FoldCase(static_cast<unsigned char>(A)) == FoldCase(static_cast<unsigned char>(B));
}

} // namespace

char32_t FoldCase(char32_t ACode) {
  const bool AsciiCapital = ACode >= 'A' && ACode <= 'Z';
  const bool LatinCapital = ACode >= 0xC0 && ACode <= 0xDE && ACode != 0xD7;
  return AsciiCapital || LatinCapital ? ACode + 0x20 : ACode;
}

bool SameTextIgnoringCase(std::string_view A, std::string_view B) {
  std::size_t PosA = 0, PosB = 0;
  while (PosA < A.size() && PosB < B.size())
    if (FoldCase(NextUtf8CodePoint(A, PosA)) != FoldCase(NextUtf8CodePoint(B, PosB)))
      return false;
  return PosA == A.size() && PosB == B.size();
}

bool AnsiEndsWithText(std::string_view ABytes, std::string_view AMarker) {
  if (AMarker.size() > ABytes.size())
    return false;
  return std::equal(AMarker.begin(), AMarker.end(), ABytes.end() - static_cast<std::ptrdiff_t>(AMarker.size()),
                    SameAnsiByte);
}

bool AnsiContainsText(std::string_view ABytes, std::string_view AMarker) {
  return std::search(ABytes.begin(), ABytes.end(), AMarker.begin(), AMarker.end(), SameAnsiByte) != ABytes.end() ||
         AMarker.empty();
}

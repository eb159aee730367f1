#include "TextLines.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <cstring>

TTextLines::TTextLines(std::initializer_list<std::string_view> ALines) {
  std::size_t Bytes = 0;
  for (const std::string_view Line : ALines)
    Bytes += Line.size();
  reserve(ALines.size(), Bytes);
  for (const std::string_view Line : ALines)
    push_back(Line);
}

TTextLines::TTextLines(std::size_t ACount, std::string_view ALine) {
  reserve(ACount, ACount * ALine.size());
  for (std::size_t I = 0; I < ACount; ++I)
    push_back(ALine);
}

void TTextLines::push_back(std::string_view ALine) {
  // Texts are read with a cap far below this; a list this long is a fault.
  if (FText.size() + ALine.size() > UINT32_MAX)
    throw std::length_error("text lines past 4 GiB");
  FText.append(ALine);
  FEnds.push_back(static_cast<std::uint32_t>(FText.size()));
}

void TTextLines::RemoveFirst(std::size_t ACount) {
  ACount = std::min(ACount, size());
  if (ACount == 0)
    return;
  const std::uint32_t Cut = FEnds[ACount - 1];
  FText.erase(0, Cut);
  FEnds.erase(FEnds.begin(), FEnds.begin() + static_cast<std::ptrdiff_t>(ACount));
  for (std::uint32_t &End : FEnds)
    End -= Cut;
}

void TTextLines::RemoveLast(std::size_t ACount) {
  ACount = std::min(ACount, size());
  FEnds.resize(size() - ACount);
  FText.resize(FEnds.empty() ? 0 : FEnds.back());
}

void TTextLines::clear() {
  FText.clear();
  FEnds.clear();
}

void TTextLines::swap(TTextLines &AOther) noexcept {
  FText.swap(AOther.FText);
  FEnds.swap(AOther.FEnds);
}

void TTextLines::reserve(std::size_t ALines, std::size_t ABytes) {
  FEnds.reserve(ALines);
  FText.reserve(ABytes);
}

void TTextLines::TrimReserve() {
  if (FEnds.capacity() > FEnds.size() + FEnds.size() / 4)
    FEnds.shrink_to_fit();
}

std::string TextOf(const TTextLines &ALines) {
  std::string Text;
  Text.reserve(ALines.TextBytes() + 2 * ALines.size());
  for (const std::string_view Line : ALines) {
    Text += Line;
    Text += "\r\n";
  }
  return Text;
}

// Line ends found with memchr; the next LF is remembered, so that a text of
// lone CRs is not searched to its end once per line.
TTextLines SplitText(std::string_view AText) {
  TTextLines Lines;
  // Roughly one line per 40 bytes of router text; the text itself, at most.
  Lines.reserve(AText.size() / 40, AText.size());
  const char *const Begin = AText.data();
  const std::size_t Size = AText.size();
  std::size_t Start = 0;
  std::size_t NextLF = std::string_view::npos;
  while (Start < Size) {
    if (NextLF == std::string_view::npos || NextLF < Start) {
      const void *LF = std::memchr(Begin + Start, '\n', Size - Start);
      NextLF = LF ? static_cast<std::size_t>(static_cast<const char *>(LF) - Begin) : Size;
    }
    const void *CR = std::memchr(Begin + Start, '\r', NextLF - Start);
    std::size_t End = CR ? static_cast<std::size_t>(static_cast<const char *>(CR) - Begin) : NextLF;
    Lines.emplace_back(AText.substr(Start, End - Start));
    if (End == Size)
      break;
    if (Begin[End] == '\r' && End + 1 < Size && Begin[End + 1] == '\n')
      ++End;
    Start = End + 1;
  }
  // A listing's lines are twice the guess above: a snapshot held the room
  // for twice its line ends.
  Lines.TrimReserve();
  return Lines;
}

bool IsBlankLine(std::string_view ALine) {
  return std::all_of(ALine.begin(), ALine.end(), [](char C) { return C == ' ' || (C >= '\t' && C <= '\r'); });
}

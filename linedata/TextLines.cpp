#include "TextLines.h"

#include <algorithm>
#include <cstring>

std::string TextOf(const TTextLines &ALines) {
  std::size_t Size = 0;
  for (const std::string &Line : ALines)
    Size += Line.size() + 2;
  std::string Text;
  Text.reserve(Size);
  for (const std::string &Line : ALines) {
    Text += Line;
    Text += "\r\n";
  }
  return Text;
}

// Line ends found with memchr; the next LF is remembered, so that a text of
// lone CRs is not searched to its end once per line.
TTextLines SplitText(std::string_view AText) {
  TTextLines Lines;
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
  return Lines;
}

bool IsBlankLine(std::string_view ALine) {
  return std::all_of(ALine.begin(), ALine.end(), [](char C) { return C == ' ' || (C >= '\t' && C <= '\r'); });
}

#include "TextLines.h"

#include <algorithm>

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

TTextLines SplitText(std::string_view AText) {
  TTextLines Lines;
  std::size_t Start = 0;
  const std::size_t Size = AText.size();
  for (std::size_t I = 0; I < Size; ++I) {
    const char C = AText[I];
    if (C != '\r' && C != '\n')
      continue;
    Lines.emplace_back(AText.substr(Start, I - Start));
    if (C == '\r' && I + 1 < Size && AText[I + 1] == '\n')
      ++I;
    Start = I + 1;
  }
  if (Start < Size)
    Lines.emplace_back(AText.substr(Start));
  return Lines;
}

bool IsBlankLine(std::string_view ALine) {
  return std::all_of(ALine.begin(), ALine.end(), [](char C) { return C == ' ' || (C >= '\t' && C <= '\r'); });
}

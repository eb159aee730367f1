#include "MarkerSplit.h"

#include "TextCase.h"

std::ptrdiff_t FindMarkerLine(const TTextLines &ALines, std::string_view AMarker) {
  for (std::size_t I = 0; I < ALines.size(); ++I)
    if (SameTextIgnoringCase(ALines[I], AMarker))
      return static_cast<std::ptrdiff_t>(I);
  return -1;
}

void AppendLineRange(const TTextLines &ALines, std::ptrdiff_t AFirst, std::ptrdiff_t ALast,
                     TTextLines &ADest) {
  if (AFirst < 0)
    AFirst = 0;
  const auto Count = static_cast<std::ptrdiff_t>(ALines.size());
  if (ALast >= Count)
    ALast = Count - 1;
  for (std::ptrdiff_t I = AFirst; I <= ALast; ++I)
    ADest.push_back(ALines[static_cast<std::size_t>(I)]);
}

void SplitAtMarkers(const TTextLines &AData, std::string_view AUSMarker, std::string_view ADSMarker,
                    TTextLines &AUS, TTextLines &ADS) {
  const std::ptrdiff_t U = FindMarkerLine(AData, AUSMarker);
  const std::ptrdiff_t D = FindMarkerLine(AData, ADSMarker);
  const auto N = static_cast<std::ptrdiff_t>(AData.size());
  AppendLineRange(AData, U + 1, D - 2, AUS);
  AppendLineRange(AData, D + 1, N - 2, ADS);
}

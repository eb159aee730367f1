#include "CaptureFigures.h"

#include "DrayKindState.h"
#include "LineAnalysis.h"

TCaptureFigures CaptureFiguresOf(const TLineAnalysis &AAnalysis) {
  TCaptureFigures Figures;
  Figures.ActualRate = AAnalysis.Reported.ActualRate;
  Figures.AttainableRate = AAnalysis.Reported.AttainableRate;
  Figures.SNRMargin = AAnalysis.Reported.SNRMargin;
  Figures.Attenuation = AAnalysis.Reported.Attenuation;
  for (const TDirection Direction : DrayDirections)
    if (AAnalysis.Bits[Direction])
      Figures.LineRate[Direction] = AAnalysis.Bits[Direction]->LineRate;
  Figures.Counters = AAnalysis.Reported.Counters;
  return Figures;
}

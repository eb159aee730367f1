#include "ChartLook.h"

#include "BandPlan.h"
#include "ToneBands.h"
#include "ToneChart.h"

void TChartLook::ApplyTo(TToneChart *AChart, TVDSLProfile AProfile, const QColor &AUSColor,
                         const QColor &ADSColor) const {
  if (BandPlan)
    TToneBands::Set(AChart, BandPlanOf(AProfile), AUSColor, ADSColor);
  else
    TToneBands::Clear(AChart);
  AChart->SetFrequencyAxis(FrequencyAxis ? ToneSpacingHz(AProfile) : 0);
}

#include "ChartLook.h"

#include "BandPlan.h"
#include "ToneBands.h"
#include "ToneChart.h"

namespace {

void Recolour(QCPAbstractPlottable *ASeries, const QColor &AColor) {
  if (auto *bars = qobject_cast<QCPBars *>(ASeries)) {
    bars->setBrush(AColor);
    return;
  }
  QPen pen = ASeries->pen();
  pen.setColor(AColor);
  ASeries->setPen(pen);
}

}  // namespace

void TChartLook::ApplyTo(TToneChart *AChart, TVDSLProfile AProfile) const {
  if (BandPlan)
    TToneBands::Set(AChart, BandPlanOf(AProfile), USColor(), DSColor());
  else
    TToneBands::Clear(AChart);
  AChart->SetFrequencyAxis(FrequencyAxis ? ToneSpacingHz(AProfile) : 0);
  AChart->SetDark(Dark);
  for (int i = 0; i < AChart->plottableCount(); ++i) {
    QCPAbstractPlottable *series = AChart->plottable(i);
    if (series->name() == QLatin1String("US"))
      Recolour(series, USColor());
    else if (series->name() == QLatin1String("DS"))
      Recolour(series, DSColor());
  }
}

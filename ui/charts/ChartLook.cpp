#include "ChartLook.h"

#include "BandPlan.h"
#include "ChartOverlays.h"
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

QColor WithAlpha(QColor AColor, int AAlpha) {
  AColor.setAlpha(AAlpha);
  return AColor;
}

// Overlays take their direction's colour, see-through so that the
// snapshot's own series stay in front whatever the background.
void RecolourOverlay(QCPAbstractPlottable *ASeries, TOverlayRole ARole, const QColor &AColor) {
  switch (ARole) {
  case TOverlayRole::Reference:
  case TOverlayRole::Difference:
    Recolour(ASeries, ARole == TOverlayRole::Reference ? WithAlpha(AColor, 120) : AColor);
    return;
  case TOverlayRole::Envelope:
    if (ASeries->brush().style() != Qt::NoBrush)
      ASeries->setBrush(WithAlpha(AColor, 60));
    return;
  case TOverlayRole::EnvelopeMean:
    Recolour(ASeries, WithAlpha(AColor, 170));
    return;
  }
}

}  // namespace

TChartLook TChartLook::WithDirectionColours(const QColor &ADSColor, const QColor &AUSColor) const {
  TChartLook look = *this;
  look.ChosenDSColor = ADSColor;
  look.ChosenUSColor = AUSColor;
  return look;
}

void TChartLook::MarkDirection(QCPAbstractPlottable *ASeries, int ADirection) {
  ASeries->setProperty("toneDirection", ADirection);
}

void TChartLook::ApplyTo(TToneChart *AChart, TVDSLProfile AProfile) const {
  if (BandPlan)
    TToneBands::Set(AChart, BandPlanOf(AProfile), USColor(), DSColor(), Ground());
  else
    TToneBands::Clear(AChart);
  AChart->SetFrequencyAxis(FrequencyAxis ? ToneSpacingHz(AProfile) : 0);
  AChart->SetDark(Dark);
  for (int i = 0; i < AChart->plottableCount(); ++i) {
    QCPAbstractPlottable *series = AChart->plottable(i);
    const QVariant direction = series->property("toneDirection");
    if (!direction.isValid())
      continue;
    TOverlayRole role{};
    int overlayDirection = 0;
    if (TChartOverlays::OverlayOf(series, overlayDirection, role))
      RecolourOverlay(series, role, DirectionColor(direction.toInt()));
    else
      Recolour(series, DirectionColor(direction.toInt()));
  }
}

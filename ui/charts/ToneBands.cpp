#include "ToneBands.h"

#include <algorithm>

#include "ToneChart.h"

namespace {

// Items that belong to a band carry its name under this property.
const char *const BandName = "toneBand";

bool IsBand(const QCPAbstractItem *AItem) { return AItem->property(BandName).isValid(); }

void AddBand(TToneChart *AChart, const TPlanBand &ABand, const QColor &AColor) {
  // Behind the grid and the series: the band tints the plot, it hides nothing.
  const QString Name = QString::fromLatin1(ABand.Name);
  auto *Rect = new QCPItemRect(AChart);
  Rect->setLayer(QStringLiteral("background"));
  Rect->setProperty(BandName, Name);
  Rect->setSelectable(false);
  QColor Fill = AColor;
  Fill.setAlpha(TToneBands::Tint);
  Rect->setPen(Qt::NoPen);
  Rect->setBrush(Fill);
  Rect->topLeft->setTypeY(QCPItemPosition::ptAxisRectRatio);
  Rect->bottomRight->setTypeY(QCPItemPosition::ptAxisRectRatio);
  Rect->topLeft->setCoords(ABand.FirstTone - 0.5, 0);
  Rect->bottomRight->setCoords(ABand.LastTone + 0.5, 1);

  auto *Label = new QCPItemText(AChart);
  Label->setLayer(QStringLiteral("background"));
  Label->setProperty(BandName, Name);
  Label->setSelectable(false);
  Label->setText(Name);
  Label->setColor(AColor);
  Label->setClipToAxisRect(true);
  Label->setPositionAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
  Label->position->setCoords((ABand.FirstTone + ABand.LastTone) / 2.0, 0.005);
}

} // namespace

void TToneBands::Clear(TToneChart *AChart) {
  for (int i = AChart->itemCount() - 1; i >= 0; --i)
    if (IsBand(AChart->item(i)))
      AChart->removeItem(i);
}

void TToneBands::Set(TToneChart *AChart, const std::vector<TPlanBand> &ABands, const QColor &AUSColor,
                     const QColor &ADSColor) {
  Clear(AChart);
  for (const TPlanBand &Band : ABands)
    AddBand(AChart, Band, Band.Direction == TDirection::Upstream ? AUSColor : ADSColor);
  AChart->replot(QCustomPlot::rpQueuedReplot);
}

std::vector<TShadedBand> TToneBands::Of(const TToneChart *AChart) {
  std::vector<TShadedBand> Bands;
  for (int i = 0; i < AChart->itemCount(); ++i) {
    const auto *Rect = qobject_cast<const QCPItemRect *>(AChart->item(i));
    if (Rect && IsBand(Rect))
      Bands.push_back({Rect->property(BandName).toString(), Rect->topLeft->coords().x() + 0.5,
                       Rect->bottomRight->coords().x() - 0.5});
  }
  std::sort(Bands.begin(), Bands.end(),
            [](const TShadedBand &A, const TShadedBand &B) { return A.FirstTone < B.FirstTone; });
  return Bands;
}

#include "ToneBands.h"

#include <algorithm>
#include <cmath>

#include "ToneChart.h"

namespace {

// Items that belong to a band carry its name under this property.
const char *const BandName = "toneBand";

bool IsBand(const QCPAbstractItem *AItem) { return AItem->property(BandName).isValid(); }

// A band's name, placed anew each time it is drawn: the first band of a
// profile is a few pixels wide at the plot's left edge, where a label centred
// on it would lose its first letters, and a zoomed view may show only part
// of a band.
class TBandLabel : public QCPItemText {
public:
  TBandLabel(QCustomPlot *APlot, const TPlanBand &ABand)
      : QCPItemText(APlot), FFirstTone(ABand.FirstTone), FLastTone(ABand.LastTone) {}

protected:
  void draw(QCPPainter *APainter) override {
    QCPAxis *Axis = position->keyAxis();
    const double Left = Axis->coordToPixel(FFirstTone - 0.5), Right = Axis->coordToPixel(FLastTone + 0.5);
    const QRect Plot = clipRect();
    // Measured as the label measures itself when it draws, and a pixel
    // more, so that no letter touches the plot's edge.
    const QRect Text = QFontMetrics(mainFont(), APainter->device())
                           .boundingRect(0, 0, 0, 0, Qt::TextDontClip | textAlignment(), text());
    const double Half = std::ceil((Text.width() + padding().left() + padding().right()) / 2.0) + 1;
    const std::optional<double> Centre = TToneBands::LabelCentre(std::min(Left, Right), std::max(Left, Right),
                                                                 Plot.left(), Plot.left() + Plot.width(), Half);
    if (!Centre)
      return;
    // The label stays where it was last drawn, so that its anchors tell
    // where it shows.
    position->setCoords(Axis->pixelToCoord(*Centre), position->coords().y());
    QCPItemText::draw(APainter);
  }

private:
  double FFirstTone, FLastTone;
};

void AddBand(TToneChart *AChart, const TPlanBand &ABand, const QColor &AColor, const QColor &AGround) {
  // Behind the grid and the series: the band tints the plot, it hides nothing.
  const QString Name = QString::fromLatin1(ABand.Name);
  auto *Rect = new QCPItemRect(AChart);
  Rect->setLayer(QStringLiteral("background"));
  Rect->setProperty(BandName, Name);
  Rect->setSelectable(false);
  Rect->setPen(Qt::NoPen);
  Rect->setBrush(TToneBands::BandFill(AColor, AGround));
  Rect->topLeft->setTypeY(QCPItemPosition::ptAxisRectRatio);
  Rect->bottomRight->setTypeY(QCPItemPosition::ptAxisRectRatio);
  Rect->topLeft->setCoords(ABand.FirstTone - 0.5, 0);
  Rect->bottomRight->setCoords(ABand.LastTone + 0.5, 1);
}

// After every band's fill: a label kept whole may reach into the next band,
// whose opaque fill would cover it.
void AddLabel(TToneChart *AChart, const TPlanBand &ABand, const QColor &AColor) {
  const QString Name = QString::fromLatin1(ABand.Name);
  auto *Label = new TBandLabel(AChart, ABand);
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

QColor TToneBands::BandFill(const QColor &ATint, const QColor &AGround) {
  auto Mix = [](int ATintPart, int AGroundPart) { return (ATintPart * Tint + AGroundPart * (255 - Tint) + 127) / 255; };
  return QColor(Mix(ATint.red(), AGround.red()), Mix(ATint.green(), AGround.green()), Mix(ATint.blue(), AGround.blue()));
}

void TToneBands::Set(TToneChart *AChart, const std::vector<TPlanBand> &ABands, const QColor &AUSColor,
                     const QColor &ADSColor, const QColor &AGround) {
  Clear(AChart);
  for (const TPlanBand &Band : ABands)
    AddBand(AChart, Band, Band.Direction == TDirection::Upstream ? AUSColor : ADSColor, AGround);
  for (const TPlanBand &Band : ABands)
    AddLabel(AChart, Band, Band.Direction == TDirection::Upstream ? AUSColor : ADSColor);
  AChart->QueueReplot();
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

std::optional<double> TToneBands::LabelCentre(double ABandLeft, double ABandRight, double APlotLeft,
                                              double APlotRight, double AHalfWidth) {
  const double Left = std::max(ABandLeft, APlotLeft), Right = std::min(ABandRight, APlotRight);
  if (Left >= Right)
    return std::nullopt;
  const double Centre = (Left + Right) / 2;
  // Against the right edge first, so that on a plot narrower than the label
  // its start stays in view.
  return std::max(APlotLeft + AHalfWidth, std::min(Centre, APlotRight - AHalfWidth));
}

// What the charts draw besides the snapshot shown: a reference snapshot, the
// difference from it, and the range of the line over captures.

#include <QCheckBox>

#include "ChartOverlays.h"
#include "ChartSetup.h"
#include "Comparison.h"
#include "DirectionPair.h"
#include "DrawTable.h"
#include "DrayData.h"
#include "MainCharts.h"
#include "SeriesPlotter.h"
#include "ToneChart.h"
#include "ToneDifference.h"
#include "ToneEnvelope.h"

namespace {

// "US" or "DS" by the charts' direction index.
QString Side(int ADirection) { return QLatin1String(DirectionLabel(DrayDirections[std::size_t(ADirection)])); }

// The bits gained and lost where both snapshots have that direction's bins.
QString BitsCount(const TBitsLegend &ALegend, int ADirection) {
  return QString::fromStdString(BitsCountText(*ALegend[std::size_t(ADirection)]));
}

// The per-bin SNR of the shown snapshot minus the reference's, where both
// have a bins listing.
TSeriesPoints BinSNRDifference(const TDrayBinArray &AShown, const TDrayBinArray &AReference, int ACount) {
  const TSeriesPoints shown = BinPoints(AShown, ACount, TBinField::SNR);
  const TSeriesPoints reference = BinPoints(AReference, ACount, TBinField::SNR);
  TSeriesPoints points = shown;
  for (qsizetype i = 0; i < points.Values.size(); ++i)
    points.Values[i] -= reference.Values[i];
  return points;
}

}  // namespace

void TMainCharts::SetReference(const TDrayData *AReference, bool ADifference) {
  FReference = AReference;
  FDifference = AReference && ADifference;
  SetupCharts();
}

// Once the overlays are added: legends, value axes and colours follow them.
void TMainCharts::FinishOverlays(const std::vector<TToneChart *> &ACharts, const TDrayData &AData) {
  for (TToneChart *chart : ACharts) {
    TSeriesPlotter::Finish(chart);
    ApplyLook(chart, &AData);
  }
}

void TMainCharts::SetEnvelope(std::shared_ptr<const TToneEnvelope> AEnvelope) {
  FEnvelope = std::move(AEnvelope);
}

// The reference's tables drawn as the shown snapshot's are, as overlays:
// thin, lighter, and as flat steps where the snapshot has bars.
void TMainCharts::DrawReference(const TDrayData &AData) {
  const TDrayData &reference = *FReference;
  const QString name = QString::fromStdString(reference.Name());
  const TChartLook look = DrawingLook(FLook.DSColor(), FLook.USColor());
  const bool referenceBins = HasBins(reference);
  const TBitsLegend legend = CompareBits(reference, AData);
  const struct {
    TToneChart *Chart;
    TChartKind Kind;
    bool Bins, Steps;
  } tables[] = {{chartHLog, TChartKind::HLog, false, false},    {chartQLN, TChartKind::QLN, false, false},
                {chartSNR, TChartKind::SNR, false, false},      {chartBitLoading, TChartKind::Bits, true, true},
                {chartGain, TChartKind::Gain, true, true},      {chartBinSNRUS, TChartKind::BinSNRUS, true, false},
                {chartBinSNRDS, TChartKind::BinSNRDS, true, false}};
  for (const auto &table : tables) {
    if (table.Bins && !referenceBins)
      continue;
    for (TDirection direction : ChartDirections(table.Kind)) {
      const int d = int(IndexOf(direction));
      QString title = IsBinSNR(table.Kind) ? name : QStringLiteral("%1 %2").arg(Side(d), name);
      if (table.Kind == TChartKind::Bits && legend[std::size_t(d)])
        title += QStringLiteral(": ") + BitsCount(legend, d);
      TChartOverlays::AddReference(table.Chart, TablePoints(reference, table.Kind, direction, look), d, title,
                                   table.Steps);
    }
  }
  FinishOverlays(AllCharts(), AData);
}

void TMainCharts::DrawDifference(const TDrayData &AData) {
  const TDrayData &reference = *FReference;
  const TToneDifference difference = DiffTones(reference, AData);
  const TVDSLProfile profile =
      ProfileToneCount(AData.VDSLProfile()) >= ProfileToneCount(reference.VDSLProfile()) ? AData.VDSLProfile()
                                                                                            : reference.VDSLProfile();
  const QString minus = QStringLiteral(" \u2212 ") + QString::fromStdString(FReference->Name());
  auto prepare = [&](TToneChart *AChart, const QString &ATitle) {
    TChartSetup::UpdateProfileAxis(AChart, profile);
    AChart->SetValueRangeAutomatic();
    AChart->SetTitle(ATitle + QStringLiteral(": difference from ") + QString::fromStdString(FReference->Name()));
  };
  const struct {
    TToneChart *Chart;
    const char *Title;
  } stats[] = {{chartHLog, "HLog"}, {chartQLN, "QLN"}, {chartSNR, "SNR"}};
  for (int k = 0; k < 3; ++k) {
    prepare(stats[k].Chart, QString::fromLatin1(stats[k].Title));
    for (int d = 0; d < 2; ++d)
      TChartOverlays::AddDifferenceLine(stats[k].Chart, TonePoints(difference.Stats[std::size_t(k)][std::size_t(d)]),
                                        d, Side(d) + minus);
  }
  prepare(chartBitLoading, chartBitLoading->Title());
  prepare(chartGain, chartGain->Title());
  const TBitsLegend legend = CompareBits(reference, AData);
  const bool bothBins = legend[0] || legend[1];
  if (bothBins) {
    auto bitsName = [&](int ADirection) {
      const QString direction = Side(ADirection);
      return legend[std::size_t(ADirection)] ? direction + QStringLiteral(": ") + BitsCount(legend, ADirection)
                                             : direction + minus;
    };
    TChartOverlays::AddDifferenceBars(chartBitLoading, TonePoints(difference.Bits[0]), TonePoints(difference.Bits[1]),
                                      bitsName(0), bitsName(1));
    TChartOverlays::AddDifferenceBars(chartGain, TonePoints(difference.Gain[0], 0.1),
                                      TonePoints(difference.Gain[1], 0.1), Side(0) + minus,
                                      Side(1) + minus);
  }
  const int binSNRCount = First512Bins() ? 512 : difference.ToneCount;
  const struct {
    TToneChart *Chart;
    TDirection Direction;
    const char *Title;
  } binSNR[] = {{chartBinSNRUS, TDirection::Upstream, "SNR Upstream"},
                {chartBinSNRDS, TDirection::Downstream, "SNR Downstream"}};
  for (const auto &side : binSNR) {
    TChartSetup::UpdateBinSNRAxis(side.Chart, AData.VDSLProfile(), First512Bins());
    prepare(side.Chart, QString::fromLatin1(side.Title));
    if (bothBins)
      TChartOverlays::AddDifferenceLine(
          side.Chart, BinSNRDifference(AData.BinTable(side.Direction), reference.BinTable(side.Direction), binSNRCount),
          side.Direction == TDirection::Upstream ? 0 : 1, QString::fromStdString(AData.Name()) + minus);
  }
  if (!bothBins)
    for (TToneChart *chart : {chartBitLoading, chartGain, chartBinSNRUS, chartBinSNRDS})
      chart->SetNotice(QStringLiteral("No bins data in both snapshots"));
  FinishOverlays(AllCharts(), AData);
}

void TMainCharts::DrawEnvelope(const TDrayData &AData) {
  if (FEnvelope->Profile != ProfileName(AData.VDSLProfile()) || FEnvelope->Captures == 0)
    return;
  for (int d = 0; d < 2; ++d) {
    const QString name = QStringLiteral("%1 range of %2 captures").arg(Side(d)).arg(FEnvelope->Captures);
    TChartOverlays::AddEnvelope(chartSNR, EnvelopePoints(*FEnvelope, false, d), d, name, false);
    if (HasBins(AData))
      TChartOverlays::AddEnvelope(chartBitLoading, EnvelopePoints(*FEnvelope, true, d), d, name, true);
  }
  FinishOverlays({chartSNR, chartBitLoading}, AData);
}

// What the charts draw besides the snapshot shown: a reference snapshot, the
// difference from it, and the range of the line over captures.

#include <QCheckBox>

#include "ChartOverlays.h"
#include "Comparison.h"
#include "ChartSetup.h"
#include "DrayData.h"
#include "MainCharts.h"
#include "SeriesPlotter.h"
#include "ToneChart.h"
#include "ToneDifference.h"
#include "ToneEnvelope.h"

namespace {

const char *const DirectionNames[] = {"US", "DS"};

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

void TMainCharts::DrawReference(const TDrayData &AData) {
  const TDrayData &reference = *FReference;
  const QString name = QString::fromStdString(FReference->Name());
  const struct {
    TToneChart *Chart;
    TDrayKind Kind;
  } stats[] = {{chartHLog, TDrayKind::HLog}, {chartQLN, TDrayKind::QLN}, {chartSNR, TDrayKind::SNR}};
  for (const auto &stat : stats) {
    const TStatMultipliers groups = reference.Multipliers(stat.Kind);
    for (int d = 0; d < 2; ++d) {
      TChartOverlays::AddReference(stat.Chart,
                                   StatLinePoints(reference.StatTable(stat.Kind, DrayDirections[std::size_t(d)]), groups[d]), d,
                                   QStringLiteral("%1 %2").arg(QLatin1String(DirectionNames[d]), name), false);
    }
  }
  const bool referenceBins = HasBinData(reference.ShowBinStatsUS()) || HasBinData(reference.ShowBinStatsDS());
  if (referenceBins) {
    const TBitsLegend legend = CompareBits(reference, AData);
    const int tones = ProfileToneCount(reference.VDSLProfile());
    const int binSNRCount = First512Bins() ? 512 : tones;
    for (int d = 0; d < 2; ++d) {
      const TDrayBinArray &table = reference.BinTable(DrayDirections[std::size_t(d)]);
      const QString side = QStringLiteral("%1 %2").arg(QLatin1String(DirectionNames[d]), name);
      const bool bothBins = legend[std::size_t(d)].has_value();
      TChartOverlays::AddReference(chartBitLoading, BinPoints(table, tones, TBinField::ToneBits), d,
                                   bothBins ? side + QStringLiteral(": ") + BitsCount(legend, d) : side, true);
      TChartOverlays::AddReference(chartGain, BinPoints(table, tones, TBinField::Gain), d, side, true);
      TChartOverlays::AddReference(d == 0 ? chartBinSNRUS : chartBinSNRDS,
                                   BinPoints(table, binSNRCount, TBinField::SNR), d, name, false);
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
                                        d, QLatin1String(DirectionNames[d]) + minus);
  }
  prepare(chartBitLoading, chartBitLoading->Title());
  prepare(chartGain, chartGain->Title());
  const TBitsLegend legend = CompareBits(reference, AData);
  const bool bothBins = legend[0] || legend[1];
  if (bothBins) {
    auto bitsName = [&](int ADirection) {
      const QString direction = QLatin1String(DirectionNames[ADirection]);
      return legend[std::size_t(ADirection)] ? direction + QStringLiteral(": ") + BitsCount(legend, ADirection)
                                             : direction + minus;
    };
    TChartOverlays::AddDifferenceBars(chartBitLoading, TonePoints(difference.Bits[0]), TonePoints(difference.Bits[1]),
                                      bitsName(0), bitsName(1));
    TChartOverlays::AddDifferenceBars(chartGain, TonePoints(difference.Gain[0], 0.1),
                                      TonePoints(difference.Gain[1], 0.1), QStringLiteral("US") + minus,
                                      QStringLiteral("DS") + minus);
  }
  const int binSNRCount = First512Bins() ? 512 : difference.ToneCount;
  const struct {
    TToneChart *Chart;
    TDirection Direction;
    const char *Title;
  } binSNR[] = {{chartBinSNRUS, TDirection::Upstream, "SNR Upstream"},
                {chartBinSNRDS, TDirection::Downstream, "SNR Downstream"}};
  for (const auto &side : binSNR) {
    SetBinSNRAxis(side.Chart, AData, side.Title);
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
    const QString name = QStringLiteral("%1 range of %2 captures").arg(QLatin1String(DirectionNames[d])).arg(FEnvelope->Captures);
    TChartOverlays::AddEnvelope(chartSNR, EnvelopePoints(*FEnvelope, false, d), d, name, false);
    if (HasBinData(AData.ShowBinStatsUS()) || HasBinData(AData.ShowBinStatsDS()))
      TChartOverlays::AddEnvelope(chartBitLoading, EnvelopePoints(*FEnvelope, true, d), d, name, true);
  }
  FinishOverlays({chartSNR, chartBitLoading}, AData);
}

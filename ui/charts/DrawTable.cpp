#include "DrawTable.h"

#include <QString>

#include "ChartSetup.h"
#include "DirectionPair.h"
#include "DrayData.h"
#include "ResourceStrings.h"
#include "SeriesPlotter.h"
#include "ToneAxis.h"
#include "ToneChart.h"

std::optional<TChartKind> ChartKindFromName(std::string_view AName) {
  static const std::pair<std::string_view, TChartKind> Names[] = {
      {"hlog", TChartKind::HLog}, {"qln", TChartKind::QLN},   {"snr", TChartKind::SNR},
      {"bits", TChartKind::Bits}, {"gain", TChartKind::Gain}, {"binsnr", TChartKind::BinSNR}};
  for (const auto &[Name, Kind] : Names)
    if (Name == AName)
      return Kind;
  return std::nullopt;
}

namespace {

QString SeriesTitle(TDirection ADirection) { return QString::fromLatin1(DirectionLabel(ADirection)); }

std::optional<TDrayKind> StatKindOf(TChartKind AKind) {
  switch (AKind) {
  case TChartKind::HLog: return TDrayKind::HLog;
  case TChartKind::QLN: return TDrayKind::QLN;
  case TChartKind::SNR: return TDrayKind::SNR;
  default: return std::nullopt;
  }
}

// A snapshot without bins tables says so in its bins charts rather than
// draw them flat at zero.
bool NoticeWithoutBins(TToneChart *AChart, const TDrayData &AData) {
  if (HasBins(AData))
    return false;
  AChart->SetNotice(QString::fromUtf8(rsNoBinsData));
  return true;
}

void AddLines(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook, int AWidth) {
  for (TDirection direction : ChartDirections(AKind)) {
    QCPGraph *line = TSeriesPlotter::AddLine(AChart, TablePoints(AData, AKind, direction, ALook),
                                             SeriesTitle(direction), ALook.DirectionColor(direction), AWidth);
    TChartLook::MarkDirection(line, int(IndexOf(direction)));
  }
}

void AddBars(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook) {
  const std::array<QCPBars *, 2> pair = TSeriesPlotter::AddBarPair(
      AChart, TablePoints(AData, AKind, TDirection::Upstream, ALook),
      TablePoints(AData, AKind, TDirection::Downstream, ALook), SeriesTitle(TDirection::Upstream),
      SeriesTitle(TDirection::Downstream), ALook.USColor(), ALook.DSColor());
  for (TDirection direction : DrayDirections)
    TChartLook::MarkDirection(pair[IndexOf(direction)], int(IndexOf(direction)));
}

// Adds the series; false when the chart shows the no-bins notice instead.
bool AddSeries(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook) {
  if (StatKindOf(AKind)) {
    AddLines(AChart, AData, AKind, ALook, TSeriesPlotter::StatLineWidth);
    return true;
  }
  if (NoticeWithoutBins(AChart, AData))
    return false;
  if (IsBinSNR(AKind))
    AddLines(AChart, AData, AKind, ALook, 1);
  else
    AddBars(AChart, AData, AKind, ALook);
  return true;
}

} // namespace

bool IsBinSNR(TChartKind AKind) {
  return AKind == TChartKind::BinSNR || AKind == TChartKind::BinSNRUS || AKind == TChartKind::BinSNRDS;
}

std::vector<TDirection> ChartDirections(TChartKind AKind) {
  if (AKind == TChartKind::BinSNRUS)
    return {TDirection::Upstream};
  if (AKind == TChartKind::BinSNRDS)
    return {TDirection::Downstream};
  return {DrayDirections.begin(), DrayDirections.end()};
}

bool HasBins(const TDrayData &AData) {
  return HasBinData(AData.BinTable(TDirection::Upstream)) || HasBinData(AData.BinTable(TDirection::Downstream));
}

TSeriesPoints TablePoints(const TDrayData &AData, TChartKind AKind, TDirection ADirection, const TChartLook &ALook) {
  if (const std::optional<TDrayKind> stat = StatKindOf(AKind))
    return StatLinePoints(AData.StatTable(*stat, ADirection), AData.Multipliers(*stat)[IndexOf(ADirection)]);
  const int tones = ProfileToneCount(AData.VDSLProfile());
  const TDrayBinArray &bins = AData.BinTable(ADirection);
  switch (AKind) {
  case TChartKind::Bits: return BinPoints(bins, tones, TBinField::ToneBits);
  case TChartKind::Gain: return BinPoints(bins, tones, TBinField::Gain);
  default: return BinPoints(bins, ALook.First512Bins ? 512 : tones, TBinField::SNR);
  }
}

void DrawTable(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook) {
  if (IsBinSNR(AKind))
    TChartSetup::UpdateBinSNRAxis(AChart, AData.VDSLProfile(), ALook.First512Bins);
  else
    TChartSetup::UpdateProfileAxis(AChart, AData.VDSLProfile());
  if (AddSeries(AChart, AData, AKind, ALook))
    TSeriesPlotter::Finish(AChart);
  ALook.ApplyTo(AChart, AData.VDSLProfile());
}

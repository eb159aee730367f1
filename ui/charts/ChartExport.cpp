#include "ChartExport.h"

#include <QSvgGenerator>

#include "ChartSetup.h"
#include "DrayData.h"
#include "ResourceStrings.h"
#include "SeriesData.h"
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

std::optional<TImageFormat> ImageFormatFromName(std::string_view AName) {
  if (AName == "png")
    return TImageFormat::Png;
  if (AName == "svg")
    return TImageFormat::Svg;
  if (AName == "pdf")
    return TImageFormat::Pdf;
  return std::nullopt;
}

namespace {

constexpr std::uint16_t AllTones = 8192;

// The bins charts say so when the snapshot has no bins tables, as the
// window's do.
bool NoticeWithoutBins(TToneChart *AChart, const TDrayData &AData) {
  if (HasBinData(AData.ShowBinStatsUS()) || HasBinData(AData.ShowBinStatsDS()))
    return false;
  AChart->SetNotice(QString::fromUtf8(rsNoBinsData));
  return true;
}

void DrawBins(TToneChart *AChart, const TDrayData &AData, TBinField AField) {
  if (NoticeWithoutBins(AChart, AData))
    return;
  TSeriesPlotter::PlotBinBars(AChart, AData.ShowBinStatsUS(), AData.ShowBinStatsDS(),
                              ProfileToneCount(AData.VDSLProfile()), AField, TChartExport::DSColor(),
                              TChartExport::USColor());
}

void DrawBinSNR(TToneChart *AChart, const TDrayData &AData) {
  TChartSetup::SetupBinSNRChart(AChart, AllTones, false);
  AChart->SetToneSpacingHz(ToneSpacingHz(AData.VDSLProfile()));
  const TToneAxisChoice Axis = ToneAxisForProfile(AData.VDSLProfile());
  AChart->SetToneRange(0, Axis.Max);
  AChart->SetToneLabelStep(Axis.LabelStep.value_or(TChartSetup::DesignLabelStep));
  if (NoticeWithoutBins(AChart, AData))
    return;
  const int Count = ProfileToneCount(AData.VDSLProfile());
  TSeriesPlotter::PlotBinLine(AChart, AData.ShowBinStatsUS(), Count, QStringLiteral("US"), TChartExport::USColor());
  TSeriesPlotter::PlotBinLine(AChart, AData.ShowBinStatsDS(), Count, QStringLiteral("DS"), TChartExport::DSColor());
}

void DrawStat(TToneChart *AChart, const TDrayData &AData, TDrayKind AKind) {
  TSeriesPlotter::PlotStatLines(AChart, AData.StatTable(AKind, TDirection::Upstream),
                                AData.StatTable(AKind, TDirection::Downstream), AData.Multipliers(AKind),
                                TChartExport::DSColor(), TChartExport::USColor());
}

} // namespace

void TChartExport::Draw(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook) {
  DrawSeries(AChart, AData, AKind);
  ALook.ApplyTo(AChart, AData.VDSLProfile());
}

void TChartExport::DrawSeries(TToneChart *AChart, const TDrayData &AData, TChartKind AKind) {
  AChart->ClearSeries();
  switch (AKind) {
  case TChartKind::HLog: TChartSetup::SetupHLogChart(AChart, AllTones); break;
  case TChartKind::QLN: TChartSetup::SetupQLNChart(AChart, AllTones); break;
  case TChartKind::SNR: TChartSetup::SetupSNRChart(AChart, AllTones); break;
  case TChartKind::Bits: TChartSetup::SetupBitLoadingChart(AChart, AllTones); break;
  case TChartKind::Gain: TChartSetup::SetupGainChart(AChart, AllTones); break;
  case TChartKind::BinSNR: DrawBinSNR(AChart, AData); return;
  }
  TChartSetup::UpdateProfileAxis(AChart, AData.VDSLProfile());
  switch (AKind) {
  case TChartKind::HLog: DrawStat(AChart, AData, TDrayKind::HLog); break;
  case TChartKind::QLN: DrawStat(AChart, AData, TDrayKind::QLN); break;
  case TChartKind::SNR: DrawStat(AChart, AData, TDrayKind::SNR); break;
  case TChartKind::Bits: DrawBins(AChart, AData, TBinField::ToneBits); break;
  case TChartKind::Gain: DrawBins(AChart, AData, TBinField::Gain); break;
  case TChartKind::BinSNR: break;
  }
}

bool TChartExport::SaveSvg(TToneChart *AChart, const QString &AFilename, QSize ASize) {
  QSvgGenerator Generator;
  Generator.setFileName(AFilename);
  Generator.setSize(ASize);
  Generator.setViewBox(QRect(QPoint(0, 0), ASize));
  Generator.setTitle(AChart->Title());
  QCPPainter Painter;
  if (!Painter.begin(&Generator))
    return false;
  AChart->toPainter(&Painter, ASize.width(), ASize.height());
  return Painter.end();
}

bool TChartExport::Save(TToneChart *AChart, const QString &AFilename, TImageFormat AFormat, QSize ASize) {
  AChart->resize(ASize);
  AChart->replot(QCustomPlot::rpImmediateRefresh);
  switch (AFormat) {
  case TImageFormat::Png: return AChart->savePng(AFilename, ASize.width(), ASize.height());
  case TImageFormat::Svg: return SaveSvg(AChart, AFilename, ASize);
  case TImageFormat::Pdf: return AChart->savePdf(AFilename, ASize.width(), ASize.height());
  }
  return false;
}

#include "ChartExport.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "ChartSetup.h"
#include "DrayData.h"
#include "ReplacingFile.h"
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

namespace {

// Qt's picture writers do not all report a file that could not be written
// (the SVG and PDF writers carry on past a full disk): pictures are drawn
// into memory and written as files by the one writer that replaces a file
// only with a complete one.
QByteArray PngBytes(TToneChart *AChart, QSize ASize) {
  QImage Image = AChart->toPixmap(ASize.width(), ASize.height()).toImage();
  // 96 dpi, as a screen shot of the chart would say.
  const int DotsPerMeter = qRound(96 / 0.0254);
  Image.setDotsPerMeterX(DotsPerMeter);
  Image.setDotsPerMeterY(DotsPerMeter);
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  return Buffer.open(QIODevice::WriteOnly) && Image.save(&Buffer, "PNG") ? Bytes : QByteArray();
}

QByteArray SvgBytes(TToneChart *AChart, QSize ASize) {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  QSvgGenerator Generator;
  Generator.setOutputDevice(&Buffer);
  Generator.setSize(ASize);
  Generator.setViewBox(QRect(QPoint(0, 0), ASize));
  Generator.setTitle(AChart->Title());
  QCPPainter Painter;
  if (!Painter.begin(&Generator))
    return {};
  AChart->toPainter(&Painter, ASize.width(), ASize.height());
  return Painter.end() ? Bytes : QByteArray();
}

// One page the size of the chart, a point for a pixel, as vectors.
QByteArray PdfBytes(TToneChart *AChart, QSize ASize) {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  if (!Buffer.open(QIODevice::WriteOnly))
    return {};
  {
    QPdfWriter Writer(&Buffer);
    Writer.setResolution(72);
    Writer.setPageLayout(QPageLayout(QPageSize(ASize, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QCPPainter Painter;
    if (!Painter.begin(&Writer))
      return {};
    Painter.setMode(QCPPainter::pmVectorized);
    Painter.setMode(QCPPainter::pmNoCaching);
    AChart->toPainter(&Painter, ASize.width(), ASize.height());
    if (!Painter.end())
      return {};
  }
  return Bytes;
}

} // namespace

QByteArray TChartExport::Picture(TToneChart *AChart, TImageFormat AFormat, QSize ASize) {
  AChart->resize(ASize);
  AChart->replot(QCustomPlot::rpImmediateRefresh);
  switch (AFormat) {
  case TImageFormat::Png: return PngBytes(AChart, ASize);
  case TImageFormat::Svg: return SvgBytes(AChart, ASize);
  case TImageFormat::Pdf: return PdfBytes(AChart, ASize);
  }
  return {};
}

bool TChartExport::Save(TToneChart *AChart, const QString &AFilename, TImageFormat AFormat, QSize ASize) {
  const QByteArray Bytes = Picture(AChart, AFormat, ASize);
  if (Bytes.isEmpty())
    return false;
  ReplaceFileWith(QFile::encodeName(AFilename).toStdString(), std::string_view(Bytes.constData(), std::size_t(Bytes.size())));
  return true;
}

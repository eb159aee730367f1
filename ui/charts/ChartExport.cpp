#include "ChartExport.h"

#include <QSvgGenerator>

#include "ChartSetup.h"
#include "ToneChart.h"

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
} // namespace

void TChartExport::Draw(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook) {
  AChart->ClearSeries();
  Setup(AChart, AKind);
  DrawTable(AChart, AData, AKind, ALook);
}

void TChartExport::Setup(TToneChart *AChart, TChartKind AKind) {
  switch (AKind) {
  case TChartKind::HLog: TChartSetup::SetupHLogChart(AChart, AllTones); return;
  case TChartKind::QLN: TChartSetup::SetupQLNChart(AChart, AllTones); return;
  case TChartKind::SNR: TChartSetup::SetupSNRChart(AChart, AllTones); return;
  case TChartKind::Bits: TChartSetup::SetupBitLoadingChart(AChart, AllTones); return;
  case TChartKind::Gain: TChartSetup::SetupGainChart(AChart, AllTones); return;
  case TChartKind::BinSNR:
  case TChartKind::BinSNRUS:
  case TChartKind::BinSNRDS: TChartSetup::SetupBinSNRChart(AChart, AllTones, false); return;
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

#include "ChartExport.h"

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "ChartSetup.h"
#include "ReplacingFile.h"
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

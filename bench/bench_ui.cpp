// Drawing speed of the charts, offscreen: a full 35B snapshot with bins into
// all seven charts, and one replot of the bit-loading chart (2 x 8192 bars).
// Both are set against painting the bit-loading chart's pixel columns with
// QPainter into an image of the chart's size, measured in the same run.
// Exporting the bit-loading chart as PNG, SVG and PDF at the export's default
// size is set against the chart's own replot.

#include <cmath>
#include <cstdio>
#include <vector>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "ChartExport.h"
#include "DrayData.h"
#include "RatioReporter.h"
#include "MainCharts.h"
#include "MainPages.h"
#include "ToneChart.h"

namespace {

const QSize ChartArea(900, 560);

TTextLines StatAnswer(const char *AUnit, int AFirst) {
  TTextLines lines{"  GroupSize      :    16    16", std::string(" US: ") + AUnit};
  auto groupLines = [&](int AOffset) {
    for (int start = 0; start < DrayStatCount; start += 8) {
      std::string line = "bin=" + std::to_string(start) + ":";
      for (int i = 0; i < 8; ++i)
        line.append(" ").append(std::to_string(AFirst - (start + i + AOffset) / 16)).append(",");
      lines.push_back(line);
    }
  };
  groupLines(0);
  lines.push_back("");
  lines.push_back(std::string(" DS: ") + AUnit);
  groupLines(3);
  lines.push_back("DrayTek> ");
  return lines;
}

TTextLines BinsListing(int ABitsAtStart) {
  TTextLines lines;
  for (int tone = 0; tone < DrayBinCount; ++tone)
    lines.push_back(std::to_string(tone) + " " + std::to_string(50 - tone / 200) + " " +
                    std::to_string((tone % 31) - 15) + " " + std::to_string(std::max(1, ABitsAtStart - tone / 600)));
  return lines;
}

std::unique_ptr<TDrayData> Full35BSnapshot() {
  auto data = std::make_unique<TDrayData>("bench");
  data->SetVDSLProfile(vp35b);
  data->SetHLogData(StatAnswer("(dB)", -5));
  data->SetQLNData(StatAnswer("(dBm/Hz)", -100));
  data->SetSNRData(StatAnswer("(dB)", 55));
  data->SetBinStatsDSRaw(BinsListing(15));
  data->SetBinStatsUSRaw(BinsListing(12));
  return data;
}

// The seven charts as top-level windows of the chart area's size, so that
// every one of them really paints at that size (a chart on a hidden tab
// page would keep the size it had when last shown).
struct TChartsFixture {
  TMainPages Pages;
  QCheckBox First512;
  TMainCharts Charts{Pages, &First512};
  std::unique_ptr<TDrayData> Data = Full35BSnapshot();

  QList<TToneChart *> All() const {
    return {Charts.chartHLog, Charts.chartQLN, Charts.chartSNR, Charts.chartBitLoading, Charts.chartGain,
            Charts.chartBinSNRUS, Charts.chartBinSNRDS};
  }

  TChartsFixture() {
    First512.setChecked(true);
    Charts.SetupCharts();
    for (TToneChart *chart : All()) {
      chart->setParent(nullptr);
      chart->resize(ChartArea);
      chart->show();
    }
    QApplication::processEvents();
  }

  ~TChartsFixture() { qDeleteAll(All()); }

  void ReplotAll() {
    for (TToneChart *chart : All())
      chart->replot(QCustomPlot::rpImmediateRefresh);
  }
};

// Made on first use and gone before the application object.
std::unique_ptr<TChartsFixture> GFixture;

TChartsFixture *Fixture() {
  if (!GFixture)
    GFixture = std::make_unique<TChartsFixture>();
  return GFixture.get();
}

void BM_DrawFullSnapshotAllCharts(benchmark::State &AState) {
  TChartsFixture &f = *Fixture();
  for (auto _ : AState) {
    f.Charts.DisplayChartData(nullptr);
    f.Charts.DisplayChartData(f.Data.get());
    f.ReplotAll();
  }
}
BENCHMARK(BM_DrawFullSnapshotAllCharts)->Unit(benchmark::kMillisecond);

void BM_ReplotBitLoading(benchmark::State &AState) {
  TChartsFixture &f = *Fixture();
  f.Charts.DisplayChartData(nullptr);
  f.Charts.DisplayChartData(f.Data.get());
  TToneChart *chart = f.Charts.chartBitLoading;
  for (auto _ : AState)
    chart->replot(QCustomPlot::rpImmediateRefresh);
  AState.counters["bars"] = chart->plottable(0)->interface1D()->dataCount() * 2;
}
BENCHMARK(BM_ReplotBitLoading)->Unit(benchmark::kMillisecond);

// What tonegraph-cli export does for one picture: draw the snapshot into a
// chart of its own and write the file.
void ExportBitLoading(benchmark::State &AState, TImageFormat AFormat, const char *AExtension) {
  TChartsFixture &f = *Fixture();
  QTemporaryDir folder;
  const QString file = folder.filePath(QStringLiteral("bits.") + QLatin1String(AExtension));
  for (auto _ : AState) {
    TToneChart chart;
    TChartExport::Draw(&chart, *f.Data, TChartKind::Bits);
    if (!TChartExport::Save(&chart, file, AFormat, QSize(1200, 700)))
      AState.SkipWithError("the picture could not be written");
  }
}
BENCHMARK_CAPTURE(ExportBitLoading, Png, TImageFormat::Png, "png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBitLoading, Svg, TImageFormat::Svg, "svg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBitLoading, Pdf, TImageFormat::Pdf, "pdf")->Unit(benchmark::kMillisecond);

// The baseline: what the bit-loading chart puts on the screen, drawn the
// cheapest way QPainter can: bars that share a pixel column of the plot area
// merged into one, each column an integer rectangle, one colour per
// direction, into an image of the chart's size. The column heights are
// worked out beforehand from the same bits; only the painting is timed.
void BM_BaselineQPainterRects(benchmark::State &AState) {
  TChartsFixture &f = *Fixture();
  const QRect plot = f.Charts.chartBitLoading->axisRect()->rect();
  const double pixelsPerTone = double(plot.width()) / DrayBinCount;
  const double pixelsPerBit = plot.height() / 16.0;
  std::vector<int> heights[2];
  for (int direction = 0; direction < 2; ++direction) {
    heights[direction].assign(std::size_t(plot.width()) + 1, 0);
    const TDrayBinArray &bins = direction ? f.Data->ShowBinStatsDS() : f.Data->ShowBinStatsUS();
    for (int tone = 0; tone < DrayBinCount; ++tone) {
      const auto column = std::size_t(tone * pixelsPerTone);
      heights[direction][column] = std::max(heights[direction][column], int(bins[std::size_t(tone)].ToneBits * pixelsPerBit));
    }
  }
  QImage image(ChartArea, QImage::Format_RGB32);
  for (auto _ : AState) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    for (int direction = 0; direction < 2; ++direction) {
      painter.setBrush(TChartLook().DirectionColor(direction));
      for (int column = 0; column <= plot.width(); ++column)
        if (const int height = heights[direction][std::size_t(column)])
          painter.drawRect(QRect(plot.left() + column, plot.bottom() - height, 1, height));
    }
  }
  AState.counters["columns"] = double(2 * (plot.width() + 1));
}
BENCHMARK(BM_BaselineQPainterRects)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  GFixture.reset();
  PrintFigureHeading("charts of a 35B snapshot with bins, against the bit-loading chart's pixel columns painted "
                     "as integer rectangles",
                     "CPU time of the main thread");
  PrintFigure("replot_bit_loading", reporter.Microseconds("BM_ReplotBitLoading"), "us",
              reporter.Microseconds("BM_BaselineQPainterRects"));
  PrintFigure("draw_all_seven_charts", reporter.Microseconds("BM_DrawFullSnapshotAllCharts"), "us",
              reporter.Microseconds("BM_BaselineQPainterRects"));
  // Exports against the replot they contain, on the wall clock: they write files.
  PrintFigure("export_bit_loading_png", reporter.WallMicroseconds("ExportBitLoading/Png"), "us",
              reporter.WallMicroseconds("BM_ReplotBitLoading"));
  PrintFigure("export_bit_loading_svg", reporter.WallMicroseconds("ExportBitLoading/Svg"), "us",
              reporter.WallMicroseconds("BM_ReplotBitLoading"));
  PrintFigure("export_bit_loading_pdf", reporter.WallMicroseconds("ExportBitLoading/Pdf"), "us",
              reporter.WallMicroseconds("BM_ReplotBitLoading"));
  benchmark::Shutdown();
  return 0;
}

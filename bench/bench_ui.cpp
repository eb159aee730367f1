// Drawing speed of the charts, offscreen: a full 35B snapshot with bins into
// all seven charts, and one replot of the bit-loading chart (2 x 8192 bars).
// Both are set against painting the same number of rectangles with QPainter
// into an image of the chart's size, measured in the same run. Exporting the
// bit-loading chart as PNG, SVG and PDF at the export's default size is set
// against the chart's own replot.

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "ChartExport.h"
#include "DrayData.h"
#include "MainCharts.h"
#include "MainPages.h"
#include "ToneChart.h"

namespace {

constexpr int BarCount = 2 * DrayBinCount;
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

// The baseline: as many plain rectangles as the bit-loading chart has bars,
// one pixel wide, of the same heights, one colour per direction, painted
// without antialiasing into an image of the chart's size.
void BM_BaselineQPainterRects(benchmark::State &AState) {
  QImage image(ChartArea, QImage::Format_RGB32);
  const double width = double(ChartArea.width()) / DrayBinCount;
  const double pixelsPerBit = ChartArea.height() / 16.0;
  for (auto _ : AState) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    for (int direction = 0; direction < 2; ++direction) {
      painter.setBrush(direction ? QColor(0, 0, 255) : QColor(0, 128, 0));
      for (int tone = 0; tone < DrayBinCount; ++tone) {
        const double height = std::max(1, (direction ? 15 : 12) - tone / 600) * pixelsPerBit;
        const double left = std::floor(tone * width + direction * width / 2);
        painter.drawRect(QRectF(left, ChartArea.height() - height, 1, height));
      }
    }
  }
}
BENCHMARK(BM_BaselineQPainterRects)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration for the closing ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  TRatioReporter() : ConsoleReporter(OO_Tabular) {}
  std::map<std::string, double> Times;
  void ReportRuns(const std::vector<Run> &AReports) override {
    for (const Run &run : AReports)
      if (!run.error_occurred && run.iterations > 0)
        Times[run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args)] =
            run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(AReports);
  }
};

}  // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  GFixture.reset();
  const double baseline = reporter.Times["BM_BaselineQPainterRects"];
  if (baseline > 0) {
    for (const char *name : {"BM_DrawFullSnapshotAllCharts", "BM_ReplotBitLoading"})
      if (reporter.Times.count(name))
        std::printf("%-32s %8.2f ms  = %5.2f x baseline (%d QPainter rectangles: %.2f ms)\n", name,
                    reporter.Times[name], reporter.Times[name] / baseline, BarCount, baseline);
  }
  // Exports against the replot they contain.
  const double replot = reporter.Times["BM_ReplotBitLoading"];
  for (const char *name : {"ExportBitLoading/Png", "ExportBitLoading/Svg", "ExportBitLoading/Pdf"})
    if (replot > 0 && reporter.Times.count(name))
      std::printf("%-32s %8.2f ms  = %5.2f x BM_ReplotBitLoading (%.2f ms)\n", name, reporter.Times[name],
                  reporter.Times[name] / replot, replot);
  benchmark::Shutdown();
  return 0;
}

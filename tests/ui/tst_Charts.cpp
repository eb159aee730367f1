// What the seven charts hold after set-up and after drawing snapshots of
// several profiles: series, point counts, gaps, axis ranges and steps, titles.

#include <cmath>

#include <QCheckBox>
#include <QLabel>
#include <QStackedWidget>
#include <QToolTip>
#include <QtTest>

#include "ChartExport.h"
#include "MainCharts.h"
#include "MainPages.h"
#include "SeriesPlotter.h"
#include "ToneChart.h"
#include "ToneTicker.h"
#include "UiTestSupport.h"

namespace {

QCPGraph *Graph(TToneChart *AChart, int AIndex) {
  return qobject_cast<QCPGraph *>(AChart->plottable(AIndex));
}

QCPBars *Bars(TToneChart *AChart, int AIndex) {
  return qobject_cast<QCPBars *>(AChart->plottable(AIndex));
}

QColor SeriesColour(QCPAbstractPlottable *ASeries) {
  return qobject_cast<QCPBars *>(ASeries) ? ASeries->brush().color() : ASeries->pen().color();
}

// What a chart shows, short enough to compare: its notice, and per series
// its name, colour, line width, point count and the sums of its points.
QStringList Describe(TToneChart *AChart) {
  QStringList lines{QStringLiteral("notice: ") + AChart->Notice()};
  for (int i = 0; i < AChart->plottableCount(); ++i) {
    QCPAbstractPlottable *series = AChart->plottable(i);
    double keys = 0, values = 0;
    int points = 0, gaps = 0;
    auto add = [&](double AKey, double AValue) {
      ++points;
      keys += AKey;
      if (std::isnan(AValue))
        ++gaps;
      else
        values += AValue;
    };
    if (auto *graph = qobject_cast<QCPGraph *>(series))
      for (const QCPGraphData &point : *graph->data())
        add(point.key, point.value);
    if (auto *bars = qobject_cast<QCPBars *>(series))
      for (const QCPBarsData &point : *bars->data())
        add(point.key, point.value);
    lines << QStringLiteral("%1 %2 width %3: %4 points, %5 gaps, keys %6, values %7")
                 .arg(series->name(), SeriesColour(series).name())
                 .arg(series->pen().widthF())
                 .arg(points)
                 .arg(gaps)
                 .arg(keys)
                 .arg(values);
  }
  return lines;
}

}  // namespace

class TChartsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TMainPages> FPages;
  std::unique_ptr<QCheckBox> FFirst512;
  std::unique_ptr<TMainCharts> FCharts;

  QList<TToneChart *> ProfileCharts() const {
    return {FCharts->chartHLog, FCharts->chartQLN, FCharts->chartSNR, FCharts->chartBitLoading, FCharts->chartGain};
  }
  QList<TToneChart *> AllCharts() const {
    return ProfileCharts() << FCharts->chartBinSNRUS << FCharts->chartBinSNRDS;
  }

  // HLog with a gap at groups 10 and 11, group sizes 8 (US) and 16 (DS).
  static std::unique_ptr<TDrayData> LineSnapshot(TVDSLProfile AProfile, bool ABins = true) {
    auto data = Snapshot("line", AProfile);
    TGroupValues us(24, -30), ds(16, -40);
    us[10] = us[11] = std::nullopt;
    data->SetHLogData(StatAnswer("(dB)", 8, 16, us, ds));
    data->SetQLNData(StatAnswer("(dBm/Hz)", 8, 8, TGroupValues(8, -170), TGroupValues(8, -80)));
    if (!ABins)
      return data;
    data->SetBinStatsUSRaw(BinsListing("UPSTREAM :", {{7, 35, -25, 9}, {8, 36, 13, 10}}));
    data->SetBinStatsDSRaw(BinsListing("DOWNSTREAM :", {{7, 20, 40, 4}}));
    return data;
  }

  // Brings AChart's tab (and inner tab) to the front of the shown pages.
  bool ShowChart(TToneChart *AChart) {
    for (QWidget *w = AChart; w && w->parentWidget(); w = w->parentWidget())
      if (auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget()))
        if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
          tabs->setCurrentWidget(w);
    FPages->resize(900, 600);
    FPages->show();
    if (!QTest::qWaitForWindowExposed(FPages.get()))
      return false;
    AChart->replot();
    return AChart->isVisible();
  }

private slots:
  void init() {
    FPages = std::make_unique<TMainPages>();
    FFirst512 = std::make_unique<QCheckBox>();
    FFirst512->setChecked(true);
    FCharts = std::make_unique<TMainCharts>(*FPages, FFirst512.get());
    FCharts->SetupCharts();
  }

  void cleanup() {
    FCharts.reset();
    FPages.reset();
    FFirst512.reset();
  }

  void SetupGivesEmptyChartsWithDesignedAxes() {
    for (TToneChart *chart : ProfileCharts()) {
      QCOMPARE(chart->SeriesCount(), 0);
      QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, 8192));
      QCOMPARE(chart->ToneLabelStep(), 256.0);
      QCOMPARE(chart->ToneAxis()->label(), QStringLiteral("Tones"));
    }
    for (TToneChart *chart : {FCharts->chartBinSNRUS, FCharts->chartBinSNRDS}) {
      QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, 512));
      QCOMPARE(chart->ToneLabelStep(), 16.0);
      QCOMPARE(chart->ToneAxis()->label(), QStringLiteral("Bins"));
      QCOMPARE(chart->Title(), QStringLiteral("SNR"));
    }
    QVERIFY(!FCharts->chartQLN->ValueRangeAutomatic());
    QCOMPARE(FCharts->chartQLN->ValueAxis()->range(), QCPRange(-150, -90));
    QVERIFY(!FCharts->chartBitLoading->ValueAxis()->subTicks());
    QVERIFY(FCharts->chartGain->ValueAxis()->subTicks());
  }

  void SetupTitles_data() {
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("valueTitle");
    QTest::newRow("HLog") << "chartHLog" << "HLog" << "dB";
    QTest::newRow("QLN") << "chartQLN" << "QLN" << "dBm/Hz";
    QTest::newRow("SNR") << "chartSNR" << "SNR" << "dB";
    QTest::newRow("bit loading") << "chartBitLoading" << "Allocated bits per tone" << "Bits";
    QTest::newRow("gain") << "chartGain" << "Gain" << "dB";
    QTest::newRow("bin SNR") << "chartBinSNRDS" << "SNR" << "dB";
  }

  void SetupTitles() {
    QFETCH(QString, chart);
    QFETCH(QString, title);
    QFETCH(QString, valueTitle);
    auto *c = FPages->findChild<TToneChart *>(chart);
    QVERIFY(c);
    QCOMPARE(c->Title(), title);
    QCOMPARE(c->ValueAxis()->label(), valueTitle);
  }

  void ToneAxisFollowsProfilesDrawnInTurn_data() {
    QTest::addColumn<QList<int>>("profiles");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::newRow("17A") << QList<int>{vp17a} << 4096 << 128;
    QTest::newRow("17A then 8C") << QList<int>{vp17a, vp8c} << 1972 << 64;
    QTest::newRow("8A then N/A keeps the step") << QList<int>{vp8a, vpNA} << 8192 << 64;
    QTest::newRow("30A") << QList<int>{vp30a} << 3479 << 128;
    QTest::newRow("35B") << QList<int>{vp12a, vp35b} << 8192 << 256;
  }

  void ToneAxisFollowsProfilesDrawnInTurn() {
    QFETCH(QList<int>, profiles);
    QFETCH(int, max);
    QFETCH(int, step);
    for (int profile : profiles) {
      auto data = Snapshot("p", TVDSLProfile(profile));
      FCharts->DisplayChartData(nullptr);
      FCharts->DisplayChartData(data.get());
    }
    for (TToneChart *chart : ProfileCharts()) {
      QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, max));
      QCOMPARE(chart->ToneLabelStep(), double(step));
    }
    // Clearing leaves the last profile's axis in place.
    FCharts->DisplayChartData(nullptr);
    QCOMPARE(FCharts->chartHLog->ToneAxis()->range(), QCPRange(0, max));
  }

  void LinesBreakAtNullsAndSitAtGroupStarts() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    TToneChart *chart = FCharts->chartHLog;
    QCOMPARE(chart->SeriesCount(), 2);
    QCPGraph *us = Graph(chart, 0), *ds = Graph(chart, 1);
    QVERIFY(us && ds);
    QCOMPARE(us->name(), QStringLiteral("US"));
    QCOMPARE(ds->name(), QStringLiteral("DS"));
    QCOMPARE(us->pen().color(), QColor(0, 128, 0));
    QCOMPARE(ds->pen().color(), QColor(0, 0, 255));
    QCOMPARE(us->pen().width(), 2);
    QCOMPARE(us->dataCount(), 512);
    QCOMPARE(ds->dataCount(), 512);
    QCOMPARE(us->data()->at(9)->value, -30.0);
    QVERIFY(std::isnan(us->data()->at(10)->value));  // a gap, not a drop to 0
    QVERIFY(std::isnan(us->data()->at(11)->value));
    QCOMPARE(us->data()->at(12)->value, -30.0);
    QCOMPARE(us->data()->at(12)->key, 96.0);   // group 12 * 8
    QCOMPARE(ds->data()->at(12)->key, 192.0);  // group 12 * 16
    QVERIFY(std::isnan(us->data()->at(100)->value));  // groups the router left out
  }

  void TablesNeverSetAreDrawnAtToneZero() {
    auto data = Snapshot("no tables", vp8a);
    FCharts->DisplayChartData(data.get());
    QCPGraph *snr = Graph(FCharts->chartSNR, 0);
    QCOMPARE(snr->dataCount(), 512);
    QCOMPARE(snr->data()->at(511)->key, 0.0);
    QCOMPARE(snr->data()->at(511)->value, 0.0);
  }

  void QLNValueAxisStaysFixed() {
    auto data = LineSnapshot(vp17a);  // QLN values at -170 and -80
    FCharts->DisplayChartData(data.get());
    QCOMPARE(FCharts->chartQLN->ValueAxis()->range(), QCPRange(-150, -90));
    FCharts->chartQLN->ResetView();
    QCOMPARE(FCharts->chartQLN->ValueAxis()->range(), QCPRange(-150, -90));
  }

  void AutomaticValueAxisFitsTheData() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    const QCPRange range = FCharts->chartHLog->ValueAxis()->range();
    QVERIFY(range.lower < -40 && range.upper > -30 && range.upper < 0);
  }

  void BarsPerProfileToneCount_data() {
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("bars");
    QTest::newRow("8C") << int(vp8c) << 1972;
    QTest::newRow("17A") << int(vp17a) << 4096;
    QTest::newRow("N/A") << int(vpNA) << 8192;
  }

  void BarsPerProfileToneCount() {
    QFETCH(int, profile);
    QFETCH(int, bars);
    auto data = LineSnapshot(TVDSLProfile(profile));
    FCharts->DisplayChartData(data.get());
    for (TToneChart *chart : {FCharts->chartBitLoading, FCharts->chartGain}) {
      QCOMPARE(chart->SeriesCount(), 2);
      QCOMPARE(Bars(chart, 0)->dataCount(), bars);
      QCOMPARE(Bars(chart, 1)->dataCount(), bars);
    }
  }

  void BarsShowBitsAndGainSideBySide() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    QCPBars *us = Bars(FCharts->chartGain, 0), *ds = Bars(FCharts->chartGain, 1);
    QCOMPARE(us->name(), QStringLiteral("US"));
    QCOMPARE(ds->name(), QStringLiteral("DS"));
    QCOMPARE(us->data()->at(7)->value, -2.5);
    QCOMPARE(us->data()->at(8)->value, 1.3);
    QCOMPARE(ds->data()->at(7)->value, 4.0);
    QCOMPARE(us->data()->at(100)->value, 0.0);  // no bins line: height 0
    QCOMPARE(Bars(FCharts->chartBitLoading, 0)->data()->at(7)->value, 9.0);
    // One group, US on the left half of each tone's slot, DS on the right.
    QVERIFY(us->barsGroup() && us->barsGroup() == ds->barsGroup());
    QCOMPARE(us->barsGroup()->bars(0), us);
    QCOMPARE(us->width() + ds->width(), 1.0);
    QCOMPARE(us->pen().style(), Qt::NoPen);
    QCOMPARE(us->brush().color(), QColor(0, 128, 0));
    QVERIFY(!us->antialiased());
  }

  void BinSNRWithFirst512Option() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    TToneChart *us = FCharts->chartBinSNRUS, *ds = FCharts->chartBinSNRDS;
    QCOMPARE(us->Title(), QStringLiteral("SNR Upstream"));
    QCOMPARE(ds->Title(), QStringLiteral("SNR Downstream"));
    for (TToneChart *chart : {us, ds}) {
      QCOMPARE(chart->SeriesCount(), 1);
      QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, 512));
      QCOMPARE(chart->ToneLabelStep(), 32.0);
      QCOMPARE(Graph(chart, 0)->dataCount(), 512);
    }
    QCOMPARE(Graph(us, 0)->name(), QStringLiteral("US"));
    QCOMPARE(Graph(us, 0)->data()->at(8)->value, 36.0);
    QCOMPARE(Graph(ds, 0)->name(), QStringLiteral("DS"));
    QCOMPARE(Graph(ds, 0)->data()->at(7)->value, 20.0);
    QCOMPARE(Graph(ds, 0)->pen().width(), 1);
  }

  void BinSNRWithoutOptionShowsEveryToneOfTheProfile() {
    FFirst512->setChecked(false);
    auto data = LineSnapshot(vp30a);
    FCharts->DisplayChartData(data.get());
    for (TToneChart *chart : {FCharts->chartBinSNRUS, FCharts->chartBinSNRDS}) {
      QCOMPARE(Graph(chart, 0)->dataCount(), 3479);
      QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, 3479));
      QCOMPARE(chart->ToneLabelStep(), 128.0);
      QCOMPARE(chart->ToneAxis()->label(), QStringLiteral("Tones"));
    }
  }

  void PlotsAddAndClearingRemoves() {
    auto first = LineSnapshot(vp17a), second = LineSnapshot(vp8a);
    FCharts->DisplayChartData(first.get());
    FCharts->PlotHLOG(*second, nullptr, TChartLook().DSColor(), TChartLook().USColor());
    QCOMPARE(FCharts->chartHLog->SeriesCount(), 4);
    FCharts->DisplayChartData(nullptr);
    for (TToneChart *chart : AllCharts())
      QCOMPARE(chart->SeriesCount(), 0);
    FCharts->DisplayChartData(second.get());
    for (TToneChart *chart : ProfileCharts())
      QCOMPARE(chart->SeriesCount(), 2);
  }

  void HoverShowsValuesNearTheCursor() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    QCOMPARE(FCharts->chartHLog->HoverTextAt(83),
             QStringLiteral("Tone 83 (357.9 kHz)\nUS: no value\nDS: -40.0 dB"));
    QCOMPARE(FCharts->chartQLN->HoverTextAt(8), QStringLiteral("Tone 8 (34.5 kHz)\nUS: -170.0 dBm/Hz\nDS: -80.0 dBm/Hz"));
    QCOMPARE(FCharts->chartGain->HoverTextAt(7.2), QStringLiteral("Tone 7 (30.2 kHz)\nUS Gain: -2.5 dB\nDS Gain: 4.0 dB"));
    QCOMPARE(FCharts->chartBitLoading->HoverTextAt(8), QStringLiteral("Tone 8 (34.5 kHz)\nUS Bits: 10\nDS Bits: 0"));
    // The per-bin SNR axis counts bins with the 512-bin option, tones without.
    QCOMPARE(FCharts->chartBinSNRUS->HoverTextAt(8), QStringLiteral("Bin 8 (34.5 kHz)\nUS SNR: 36.0 dB"));
    FFirst512->setChecked(false);
    FCharts->DisplayChartData(nullptr);
    FCharts->DisplayChartData(data.get());
    QCOMPARE(FCharts->chartBinSNRDS->HoverTextAt(7), QStringLiteral("Tone 7 (30.2 kHz)\nDS SNR: 20.0 dB"));
  }

  void HoverFrequencyFollowsTheProfilesToneSpacing_data() {
    QTest::addColumn<int>("profile");
    QTest::addColumn<QString>("header");
    QTest::newRow("17A") << int(vp17a) << "Tone 1000 (4312.5 kHz)";
    QTest::newRow("30A") << int(vp30a) << "Tone 1000 (8625.0 kHz)";
    QTest::newRow("35B") << int(vp35b) << "Tone 1000 (4312.5 kHz)";
  }

  void HoverFrequencyFollowsTheProfilesToneSpacing() {
    QFETCH(int, profile);
    QFETCH(QString, header);
    auto data = LineSnapshot(TVDSLProfile(profile));
    FCharts->DisplayChartData(data.get());
    for (TToneChart *chart : AllCharts())
      QCOMPARE(chart->HoverTextAt(1000).section(QLatin1Char('\n'), 0, 0).replace("Bin ", "Tone "), header);
  }

  void EveryLoadedToneShowsAtTheFullView() {
    // 8192 tones on a few hundred pixels: a lone loaded tone among empty
    // ones must still be painted, to its full height.
    TToneChart chart;
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    TDrayBinArray us{}, ds{};
    us[4001].ToneBits = 10;
    for (int tone = 0; tone < DrayBinCount; ++tone)
      ds[tone].ToneBits = tone == 4001 ? 0 : 1;
    TSeriesPlotter::AddBarPair(&chart, BinPoints(us, DrayBinCount, TBinField::ToneBits),
                               BinPoints(ds, DrayBinCount, TBinField::ToneBits), QStringLiteral("US"),
                               QStringLiteral("DS"), Qt::green, Qt::blue);
    TSeriesPlotter::Finish(&chart);
    chart.replot();
    const QImage image = chart.toPixmap(chart.width(), chart.height()).toImage();
    const int x = int(chart.ToneAxis()->coordToPixel(4001));
    int greenRows = 0;
    for (int y = int(chart.ValueAxis()->coordToPixel(9.5)); y < int(chart.ValueAxis()->coordToPixel(1.5)); ++y)
      for (int dx = -1; dx <= 1; ++dx)
        if (image.pixelColor(x + dx, y) == QColor(Qt::green)) {
          ++greenRows;
          break;
        }
    const int expected = int(chart.ValueAxis()->coordToPixel(1.5)) - int(chart.ValueAxis()->coordToPixel(9.5));
    QCOMPARE(greenRows, expected);
  }

  void ZoomedAxisKeepsToneLabels() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    TToneChart *chart = FCharts->chartSNR;
    QVERIFY(ShowChart(chart));
    QVector<double> full;
    for (int tone = 0; tone <= 4096; tone += 128)
      full << tone;
    QCOMPARE(chart->ToneAxis()->tickVector(), full);  // the profile's own ticks

    chart->ToneAxis()->setRange(1000, 1060);
    chart->replot();
    QVector<double> zoomed;
    for (int tone = 1000; tone <= 1060; tone += 4)
      zoomed << tone;
    QCOMPARE(chart->ToneAxis()->tickVector(), zoomed);
    QCOMPARE(chart->ToneAxis()->tickVectorLabels().first().trimmed(), QStringLiteral("1000"));
    QCOMPARE(chart->ToneLabelStep(), 128.0);  // the chart's own step is kept for the full view

    chart->ResetView();
    QCOMPARE(chart->ToneAxis()->tickVector(), full);
  }

  void MouseZoomPanAndFullView_data() {
    QTest::addColumn<bool>("hlogScheme");
    QTest::addColumn<int>("zoomModifiers");
    QTest::addColumn<bool>("zooms");
    QTest::newRow("plain drag zooms") << false << int(Qt::NoModifier) << true;
    QTest::newRow("HLog: plain drag does not") << true << int(Qt::NoModifier) << false;
    QTest::newRow("HLog: Ctrl drag zooms") << true << int(Qt::ControlModifier) << true;
  }

  void MouseZoomPanAndFullView() {
    QFETCH(bool, hlogScheme);
    QFETCH(int, zoomModifiers);
    QFETCH(bool, zooms);
    TToneChart chart;
    chart.SetMouseScheme(hlogScheme ? Qt::ControlModifier : Qt::NoModifier,
                         hlogScheme ? Qt::MiddleButton : Qt::RightButton);
    chart.SetToneRange(0, 4096);
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.replot();
    const QCPRange full = chart.ToneAxis()->range();
    const auto mods = Qt::KeyboardModifiers(zoomModifiers);
    QTest::mousePress(&chart, Qt::LeftButton, mods, QPoint(150, 100));
    QTest::mouseMove(&chart, QPoint(300, 200));
    QTest::mouseRelease(&chart, Qt::LeftButton, mods, QPoint(300, 200));
    const QCPRange afterZoom = chart.ToneAxis()->range();
    QCOMPARE(afterZoom.size() < full.size(), zooms);

    const Qt::MouseButton pan = hlogScheme ? Qt::MiddleButton : Qt::RightButton;
    QTest::mousePress(&chart, pan, {}, QPoint(300, 150));
    QTest::mouseMove(&chart, QPoint(200, 150));
    QTest::mouseRelease(&chart, pan, {}, QPoint(200, 150));
    const QCPRange afterPan = chart.ToneAxis()->range();
    QVERIFY(afterPan.lower > afterZoom.lower);  // dragged left: later tones come in
    QCOMPARE(afterPan.size(), afterZoom.size());

    QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(250, 150));
    QCOMPARE(chart.ToneAxis()->range(), full);
  }

  void WheelZoomsTheToneAxisAroundThePointer_data() {
    QTest::addColumn<QString>("chart");
    for (const char *name : {"chartHLog", "chartQLN", "chartSNR", "chartBitLoading", "chartGain", "chartBinSNRUS",
                             "chartBinSNRDS"})
      QTest::newRow(name) << name;
  }

  void WheelZoomsTheToneAxisAroundThePointer() {
    QFETCH(QString, chart);
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    auto *c = FPages->findChild<TToneChart *>(chart);
    QVERIFY(ShowChart(c));
    const QCPRange full = c->ToneAxis()->range();
    const double tone = full.lower + full.size() * 0.3;
    const QPointF at(c->ToneAxis()->coordToPixel(tone), c->height() / 2.0);
    const auto wheel = [&](int ANotches) {
      QWheelEvent event(at, c->mapToGlobal(at), QPoint(), QPoint(0, 120 * ANotches), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
      QApplication::sendEvent(c, &event);
    };
    wheel(1);
    const QCPRange zoomed = c->ToneAxis()->range();
    QCOMPARE(zoomed.size(), full.size() * TToneChart::WheelZoomFactor);
    QVERIFY(std::abs(c->ToneAxis()->coordToPixel(tone) - at.x()) < 0.5);  // the tone under the pointer stays
    QCOMPARE(c->ValueAxis()->range().size() > 0, true);
    wheel(-3);  // zooming out stops at the full view
    QCOMPARE(c->ToneAxis()->range(), full);
  }

  void PagesSayHowToZoomAndPan() {
    QCOMPARE(FPages->lblHLogHint->text(),
             QStringLiteral("Zoom: wheel or Ctrl+drag \u00b7 Pan: middle-drag \u00b7 Full view: double-click"));
    for (QLabel *hint : {FPages->lblQLNHint, FPages->lblSNRHint, FPages->lblBinsHint})
      QCOMPARE(hint->text(),
               QStringLiteral("Zoom: wheel or drag \u00b7 Pan: right-drag \u00b7 Full view: double-click"));
  }

  void RightClickOpensTheMenuOnce_data() {
    QTest::addColumn<bool>("hlogScheme");
    QTest::newRow("right button pans") << false;
    QTest::newRow("middle button pans") << true;
  }

  void RightClickOpensTheMenuOnce() {
    QFETCH(bool, hlogScheme);
    TToneChart chart;
    chart.SetMouseScheme(hlogScheme ? Qt::ControlModifier : Qt::NoModifier,
                         hlogScheme ? Qt::MiddleButton : Qt::RightButton);
    chart.resize(400, 300);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QSignalSpy menu(&chart, &TToneChart::MenuRequested);
    QTest::mouseClick(&chart, Qt::RightButton, {}, QPoint(200, 150));
    QCOMPARE(menu.count(), 1);
    // A drag with the right button pans instead of opening the menu.
    if (!hlogScheme) {
      QTest::mousePress(&chart, Qt::RightButton, {}, QPoint(200, 150));
      QTest::mouseMove(&chart, QPoint(150, 150));
      QTest::mouseRelease(&chart, Qt::RightButton, {}, QPoint(150, 150));
      QCOMPARE(menu.count(), 1);
    }
  }

  // The window and picture export draw a table by the same recipe: the same
  // series, points and colours, or the same notice where there are no bins.
  void WindowAndExportDrawTablesAlike_data() {
    QTest::addColumn<bool>("bins");
    QTest::addColumn<bool>("first512");
    QTest::newRow("with bins") << true << false;
    QTest::newRow("with bins, first 512") << true << true;
    QTest::newRow("without bins") << false << false;
  }

  void WindowAndExportDrawTablesAlike() {
    QFETCH(bool, bins);
    QFETCH(bool, first512);
    auto data = LineSnapshot(vp17a, bins);
    FFirst512->setChecked(first512);
    FCharts->DisplayChartData(data.get());
    TChartLook look;
    look.First512Bins = first512;
    const struct {
      TChartKind Kind;
      QList<TToneChart *> Window;
    } kinds[] = {{TChartKind::HLog, {FCharts->chartHLog}},
                 {TChartKind::QLN, {FCharts->chartQLN}},
                 {TChartKind::SNR, {FCharts->chartSNR}},
                 {TChartKind::Bits, {FCharts->chartBitLoading}},
                 {TChartKind::Gain, {FCharts->chartGain}},
                 {TChartKind::BinSNR, {FCharts->chartBinSNRUS, FCharts->chartBinSNRDS}}};
    for (const auto &kind : kinds) {
      TToneChart exported;
      TChartExport::Draw(&exported, *data, kind.Kind, look);
      QStringList window;
      for (TToneChart *chart : kind.Window)
        window << Describe(chart);
      QStringList picture = Describe(&exported);
      // The window's per-bin SNR is two charts, each with its own notice.
      if (kind.Window.size() == 2)
        picture.insert(picture.size() > 2 ? 2 : 1, picture.front());
      QCOMPARE(window, picture);
    }
  }

  // Each group the reader reports stored draws its own charts and no other.
  void StoredGroupDrawsItsCharts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("drawn");
    QTest::newRow("HLog") << int(TDrayKind::HLog) << QStringList{"chartHLog"};
    QTest::newRow("QLN") << int(TDrayKind::QLN) << QStringList{"chartQLN"};
    QTest::newRow("SNR") << int(TDrayKind::SNR) << QStringList{"chartSNR"};
    QTest::newRow("Bins") << int(TDrayKind::Bins)
                          << QStringList{"chartBitLoading", "chartGain", "chartBinSNRUS", "chartBinSNRDS"};
  }

  void StoredGroupDrawsItsCharts() {
    QFETCH(int, kind);
    QFETCH(QStringList, drawn);
    auto data = LineSnapshot(vp17a);
    FCharts->PlotGroup(TDrayKind(kind), *data);
    QStringList withSeries;
    for (TToneChart *chart : AllCharts())
      if (chart->SeriesCount() > 0)
        withSeries << chart->objectName();
    withSeries.sort();
    drawn.sort();
    QCOMPARE(withSeries, drawn);
  }

  // The colours a plot is given are the colours it draws with: the look
  // does not paint them over afterwards by the series' names.
  void PlotsDrawInTheColoursTheyAreGiven() {
    auto data = LineSnapshot(vp17a);
    TToneChart lines, bars;
    FCharts->PlotHLOG(*data, &lines, Qt::red, Qt::darkYellow);
    FCharts->PlotGain(*data, &bars, Qt::magenta, Qt::cyan);
    QCOMPARE(Graph(&lines, 0)->name(), QStringLiteral("US"));
    QCOMPARE(Graph(&lines, 0)->pen().color(), QColor(Qt::darkYellow));
    QCOMPARE(Graph(&lines, 1)->pen().color(), QColor(Qt::red));
    QCOMPARE(Bars(&bars, 0)->brush().color(), QColor(Qt::cyan));
    QCOMPARE(Bars(&bars, 1)->brush().color(), QColor(Qt::magenta));
  }

  // A change of look recolours what is drawn by the direction each series
  // shows.
  void ALookChangeRecoloursByDirection() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    TChartLook dark;
    dark.Dark = true;
    FCharts->SetLook(dark, data.get());
    QCOMPARE(Graph(FCharts->chartHLog, 0)->pen().color(), dark.USColor());
    QCOMPARE(Graph(FCharts->chartBinSNRDS, 0)->pen().color(), dark.DSColor());
    QCOMPARE(Bars(FCharts->chartGain, 1)->brush().color(), dark.DSColor());
    FCharts->SetLook(TChartLook(), data.get());
    QCOMPARE(Bars(FCharts->chartGain, 0)->brush().color(), QColor(0, 128, 0));
  }

  void HoveringShowsTheTooltip() {
    auto data = LineSnapshot(vp17a);
    TToneChart chart;
    chart.resize(600, 400);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    FCharts->PlotGain(*data, &chart, TChartLook().DSColor(), TChartLook().USColor());
    chart.replot();
    const QPoint over(int(chart.ToneAxis()->coordToPixel(7)), int(chart.ValueAxis()->coordToPixel(0)));
    // A click in the corner settles the test harness's idea of the buttons
    // (a double-click in an earlier test can leave one down), then the
    // cursor arrives from elsewhere, as a real hover does.
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(&chart, over + QPoint(40, 40));
    QTest::mouseMove(&chart, over);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), chart.HoverTextAt(chart.ToneAxis()->pixelToCoord(over.x())));
    QVERIFY(QToolTip::text().startsWith("Tone "));
  }

  void DoubleClickViewRestoresZoomedAxes() {
    auto data = LineSnapshot(vp17a);
    FCharts->DisplayChartData(data.get());
    TToneChart *chart = FCharts->chartSNR;
    chart->ToneAxis()->setRange(100, 200);
    chart->ValueAxis()->setRange(0, 1);
    chart->ResetView();
    QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, 4096));
    QVERIFY(chart->ValueAxis()->range() != QCPRange(0, 1));
  }
};

QTEST_MAIN(TChartsTest)
#include "tst_Charts.moc"

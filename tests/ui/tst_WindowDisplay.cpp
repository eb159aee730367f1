// What the window shows around its charts as a user meets it: the 512-bin
// option taking effect at once, snapshots without bins saying so, the legend
// beside the plot rather than on it, the port field, and where raw windows
// open.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include "Cascade.h"
#include "MainCharts.h"
#include "ToneChart.h"
#include "UiTestSupport.h"
#include "UpDown.h"
#include "fmMain.h"
#include "fmRawBins.h"
#include "fmRawData.h"

namespace {

const QString NoBins = QStringLiteral("No bins data: retrieve with \"Include \"bins\" data\"");

// A 17A snapshot with HLog values and, when asked, a bins listing.
std::unique_ptr<TDrayData> LineSnapshot(const char *AName, bool ABins) {
  auto data = Snapshot(AName, vp17a);
  data->SetHLogData(StatAnswer("(dB)", 8, 8, TGroupValues(64, -30), TGroupValues(64, -40)));
  if (ABins) {
    data->SetBinStatsUSRaw(BinsListing("UPSTREAM :", {{7, 35, -25, 9}, {600, 30, 10, 8}}));
    data->SetBinStatsDSRaw(BinsListing("DOWNSTREAM :", {{900, 20, 40, 4}}));
  }
  return data;
}

// Pixels of AImage within a few steps of AColour in each channel.
int PixelsNear(const QImage &AImage, const QColor &AColour) {
  int count = 0;
  for (int y = 0; y < AImage.height(); ++y)
    for (int x = 0; x < AImage.width(); ++x) {
      const QColor pixel = AImage.pixelColor(x, y);
      count += std::abs(pixel.red() - AColour.red()) < 40 && std::abs(pixel.green() - AColour.green()) < 40 &&
               std::abs(pixel.blue() - AColour.blue()) < 40;
    }
  return count;
}

QCPGraph *Graph(TToneChart *AChart) {
  return AChart->SeriesCount() > 0 ? qobject_cast<QCPGraph *>(AChart->plottable(0)) : nullptr;
}

}  // namespace

class TWindowDisplayTest : public QObject {
  Q_OBJECT

  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  std::unique_ptr<TfrmMain> FForm;

  TToneChart *BinSNRUS() const { return FForm->pgcMain->chartBinSNRUS; }
  QCheckBox *First512() const { return FForm->pnlInputs->chkSNRBug; }

  void ShowSnapshot(std::unique_ptr<TDrayData> AData) {
    FForm->DrayDataList().Add(std::move(AData));
    FForm->lbxStatisticsClick();
  }

private slots:
  void init() {
    FErrors = {};
    FForm = std::make_unique<TfrmMain>(QStringList{}, TMainServices{&FErrors, &FHelp});
    FForm->move(100, 80);
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
  }

  void cleanup() { FForm.reset(); }

  // The window starts on a page without charts: none of the seven is drawn
  // until its page is shown, and a new snapshot redraws only the chart in
  // sight; a picture taken of a chart out of sight is still up to date.
  void ChartsOutOfSightAreDrawnWhenSeen() {
    const QList<TToneChart *> charts = FForm->pgcMain->findChildren<TToneChart *>();
    QCOMPARE(charts.size(), 7);
    for (TToneChart *chart : charts)
      QVERIFY2(!chart->isVisible() && chart->ReplotWaiting(), qPrintable(chart->objectName()));
    TToneChart *hlog = FForm->pgcMain->chartHLog;
    QSignalSpy replots(hlog, &QCustomPlot::afterReplot);
    ShowSnapshot(LineSnapshot("bins", true));
    QCoreApplication::processEvents();
    QCOMPARE(replots.count(), 0);

    QWidget *page = hlog;
    while (page && FForm->pgcMain->indexOf(page) < 0)
      page = page->parentWidget();
    QVERIFY(page);
    FForm->pgcMain->setCurrentWidget(page);
    QVERIFY(hlog->isVisible());
    QCOMPARE(replots.count(), 1);
    QVERIFY(!hlog->ReplotWaiting());
    QVERIFY(PixelsNear(hlog->grab().toImage(), TChartLook().DSColor()) > 50);
    // In sight, changes are drawn on the next turn of the event loop, once.
    hlog->SetNotice(QStringLiteral("a notice"));
    hlog->SetNotice(QString());
    QCoreApplication::processEvents();
    QCOMPARE(replots.count(), 2);

    FForm->pgcMain->setCurrentIndex(0);
    QVERIFY(!hlog->isVisible());
    hlog->SetNotice(QStringLiteral("out of sight"));
    QCoreApplication::processEvents();
    QCOMPARE(replots.count(), 2);
    const QImage picture = hlog->grab().toImage();
    QCOMPARE(replots.count(), 3);
    FForm->pgcMain->setCurrentWidget(page);
    QCOMPARE(replots.count(), 3);
    QCOMPARE(picture, hlog->grab().toImage());
  }

  void First512BinsOptionRedrawsThePerBinCharts() {
    ShowSnapshot(LineSnapshot("bins", true));
    QCOMPARE(Graph(BinSNRUS())->dataCount(), 512);
    First512()->click();
    for (TToneChart *chart : {BinSNRUS(), FForm->pgcMain->chartBinSNRDS}) {
      QCOMPARE(chart->SeriesCount(), 1);
      QCOMPARE(Graph(chart)->dataCount(), 4096);
      QCOMPARE(chart->ToneAxis()->range(), QCPRange(0, 4096));
      QCOMPARE(chart->ToneAxis()->label(), QStringLiteral("Tones"));
    }
    QCOMPARE(Graph(BinSNRUS())->data()->at(600)->value, 30.0);
    First512()->click();
    QCOMPARE(BinSNRUS()->SeriesCount(), 1);
    QCOMPARE(Graph(BinSNRUS())->dataCount(), 512);
    QCOMPARE(BinSNRUS()->ToneAxis()->range(), QCPRange(0, 512));
    QCOMPARE(BinSNRUS()->ToneAxis()->label(), QStringLiteral("Bins"));
  }

  void First512BinsOptionWithNothingShownSetsTheAxesOnly() {
    First512()->click();
    QCOMPARE(BinSNRUS()->SeriesCount(), 0);
    QCOMPARE(BinSNRUS()->ToneAxis()->label(), QStringLiteral("Tones"));
    QCOMPARE(BinSNRUS()->ToneAxis()->range(), QCPRange(0, 8192));
  }

  void SnapshotWithoutBinsSaysSoInItsBinsCharts() {
    ShowSnapshot(LineSnapshot("no bins", false));
    TMainPages &pages = *FForm->pgcMain;
    for (TToneChart *chart : {pages.chartBitLoading, pages.chartGain, pages.chartBinSNRUS, pages.chartBinSNRDS}) {
      QCOMPARE(chart->Notice(), NoBins);
      QCOMPARE(chart->SeriesCount(), 0);  // no flat line at zero
      QVERIFY(!chart->legend->visible());
      QCOMPARE(chart->ToneAxis()->range().upper, chart == pages.chartBitLoading || chart == pages.chartGain
                                                     ? 4096.0
                                                     : 512.0);
    }
    QCOMPARE(pages.chartHLog->Notice(), QString());
    QCOMPARE(pages.chartHLog->SeriesCount(), 2);

    // A snapshot with bins drawn next has its bars and no notice.
    ShowSnapshot(LineSnapshot("bins", true));
    QCOMPARE(pages.chartBitLoading->Notice(), QString());
    QCOMPARE(pages.chartBitLoading->SeriesCount(), 2);
    QVERIFY(pages.chartBitLoading->legend->visible());
  }

  void LegendStandsAboveThePlotAndOnlyWithSeries() {
    TToneChart *chart = FForm->pgcMain->chartHLog;
    FForm->pgcMain->setCurrentWidget(FForm->pgcMain->tbsHLog);
    QVERIFY(!chart->legend->visible());  // empty: no empty legend box
    ShowSnapshot(LineSnapshot("line", true));
    chart->replot();
    QVERIFY(chart->legend->visible());
    const QRect legend = chart->legend->outerRect();
    const QRect plot = chart->axisRect()->rect();
    QVERIFY2(legend.bottom() < plot.top(), "the legend overlaps the plot");
    QVERIFY(legend.right() >= plot.right() - 2);  // right-aligned over the plot
    QVERIFY(legend.width() < plot.width() / 2);
    FForm->DisplayChartData(nullptr);
    QVERIFY(!chart->legend->visible());
  }

  void PortFieldTakesOnlyPortNumbers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0 refused") << "0" << "";
    QTest::newRow("leading zero refused") << "023" << "23";
    QTest::newRow("99999 stops at 9999") << "99999" << "9999";
    QTest::newRow("65536 stops at 6553") << "65536" << "6553";
    QTest::newRow("highest") << "65535" << "65535";
    QTest::newRow("ungrouped") << "40655" << "40655";
    QTest::newRow("separator refused") << "40,655" << "40655";
  }

  void PortFieldTakesOnlyPortNumbers() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    // Grouping digits is what a user's locale would do to the number.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TInputPanel &p = *FForm->pnlInputs;
    p.edRouterPort->clear();
    QTest::keyClicks(p.edRouterPort, typed);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(p.edRouterPort->text(), shown);
    // The position, which a saved configuration and a retrieval take, is
    // what the field shows.
    if (!shown.isEmpty())
      QCOMPARE(QString::number(p.udTelnetPort->Position()), shown);
  }

  void SpinButtonsWriteUngroupedNumbers() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TInputPanel &p = *FForm->pnlInputs;
    p.udTelnetPort->SetPosition(40654);
    QTest::keyClick(p.edRouterPort, Qt::Key_Up);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(p.edRouterPort->text(), QStringLiteral("40655"));
    QCOMPARE(p.udTelnetPort->Position(), 40655);
  }

  void RawWindowsOpenCascadedOverTheMainWindow() {
    ShowSnapshot(LineSnapshot("line", true));
    // The test screen is small: the bins window, near its top-left corner,
    // fits three steps down without being pushed back.
    FForm->move(20, 10);
    const QPoint corner = FForm->frameGeometry().topLeft();
    QVERIFY(FForm->screen()->availableGeometry().contains(QRect(corner, QSize(622 + 3 * CascadeStep, 515 + 3 * CascadeStep))));
    auto *first = TfrmRawBins::ShowBins(FForm.get(), FForm->GetSelectedDrayData());
    auto *second = TfrmRawBins::ShowBins(FForm.get(), FForm->GetSelectedDrayData());
    QCOMPARE(first->pos(), corner + QPoint(CascadeStep, CascadeStep));
    QCOMPARE(second->pos(), corner + QPoint(2 * CascadeStep, 2 * CascadeStep));
    first->close();  // a closed window frees its place
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto *third = TfrmRawData::ShowRaw(FForm.get(), nullptr, TRawKind::SNR);
    QCOMPARE(third->pos(), CascadePosition(corner, 1, third->size(), FForm->screen()->availableGeometry()));
  }

  void CascadeStaysOnTheScreen_data() {
    QTest::addColumn<QPoint>("owner");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("first") << QPoint(100, 50) << 0 << QPoint(132, 82);
    QTest::newRow("third") << QPoint(100, 50) << 2 << QPoint(196, 146);
    QTest::newRow("ninth starts over") << QPoint(100, 50) << 8 << QPoint(132, 82);
    QTest::newRow("pushed back at the right and bottom") << QPoint(900, 700) << 0 << QPoint(458, 340);
    QTest::newRow("never past the top-left corner") << QPoint(-300, -200) << 0 << QPoint(0, 0);
  }

  void CascadeStaysOnTheScreen() {
    QFETCH(QPoint, owner);
    QFETCH(int, index);
    QFETCH(QPoint, expected);
    QCOMPARE(CascadePosition(owner, index, QSize(942, 560), QRect(0, 0, 1400, 900)), expected);
  }
};

QTEST_MAIN(TWindowDisplayTest)
#include "tst_WindowDisplay.moc"

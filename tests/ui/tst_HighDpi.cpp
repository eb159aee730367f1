// On a screen of device pixel ratio 2 the charts and the program icon are
// drawn at the screen's own resolution, not drawn at half of it and scaled
// up: a detail one pixel wide stays one device pixel wide, and the icon at
// each size is the icon drawn for that many device pixels.

#include <QLabel>
#include <QtTest>

#include "ProgramIcon.h"
#include "TimelinePage.h"
#include "ToneChart.h"
#include "fmAbout.h"

namespace {

// The widths, in device pixels, of the runs of AColour along row AY of
// AImage between AFromX and AToX.
QList<int> RunWidths(const QImage &AImage, int AY, int AFromX, int AToX, const QColor &AColour) {
  QList<int> widths;
  int run = 0;
  for (int x = AFromX; x <= AToX; ++x) {
    if (AImage.pixelColor(x, AY) == AColour) {
      ++run;
      continue;
    }
    if (run > 0)
      widths << run;
    run = 0;
  }
  return widths;
}

// The pixels of APixmap alone, whatever ratio it claims.
QImage Pixels(const QPixmap &APixmap) {
  QImage image = APixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(1);
  return image;
}

}  // namespace

class THighDpiTest : public QObject {
  Q_OBJECT

  // The vertical grid lines of AChart as shown, along the middle of its plot.
  static QList<int> GridLineWidths(TToneChart &AChart) {
    const QImage shown = AChart.grab().toImage();
    const qreal ratio = AChart.devicePixelRatioF();
    if (shown.size() != AChart.size() * ratio)
      return {};
    const QRect plot = AChart.axisRect()->rect();
    const int y = int(plot.center().y() * ratio);
    return RunWidths(shown, y, int((plot.left() + 2) * ratio), int((plot.right() - 2) * ratio),
                     QColor(192, 192, 192));
  }

  // A chart with plain grid lines only, nothing smoothed, as on screen.
  static void ShowChart(TToneChart &AChart) {
    AChart.setNotAntialiasedElements(QCP::aeAll);
    AChart.resize(600, 300);
    AChart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&AChart));
  }

private slots:
  void TheScreenIsOfRatioTwo() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }

  void ChartsDrawAtTheScreensResolution() {
    TToneChart chart;
    ShowChart(chart);
    QCOMPARE(chart.bufferDevicePixelRatio(), 2.0);
    const QList<int> widths = GridLineWidths(chart);
    // 0 to 8192 tones, a line every 256: about thirty of them.
    QVERIFY2(widths.size() > 20, qPrintable(QString::number(widths.size())));
    QCOMPARE(widths, QList<int>(widths.size(), 1));
  }

  // A chart made while its window stood on a screen of ratio 1, then shown
  // on one of ratio 2 (a window moved between screens): its next paint is
  // sharp again.
  void ChartsCatchUpWithANewScreen() {
    TToneChart chart;
    chart.setBufferDevicePixelRatio(1);
    ShowChart(chart);
    chart.repaint();
    QCOMPARE(chart.bufferDevicePixelRatio(), 2.0);
    const QList<int> widths = GridLineWidths(chart);
    QVERIFY(!widths.isEmpty());
    QCOMPARE(widths, QList<int>(widths.size(), 1));
  }

  // The timeline's plot as well: it is no tone chart, but moves between
  // screens with the window all the same.
  void TimelineCatchesUpWithANewScreen() {
    TTimelinePage page;
    page.plot->setBufferDevicePixelRatio(1);
    page.resize(600, 500);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.plot->repaint();
    QCOMPARE(page.plot->bufferDevicePixelRatio(), 2.0);
  }

  void IconDrawnForEachSize_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("ratio");
    QTest::newRow("16 at 2") << 16 << 2.0;
    QTest::newRow("24 at 2") << 24 << 2.0;
    QTest::newRow("48 at 2") << 48 << 2.0;
    QTest::newRow("20 at 1.5") << 20 << 1.5;
    QTest::newRow("32 at 1") << 32 << 1.0;
  }

  void IconDrawnForEachSize() {
    QFETCH(int, size);
    QFETCH(double, ratio);
    const QPixmap icon = TonegraphIcon().pixmap(QSize(size, size), ratio);
    const int device = int(size * ratio);
    QCOMPARE(icon.devicePixelRatio(), ratio);
    QCOMPARE(icon.size(), QSize(device, device));
    const QImage drawn = Pixels(TonegraphIconPixmap(device));
    QCOMPARE(Pixels(icon), drawn);
    QCOMPARE(Pixels(TonegraphIconPixmap(size, ratio)), drawn);
    if (ratio > 1) {
      // Not the logical size scaled up: that one has blurred edges.
      const QPixmap logical = TonegraphIconPixmap(size);
      QVERIFY(Pixels(logical.scaled(device, device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)) != drawn);
    }
  }

  void AboutBoxIconAtTheScreensResolution() {
    TfrmAbout about;
    const QPixmap icon = about.ProgramIcon->pixmap();
    QCOMPARE(icon.devicePixelRatio(), 2.0);
    QCOMPARE(icon.size(), QSize(64, 64));
  }
};

int main(int AArgc, char **AArgv) {
  // Before the application exists: every screen, the offscreen one too,
  // then has twice as many device pixels to the pixel.
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(AArgc, AArgv);
  THighDpiTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, AArgc, AArgv);
}

#include "tst_HighDpi.moc"

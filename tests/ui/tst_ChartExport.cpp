// A snapshot's charts drawn offscreen and saved as pictures, the profile's
// bands shaded behind them, the tone axis in MHz, and the window keeping the
// user's choice of both.

#include <set>

#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include "ChartExport.h"
#include "FileDialogAnswers.h"
#include "InputPanel.h"
#include "MainCharts.h"
#include "ToneBands.h"
#include "ToneChart.h"
#include "UiTestSupport.h"
#include "fmMain.h"

namespace {

std::unique_ptr<TDrayData> Sample() {
  auto data = std::make_unique<TDrayData>();
  data->LoadFromFile(TONEGRAPH_EXAMPLES_DIR "/sample.draydata");
  return data;
}

int ColourCount(const QImage &AImage) {
  std::set<QRgb> colours;
  for (int y = 0; y < AImage.height(); y += 2)
    for (int x = 0; x < AImage.width(); x += 2)
      colours.insert(AImage.pixel(x, y));
  return int(colours.size());
}

bool HasColour(const QImage &AImage, const QColor &AColour) {
  for (int y = 0; y < AImage.height(); ++y)
    for (int x = 0; x < AImage.width(); ++x)
      if (AImage.pixelColor(x, y) == AColour)
        return true;
  return false;
}

const std::pair<TChartKind, const char *> Kinds[] = {
    {TChartKind::HLog, "HLog"}, {TChartKind::QLN, "QLN"},   {TChartKind::SNR, "SNR"},
    {TChartKind::Bits, "Bits"}, {TChartKind::Gain, "Gain"}, {TChartKind::BinSNR, "SNR"}};

}  // namespace

class TChartExportTest : public QObject {
  Q_OBJECT

  QTemporaryDir FFolder;
  QTemporaryDir FSettings;

private slots:
  void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.path()); }

  void PngOfEveryChartAtItsSizeWithBothDirectionsDrawn() {
    const auto data = Sample();
    for (const auto &[kind, name] : Kinds) {
      TToneChart chart;
      TChartExport::Draw(&chart, *data, kind);
      const QString file = FFolder.filePath(QStringLiteral("%1.png").arg(int(kind)));
      QVERIFY(TChartExport::Save(&chart, file, TImageFormat::Png, QSize(640, 360)));
      const QImage image(file);
      QCOMPARE(image.size(), QSize(640, 360));
      // Not a blank picture: axes, labels, grid, bands and both series.
      QVERIFY2(ColourCount(image) > 20, name);
      QVERIFY2(HasColour(image, QColor(0, 128, 0)), name);
      QVERIFY2(HasColour(image, QColor(0, 0, 255)), name);
    }
  }

  void SvgOfEveryChartHoldsItsTitleAndLegendAsText() {
    const auto data = Sample();
    for (const auto &[kind, name] : Kinds) {
      TToneChart chart;
      TChartExport::Draw(&chart, *data, kind);
      const QString file = FFolder.filePath(QStringLiteral("%1.svg").arg(int(kind)));
      QVERIFY(TChartExport::Save(&chart, file, TImageFormat::Svg, QSize(900, 500)));
      QFile svg(file);
      QVERIFY(svg.open(QIODevice::ReadOnly));
      const QByteArray text = svg.readAll();
      QVERIFY2(text.contains(name), name);
      QVERIFY2(text.contains(">US<") && text.contains(">DS<"), name);
      QVERIFY2(text.contains(">DS1<"), "the band labels are text as well");
      QSvgRenderer renderer(file);
      QVERIFY(renderer.isValid());
      QCOMPARE(renderer.viewBox(), QRect(0, 0, 900, 500));
    }
  }

  void TheBandsOfEachProfile_data() {
    QTest::addColumn<int>("profile");
    QTest::addColumn<QStringList>("bands");
    const QString eight = QStringLiteral("US0 6-32,DS1 33-869,US1 870-1205,DS2 1206-1971");
    const QString twelve = eight + QStringLiteral(",US2 1972-2782");
    QTest::newRow("8b") << int(vp8b) << eight.split(QLatin1Char(','));
    QTest::newRow("12a") << int(vp12a) << twelve.split(QLatin1Char(','));
    QTest::newRow("17a") << int(vp17a) << (twelve + QStringLiteral(",DS3 2783-4095")).split(QLatin1Char(','));
    QTest::newRow("35b") << int(vp35b)
                         << (twelve + QStringLiteral(",DS3 2783-4095,DS4 4096-8191")).split(QLatin1Char(','));
    QTest::newRow("30a") << int(vp30a)
                         << QStringLiteral("US0 3-15,DS1 16-434,US1 435-602,DS2 603-985,US2 986-1391,DS3 1392-2666,"
                                           "US3 2667-3478")
                                .split(QLatin1Char(','));
    QTest::newRow("N/A") << int(vpNA) << QStringList();
  }

  void TheBandsOfEachProfile() {
    QFETCH(int, profile);
    QFETCH(QStringList, bands);
    TDrayData data;
    data.SetVDSLProfile(TVDSLProfile(profile));
    TToneChart chart;
    TChartExport::Draw(&chart, data, TChartKind::HLog);
    QStringList shaded;
    for (const TShadedBand &band : TToneBands::Of(&chart))
      shaded << QStringLiteral("%1 %2-%3").arg(band.Name).arg(band.FirstTone).arg(band.LastTone);
    QCOMPARE(shaded, bands);
    TChartLook plain;
    plain.BandPlan = false;
    TChartExport::Draw(&chart, data, TChartKind::HLog, plain);
    QVERIFY(TToneBands::Of(&chart).empty());
  }

  void BandLabelsCentredOnWhatIsInView_data() {
    QTest::addColumn<double>("bandLeft");
    QTest::addColumn<double>("bandRight");
    QTest::addColumn<double>("centre");  // -1: not drawn
    // A plot from pixel 60 to 1000, labels 30 pixels wide.
    QTest::newRow("wide band in the middle") << 300.0 << 500.0 << 400.0;
    QTest::newRow("narrow band at the left edge") << 60.5 << 64.0 << 75.0;
    QTest::newRow("narrow band at the right edge") << 996.0 << 1000.0 << 985.0;
    QTest::newRow("partly left of the view") << -400.0 << 200.0 << 130.0;
    QTest::newRow("partly right of the view") << 900.0 << 3000.0 << 950.0;
    QTest::newRow("wider than the view") << -100.0 << 2000.0 << 530.0;
    QTest::newRow("left of the view") << -400.0 << 59.0 << -1.0;
    QTest::newRow("right of the view") << 1000.0 << 1200.0 << -1.0;
  }

  void BandLabelsCentredOnWhatIsInView() {
    QFETCH(double, bandLeft);
    QFETCH(double, bandRight);
    QFETCH(double, centre);
    QCOMPARE(TToneBands::LabelCentre(bandLeft, bandRight, 60, 1000, 15).value_or(-1), centre);
  }

  // The first upstream band is a few pixels wide at the plot's left edge:
  // its label still shows whole, as every other band's does, drawn over the
  // neighbouring band's fill (text in the label's colour in its right half).
  void BandLabelsShowWholeInsideThePlot_data() {
    QTest::addColumn<int>("profile");
    QTest::addColumn<QSize>("size");
    QTest::newRow("8b") << int(vp8b) << QSize(1200, 700);
    QTest::newRow("17a") << int(vp17a) << QSize(1200, 700);
    QTest::newRow("35b") << int(vp35b) << QSize(1200, 700);
    QTest::newRow("35b small") << int(vp35b) << QSize(420, 300);
    QTest::newRow("30a") << int(vp30a) << QSize(800, 500);
  }

  void BandLabelsShowWholeInsideThePlot() {
    QFETCH(int, profile);
    QFETCH(QSize, size);
    TDrayData data;
    data.SetVDSLProfile(TVDSLProfile(profile));
    TToneChart chart;
    TChartExport::Draw(&chart, data, TChartKind::SNR);
    chart.resize(size);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.replot(QCustomPlot::rpImmediateRefresh);
    const QImage picture = chart.grab().toImage();
    const QRectF plot = QRectF(chart.axisRect()->rect()).adjusted(-0.5, -0.5, 0.5, 0.5);
    QStringList labels;
    for (int i = 0; i < chart.itemCount(); ++i) {
      const auto *label = qobject_cast<QCPItemText *>(chart.item(i));
      if (!label || !label->property("toneBand").isValid())
        continue;
      labels << label->text();
      const QRectF shown(label->topLeft->pixelPosition(), label->bottomRight->pixelPosition());
      QVERIFY2(plot.contains(shown), qPrintable(QStringLiteral("%1 at %2..%3, the plot %4..%5")
                                                    .arg(label->text())
                                                    .arg(shown.left())
                                                    .arg(shown.right())
                                                    .arg(plot.left())
                                                    .arg(plot.right())));
      int inked = 0;
      const QColor ink = label->color();
      for (int y = int(shown.top()); y <= int(shown.bottom()); ++y)
        for (int x = int(shown.center().x()) + 1; x <= int(shown.right()); ++x) {
          const QColor pixel = picture.pixelColor(x, y);
          inked += std::abs(pixel.red() - ink.red()) + std::abs(pixel.green() - ink.green()) +
                       std::abs(pixel.blue() - ink.blue()) <
                   120;
        }
      QVERIFY2(inked > 0, qPrintable(label->text() + QStringLiteral(" is covered")));
    }
    QCOMPARE(labels.size(), int(TToneBands::Of(&chart).size()));
    QVERIFY(labels.contains(QStringLiteral("US0")));
  }

  // The "no bins" notice in a grey that reads on the chart's ground, whether
  // the chart turned dark before or after the notice was set.
  void TheNoticeFollowsTheDarkLook_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("draws");
    QTest::newRow("light") << false << 1;
    QTest::newRow("dark after the notice") << true << 1;
    QTest::newRow("notice on a dark chart") << true << 2;
  }

  void TheNoticeFollowsTheDarkLook() {
    QFETCH(bool, dark);
    QFETCH(int, draws);
    TDrayData data;  // no bins tables
    data.SetVDSLProfile(vp17a);
    TToneChart chart;
    TChartLook look;
    look.Dark = dark;
    for (int i = 0; i < draws; ++i)
      TChartExport::Draw(&chart, data, TChartKind::Bits, look);
    QVERIFY(!chart.Notice().isEmpty());
    const QString file = FFolder.filePath(QStringLiteral("notice.png"));
    QVERIFY(TChartExport::Save(&chart, file, TImageFormat::Png, QSize(800, 400)));
    const QImage image(file);
    const int ground = image.pixelColor(2, 2).lightness();
    // The pixel of the notice's text that stands out most from the ground.
    int contrast = 0;
    const QPoint centre = chart.axisRect()->center();
    for (int y = centre.y() - 12; y <= centre.y() + 12; ++y)
      for (int x = centre.x() - 150; x <= centre.x() + 150; ++x)
        contrast = std::max(contrast, (dark ? 1 : -1) * (image.pixelColor(x, y).lightness() - ground));
    QVERIFY2(contrast > 100, qPrintable(QString::number(contrast)));
  }

  void TheToneAxisInMegahertzAndBack() {
    const auto data = Sample();
    TToneChart chart;
    chart.resize(1200, 700);
    TChartLook mhz;
    mhz.FrequencyAxis = true;
    TChartExport::Draw(&chart, *data, TChartKind::SNR, mhz);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    QCOMPARE(chart.ToneAxis()->label(), QStringLiteral("Frequency (MHz)"));
    QStringList labels;
    for (const QString &label : chart.ToneAxis()->tickVectorLabels())
      labels << label.trimmed();
    // 17A reaches 17.66 MHz: a label every 2 MHz keeps the axis readable.
    for (const char *label : {"0", "2", "4", "10", "16"})
      QVERIFY2(labels.contains(QString::fromLatin1(label)), qPrintable(labels.join(QLatin1Char(' '))));
    QCOMPARE(chart.ToneAxis()->tickVector().at(labels.indexOf(QStringLiteral("2"))), 2e6 / 4312.5);

    TChartExport::Draw(&chart, *data, TChartKind::SNR);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    QCOMPARE(chart.ToneAxis()->label(), QStringLiteral("Tones"));
    QVERIFY(chart.ToneAxis()->tickVectorLabels().contains(QStringLiteral("1024")));
  }

  void TheWindowKeepsTheUsersChoices() {
    TRecordingErrorDisplay errors;
    TRecordingTopicViewer help;
    auto data = Sample();
    {
      TfrmMain form(QStringList{}, TMainServices{&errors, &help});
      QVERIFY(form.acnBandPlan->isChecked());
      // The offscreen platform's palette is light: light charts to start.
      QVERIFY(!form.acnDarkCharts->isChecked());
      QVERIFY(!form.acnFrequencyAxis->isChecked());
      form.Charts().DisplayChartData(data.get());
      QCOMPARE(TToneBands::Of(form.Charts().chartBitLoading).size(), std::size_t(6));
      form.acnBandPlan->trigger();
      form.acnFrequencyAxis->trigger();
      form.acnDarkCharts->trigger();
      QVERIFY(form.Charts().chartGain->Dark());
      QVERIFY(TToneBands::Of(form.Charts().chartBitLoading).empty());
      QVERIFY(form.Charts().chartHLog->FrequencyAxis());
    }
    TfrmMain again(QStringList{}, TMainServices{&errors, &help});
    QVERIFY(!again.acnBandPlan->isChecked());
    QVERIFY(again.acnFrequencyAxis->isChecked());
    again.Charts().DisplayChartData(data.get());
    QVERIFY(TToneBands::Of(again.Charts().chartSNR).empty());
    QVERIFY(again.Charts().chartSNR->FrequencyAxis());
    QVERIFY(again.acnDarkCharts->isChecked());
    QVERIFY(again.Charts().chartSNR->Dark());
    QVERIFY(errors.Messages.empty() && errors.Reports.empty());
  }

  void DarkChartsChangeTheBackgroundTextAndSeriesColours() {
    const auto data = Sample();
    TToneChart chart;
    TChartExport::Draw(&chart, *data, TChartKind::SNR);
    TChartLook dark;
    dark.Dark = true;
    const QList<QColor> light = {chart.legend->textColor(), chart.ToneAxis()->tickLabelColor(),
                                 chart.graph(0)->pen().color(), chart.graph(1)->pen().color()};
    QCOMPARE(light, (QList<QColor>{Qt::black, Qt::black, TChartLook().USColor(), TChartLook().DSColor()}));
    TChartExport::Draw(&chart, *data, TChartKind::SNR, dark);
    const QList<QColor> darkColours = {chart.legend->textColor(), chart.ToneAxis()->tickLabelColor(),
                                       chart.graph(0)->pen().color(), chart.graph(1)->pen().color()};
    QCOMPARE(darkColours,
             (QList<QColor>{QColor(224, 224, 224), QColor(224, 224, 224), dark.USColor(), dark.DSColor()}));
    // Both directions stand out from the dark background.
    for (const QColor &direction : {dark.USColor(), dark.DSColor()})
      QVERIFY(direction.lightness() - QColor(32, 33, 36).lightness() > 80);
    // And the picture is dark: its corner is the background.
    const QString file = FFolder.filePath(QStringLiteral("dark.png"));
    QVERIFY(TChartExport::Save(&chart, file, TImageFormat::Png, QSize(600, 300)));
    QCOMPARE(QImage(file).pixelColor(2, 2), QColor(32, 33, 36));
  }

  void TheWindowExportsTheChartItWasAskedOnAndTheSelectedSnapshot() {
    TRecordingErrorDisplay errors;
    TRecordingTopicViewer help;
    TFileDialogAnswers dialogs;
    TfrmMain form(QStringList{}, TMainServices{&errors, &help, &dialogs});
    form.DrayDataList().Add(Sample());
    form.pnlInputs->lbxStatistics->setCurrentRow(0);
    form.pnlInputs->lbxStatistics->item(0)->setSelected(true);
    const auto shown = Sample();
    form.Charts().DisplayChartData(shown.get());
    TToneChart *chart = form.Charts().chartSNR;
    chart->resize(700, 400);
    emit chart->MenuRequested(chart, QPoint(10, 10));
    form.mnuCharts->close();

    const QString svg = FFolder.filePath(QStringLiteral("window.svg"));
    const QString series = FFolder.filePath(QStringLiteral("window-series.csv"));
    const QString json = FFolder.filePath(QStringLiteral("window.json"));
    const QString table = FFolder.filePath(QStringLiteral("window.csv"));
    dialogs.SaveExport = {svg.toStdString(), series.toStdString()};
    form.acnChartExport->trigger();
    QCOMPARE(dialogs.ExportFilters.size(), std::size_t(4));
    form.acnChartExport->trigger();
    dialogs.SaveExport = {json.toStdString(), table.toStdString(), std::nullopt};
    form.acnExportSnapshot->trigger();
    form.acnExportSnapshot->trigger();
    form.acnExportSnapshot->trigger();  // cancelled: nothing written, nothing reported
    QVERIFY(errors.Messages.empty() && errors.Reports.empty());

    QCOMPARE(QSvgRenderer(svg).viewBox(), QRect(0, 0, 700, 400));
    QFile seriesFile(series);
    QVERIFY(seriesFile.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = seriesFile.readAll().split('\n');
    QCOMPARE(rows.first(), QByteArray("series,tone,value\r"));
    // Two series of 512 groups each, and the empty piece after the last CRLF.
    QCOMPARE(rows.size(), 1 + 2 * 512 + 1);
    QVERIFY(rows.at(1).startsWith("US,0,"));
    QVERIFY(rows.at(513).startsWith("DS,0,"));
    QFile jsonFile(json), tableFile(table);
    QVERIFY(jsonFile.open(QIODevice::ReadOnly) && tableFile.open(QIODevice::ReadOnly));
    QVERIFY(jsonFile.readAll().startsWith("{\"name\":\"Loaded from file\""));
    QCOMPARE(tableFile.readAll().count('\n'), 1 + 4096);

    dialogs.SaveExport = {FFolder.filePath(QStringLiteral("window.gif")).toStdString()};
    form.acnChartExport->trigger();
    QCOMPARE(errors.Messages.size() + errors.Reports.size(), std::size_t(1));
  }
};

QTEST_MAIN(TChartExportTest)
#include "tst_ChartExport.moc"

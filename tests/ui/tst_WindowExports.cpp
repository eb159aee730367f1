// The window's exports replace a file only with a complete one: a write that
// fails half-way (a full disk, made by a file size limit) leaves the earlier
// file byte for byte and nothing beside it, whatever the format.

#include <QTemporaryDir>
#include <QtTest>

#include "DrayData.h"
#include "TestFiles.h"
#include "ToneChart.h"
#include "ChartExport.h"
#include "WindowExports.h"

class TWindowExportsTest : public QObject {
  Q_OBJECT

private slots:
  void AFailedExportKeepsTheEarlierFile_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"snapshot.csv", "snapshot.json", "series.csv", "chart.png", "chart.svg", "chart.pdf"})
      QTest::newRow(name) << QString::fromLatin1(name);
  }

  void AFailedExportKeepsTheEarlierFile() {
    QFETCH(QString, name);
    TTempFolder folder;
    const std::string target = folder.Path(name.toStdString());
    const std::string earlier = "the earlier file\n";
    WriteBytes(target, earlier);
    TDrayData data;
    data.LoadFromFile(TONEGRAPH_EXAMPLES_DIR "/sample.draydata");
    TToneChart chart;
    chart.resize(700, 400);
    TChartExport::Draw(&chart, data, TChartKind::SNR);
    const bool ofSnapshot = name.startsWith(QLatin1String("snapshot"));
    const std::string message = WriteErrorOnAFullDisk(4096, [&] {
      if (ofSnapshot)
        TWindowExports::ExportSnapshot(data, target);
      else
        TWindowExports::ExportChart(&chart, target);
    });
    QCOMPARE(message, target + ": Stream write error");
    QCOMPARE(ReadBytes(target), earlier);
    QCOMPARE(folder.Listing(), name.toStdString() + ";");
  }
};

QTEST_MAIN(TWindowExportsTest)
#include "tst_WindowExports.moc"

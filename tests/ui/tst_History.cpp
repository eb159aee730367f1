// The window's history and comparison: a database of captures opened into
// the list and the Timeline page, the envelope of a time range on the SNR and
// bit-loading charts, a reference snapshot drawn beside the one shown and the
// difference from it. Databases are real SQLite files; snapshots come from
// the simulated router's line model.

#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <SQLiteCpp/SQLiteCpp.h>
#include <qcustomplot.h>

#include "ChartOverlays.h"
#include "FileDialogAnswers.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "InputPanel.h"
#include "MainCharts.h"
#include "MainPages.h"
#include "SimulatedSnapshot.h"
#include "TestFiles.h"
#include "TimelinePage.h"
#include "ToneChart.h"
#include "ToneDifference.h"
#include "UiTestSupport.h"
#include "fmMain.h"

namespace {

// The line of capture I: the noise floor higher each time, so SNR and bits
// fall from capture to capture.
std::unique_ptr<TDrayData> Snapshot(const char *AName, int AIndex) {
  auto data = std::make_unique<TDrayData>(AName);
  TLineSetup line = DemoLine();
  line.NoiseShiftDb = 3.0 * AIndex;
  FillFromSimulatedRouter(*data, vp17a, true, line);
  return data;
}

const char *const CaptureTimes[] = {"2026-12-01T10:00:00Z", "2026-12-01T11:00:00Z", "2026-12-01T12:00:00Z"};

QStringList Listed(const TfrmMain &AForm) {
  QStringList names;
  for (int i = 0; i < AForm.pnlInputs->lbxStatistics->count(); ++i)
    names << AForm.pnlInputs->lbxStatistics->item(i)->text();
  return names;
}

// The series of a chart by name, none when it has no such series.
QCPAbstractPlottable *Series(TToneChart *AChart, const QString &AName) {
  for (int i = 0; i < AChart->plottableCount(); ++i)
    if (AChart->plottable(i)->name() == AName)
      return AChart->plottable(i);
  return nullptr;
}

QStringList SeriesNames(TToneChart *AChart) {
  QStringList names;
  for (int i = 0; i < AChart->plottableCount(); ++i)
    if (!AChart->plottable(i)->name().isEmpty())
      names << AChart->plottable(i)->name();
  return names;
}

int OverlayCount(TToneChart *AChart) {
  int count = 0;
  for (int i = 0; i < AChart->plottableCount(); ++i) {
    int direction = 0;
    TOverlayRole role{};
    count += TChartOverlays::OverlayOf(AChart->plottable(i), direction, role);
  }
  return count;
}

double ValueAt(QCPAbstractPlottable *ASeries, double AKey) {
  if (auto *graph = qobject_cast<QCPGraph *>(ASeries)) {
    const auto point = graph->data()->findBegin(AKey, false);
    return point != graph->data()->constEnd() && point->key == AKey ? point->value : qQNaN();
  }
  if (auto *bars = qobject_cast<QCPBars *>(ASeries)) {
    const auto point = bars->data()->findBegin(AKey, false);
    return point != bars->data()->constEnd() && point->key == AKey ? point->value : qQNaN();
  }
  return qQNaN();
}

// The reference's entry reads in italics.
bool ShownAsReference(const TfrmMain &AForm, const char *AName) {
  const QList<QListWidgetItem *> items =
      AForm.pnlInputs->lbxStatistics->findItems(QString::fromLatin1(AName), Qt::MatchExactly);
  return items.size() == 1 && items[0]->font().italic();
}

void SendMouse(QWidget *AWidget, QEvent::Type AType, QPoint APos, Qt::MouseButtons AButtons) {
  QMouseEvent event(AType, QPointF(APos), AWidget->mapToGlobal(QPointF(APos)), Qt::LeftButton, AButtons,
                    Qt::NoModifier);
  QApplication::sendEvent(AWidget, &event);
}

}  // namespace

class THistoryWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir FFolder;
  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  TFileDialogAnswers FDialogs;
  std::vector<std::unique_ptr<TDrayData>> FCaptured;

  // Three captures of router "r" an hour apart and a failure in between.
  std::string Database() {
    const std::string file = FFolder.filePath(QStringLiteral("line.tgdb")).toStdString();
    if (QFile::exists(QString::fromStdString(file)))
      return file;
    THistoryStore store(file, THistoryStore::TOpen::CreateIfMissing);
    for (int i = 0; i < 3; ++i) {
      FCaptured.push_back(Snapshot("r", i));
      store.AddSnapshot(*FCaptured.back(), CaptureTimes[i], "r");
      if (i == 0)
        store.AddFailure("2026-12-01T10:30:00Z", "r", "Unable to connect");
    }
    return file;
  }

  TMainServices Services() { return TMainServices{&FErrors, &FHelp, &FDialogs}; }

  // The highest downstream SNR the given captures had at ATone.
  double HighestSNR(std::initializer_list<int> ACaptures, int ATone) {
    double highest = -1e9;
    for (const int i : ACaptures)
      highest = std::max(highest, StatAtTone(*FCaptured[std::size_t(i)], TDrayKind::SNR, TDirection::Downstream, ATone)
                                      .value_or(qQNaN()));
    return highest;
  }

private slots:
  void init() {
    FErrors = {};
    FDialogs = {};
  }

  void OpenHistoryFillsTheListTimelineAndEnvelope() {
    TfrmMain form(QStringList{}, Services());
    FDialogs.OpenHistory.push_back(Database());
    form.acnOpenHistory->trigger();
    QVERIFY(FErrors.Messages.empty());
    QCOMPARE(Listed(form), (QStringList{"2026-12-01 10:00:00 r", "2026-12-01 11:00:00 r", "2026-12-01 12:00:00 r"}));
    // The newest capture is the one shown.
    QCOMPARE(form.pnlInputs->lbxStatistics->currentRow(), 2);
    TTimelinePage &timeline = *form.pgcMain->tbsTimeline;
    QVERIFY(timeline.lblSummary->text().startsWith(QStringLiteral("4 captures (1 failed)")));
    QCOMPARE(timeline.Rects[0]->graphs().size(), 5);  // actual and attainable per direction, failures

    TToneChart *snr = form.pgcMain->chartSNR;
    QCPAbstractPlottable *band = Series(snr, QStringLiteral("DS range of 3 captures"));
    QVERIFY(band);
    const int tone = 600;  // a downstream tone of 17A
    QCOMPARE(ValueAt(band, tone), HighestSNR({0, 1, 2}, tone));
    QVERIFY(Series(form.pgcMain->chartBitLoading, QStringLiteral("US range of 3 captures")));
  }

  // A drag across the timeline chooses the captures of the envelope; a
  // double-click takes all of them again.
  void DraggedRangeNarrowsTheEnvelope() {
    TfrmMain form(QStringList{}, Services());
    form.resize(1200, 800);
    form.show();
    form.OpenHistory(Database());
    TTimelinePage &timeline = *form.pgcMain->tbsTimeline;
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    timeline.plot->replot();
    QCPAxis *axis = timeline.Rects[0]->axis(QCPAxis::atBottom);
    const int y = int(timeline.Rects[0]->center().y());
    const QPoint from(int(axis->coordToPixel(double(*ParseUtcTime("2026-12-01T10:45:00Z")))), y);
    const QPoint to(int(axis->coordToPixel(double(*ParseUtcTime("2026-12-01T12:30:00Z")))), y);
    SendMouse(timeline.plot, QEvent::MouseButtonPress, from, Qt::LeftButton);
    SendMouse(timeline.plot, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    SendMouse(timeline.plot, QEvent::MouseMove, to, Qt::LeftButton);
    SendMouse(timeline.plot, QEvent::MouseButtonRelease, to, Qt::NoButton);
    QVERIFY(timeline.Range());
    TToneChart *snr = form.pgcMain->chartSNR;
    QCPAbstractPlottable *band = Series(snr, QStringLiteral("DS range of 2 captures"));
    QVERIFY2(band, qPrintable(SeriesNames(snr).join(QStringLiteral(", "))));
    QCOMPARE(ValueAt(band, 600), HighestSNR({1, 2}, 600));
    QTest::mouseDClick(timeline.plot, Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(!timeline.Range());
    QVERIFY(Series(snr, QStringLiteral("DS range of 3 captures")));
  }

  // Opening a history again draws its timeline anew: each chart's legend
  // names its own series only, and the page draws.
  void TimelineShownAgainKeepsNoLegendOfTheSeriesBefore() {
    TfrmMain form(QStringList{}, Services());
    form.OpenHistory(Database());
    form.OpenHistory(Database());
    TTimelinePage &timeline = *form.pgcMain->tbsTimeline;
    for (QCPAxisRect *rect : timeline.Rects) {
      auto *legend = qobject_cast<QCPLegend *>(rect->insetLayout()->elementAt(0));
      QCOMPARE(legend->itemCount(), int(rect->graphs().size()));
    }
    timeline.plot->replot();
  }

  // "Dark charts" darkens the timeline too, with the same direction colours.
  void TimelineFollowsDarkCharts() {
    TfrmMain form(QStringList{}, Services());
    form.OpenHistory(Database());
    TTimelinePage &timeline = *form.pgcMain->tbsTimeline;
    QCPGraph *downstream = nullptr;
    for (QCPGraph *graph : timeline.Rects[1]->graphs())
      if (graph->name() == QStringLiteral("DS"))
        downstream = graph;
    QVERIFY(downstream);
    const QColor light = downstream->pen().color();
    form.acnDarkCharts->trigger();
    TChartLook dark;
    dark.Dark = true;
    QCOMPARE(downstream->pen().color(), dark.DSColor());
    QVERIFY(light != dark.DSColor());
    QCOMPARE(timeline.Rects[1]->axis(QCPAxis::atLeft)->tickLabelColor().lightness() > 128, true);
    form.acnDarkCharts->trigger();
    QCOMPARE(downstream->pen().color(), light);
  }

  // As desktop users open files: named on the command line or dropped.
  void DatabaseOnTheCommandLineOpensAsHistory() {
    TfrmMain form({QString::fromStdString(Database())}, Services());
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    QCOMPARE(Listed(form).size(), 3);
    QVERIFY(form.History());
  }

  // A database that watch has only just made: nothing to list or chart.
  void EmptyHistory() {
    const std::string file = FFolder.filePath(QStringLiteral("empty.tgdb")).toStdString();
    { THistoryStore store(file, THistoryStore::TOpen::CreateIfMissing); }
    TfrmMain form(QStringList{}, Services());
    form.OpenHistory(file);
    QVERIFY(FErrors.Messages.empty());
    QVERIFY(Listed(form).isEmpty());
    QCOMPARE(form.pgcMain->tbsTimeline->lblSummary->text(), QStringLiteral("The history holds no captures yet."));
    QVERIFY(form.History());
  }

  void OtherFilesAreRefused_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QString() << QStringLiteral("Cannot open history");
    QTest::newRow("empty") << QStringLiteral("empty") << QStringLiteral("is not a Tonegraph history database");
    QTest::newRow("text") << QStringLiteral("not a database at all, just text")
                          << QStringLiteral("is not a Tonegraph history database");
    QTest::newRow("other database") << QStringLiteral("sqlite") << QStringLiteral("is not a Tonegraph history database");
  }

  void OtherFilesAreRefused() {
    QFETCH(QString, content);
    QFETCH(QString, message);
    const QString file = FFolder.filePath(QStringLiteral("other-") + QTest::currentDataTag());
    if (content == QStringLiteral("sqlite")) {
      SQLite::Database other(file.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
      other.exec("CREATE TABLE notes (text TEXT)");
    } else if (!content.isEmpty()) {
      QFile text(file);
      QVERIFY(text.open(QIODevice::WriteOnly));
      text.write(content == QStringLiteral("empty") ? QByteArray() : content.toUtf8());
    }
    const std::string bytes = ReadBytes(file.toStdString());
    TfrmMain form(QStringList{}, Services());
    form.DrayDataList().Add(Snapshot("kept", 0));
    form.OpenHistory(file.toStdString());
    QCOMPARE(ReadBytes(file.toStdString()), bytes);  // the window only reads
    QCOMPARE(FErrors.Messages.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(FErrors.Messages[0]).contains(message), FErrors.Messages[0].c_str());
    QCOMPARE(Listed(form), QStringList{QStringLiteral("kept")});
    QVERIFY(!form.History());
    QVERIFY(!QFile::exists(file) || !content.isEmpty());  // nothing created in its place
  }

  // A database where the user may not write, named on the command line as
  // a desktop opens it: the list and the timeline as anywhere else.
  void ReadOnlyFolderOpensAndShows() {
    TTempFolder folder;
    const std::string file = folder.Path("line.tgdb");
    {
      THistoryStore store(file, THistoryStore::TOpen::CreateIfMissing);
      store.AddSnapshot(*Snapshot("r", 0), CaptureTimes[0], "r");
      store.AddFailure(CaptureTimes[1], "r", "Unable to connect");
      store.AddSnapshot(*Snapshot("r", 1), CaptureTimes[2], "r", "no answer to \"vdsl showbins up\"");
    }
    const std::string listing = folder.Listing();
    const std::string shown = InAReadOnlyFolder(folder.Folder(), [&] {
      TfrmMain form({QString::fromStdString(file)}, Services());
      std::string text = Listed(form).join(QStringLiteral(", ")).toStdString();
      for (const std::string &message : FErrors.Messages)
        text += " / " + message;
      return text + " / " + form.pgcMain->tbsTimeline->lblSummary->text().toStdString();
    });
    QCOMPARE(shown.substr(0, shown.find(" / ")), std::string("2026-12-01 10:00:00 r, 2026-12-01 12:00:00 r"));
    QVERIFY2(shown.find(" / 3 captures (1 failed)") != std::string::npos, shown.c_str());
    QCOMPARE(folder.Listing(), listing);
  }

  void ComparisonDrawsTheReferenceAndTheDifference() {
    TfrmMain form(QStringList{}, Services());
    TDrayData *before = form.DrayDataList().Items(form.DrayDataList().Add(Snapshot("before", 0)));
    TDrayData *after = form.DrayDataList().Items(form.DrayDataList().Add(Snapshot("after", 2)));
    form.pnlInputs->lbxStatistics->setCurrentRow(0);  // "after", the list is by name
    QCOMPARE(form.GetSelectedDrayData(), after);
    form.UpdateActions();
    QVERIFY(form.acnCompareWith->isEnabled());
    QVERIFY(!form.acnDifference->isEnabled());

    form.CompareWith(before);
    const TToneDifference difference = DiffTones(*before, *after);
    QVERIFY(!difference.LostBits[1].empty());
    TMainPages &pages = *form.pgcMain;
    QCOMPARE(SeriesNames(pages.chartHLog), (QStringList{"US", "DS", "US before", "DS before"}));
    const QString lost = QStringLiteral("DS before: %1 tones gained bits, %2 lost")
                             .arg(difference.GainedBits[1].size())
                             .arg(difference.LostBits[1].size());
    QVERIFY2(Series(pages.chartBitLoading, lost), qPrintable(SeriesNames(pages.chartBitLoading).join(", ")));
    QVERIFY(pages.chartBinSNRDS->plottableCount() == 2);
    QVERIFY(ShownAsReference(form, "before"));

    form.UpdateActions();
    form.acnDifference->trigger();
    const int tone = difference.LostBits[1].front();
    QCPAbstractPlottable *bits = Series(pages.chartBitLoading, QStringLiteral("DS: ") + lost.mid(11));
    QVERIFY(bits);
    QCOMPARE(ValueAt(bits, tone), double(after->ShowBinStatsDS()[tone].ToneBits - before->ShowBinStatsDS()[tone].ToneBits));
    QVERIFY(ValueAt(bits, tone) < 0);
    QCPAbstractPlottable *qln = Series(pages.chartQLN, QStringLiteral("DS \u2212 before"));
    QVERIFY(qln);
    const double qlnChange = *StatAtTone(*after, TDrayKind::QLN, TDirection::Downstream, 600) -
                             *StatAtTone(*before, TDrayKind::QLN, TDirection::Downstream, 600);
    QVERIFY(qlnChange > 0);  // the noise floor rose
    QCOMPARE(ValueAt(qln, 600), qlnChange);

    form.StopComparing();
    QCOMPARE(SeriesNames(pages.chartHLog), (QStringList{"US", "DS"}));
    QCOMPARE(OverlayCount(pages.chartBitLoading), 0);
    QVERIFY(!form.acnDifference->isChecked());
    QVERIFY(!ShownAsReference(form, "before"));
  }

  // Bits are counted, and differences drawn, only where both snapshots have
  // a bins listing; otherwise the bins charts say so.
  void ComparisonWithoutBinsOnOneSide() {
    TfrmMain form(QStringList{}, Services());
    auto bare = std::make_unique<TDrayData>("before");
    FillFromSimulatedRouter(*bare, vp17a, false, DemoLine());
    TDrayData *before = form.DrayDataList().Items(form.DrayDataList().Add(std::move(bare)));
    form.DrayDataList().Add(Snapshot("after", 2));
    form.pnlInputs->lbxStatistics->setCurrentRow(0);
    form.CompareWith(before);
    TMainPages &pages = *form.pgcMain;
    QCOMPARE(SeriesNames(pages.chartHLog), (QStringList{"US", "DS", "US before", "DS before"}));
    form.UpdateActions();
    form.acnDifference->trigger();
    QVERIFY(form.acnDifference->isChecked());
    for (TToneChart *chart : {pages.chartBitLoading, pages.chartGain, pages.chartBinSNRUS, pages.chartBinSNRDS}) {
      QCOMPARE(chart->Notice(), QStringLiteral("No bins data in both snapshots"));
      QCOMPARE(OverlayCount(chart), 0);
    }
    QVERIFY(Series(pages.chartQLN, QStringLiteral("DS \u2212 before")));
  }

  // Ctrl+click picks the reference without changing what is shown; the
  // reference leaving the list ends the comparison.
  void CtrlClickPicksTheReference() {
    TfrmMain form(QStringList{}, Services());
    form.resize(1200, 800);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TDrayData *first = form.DrayDataList().Items(form.DrayDataList().Add(Snapshot("a", 0)));
    TDrayData *second = form.DrayDataList().Items(form.DrayDataList().Add(Snapshot("b", 1)));
    QListWidget *list = form.pnlInputs->lbxStatistics;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
    QCOMPARE(form.GetSelectedDrayData(), second);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(form.Reference(), first);
    QCOMPARE(form.GetSelectedDrayData(), second);
    QVERIFY(Series(form.pgcMain->chartSNR, QStringLiteral("DS a")));

    form.DrayDataList().Remove(first);
    QCOMPARE(form.Reference(), nullptr);
    form.lbxStatisticsClick();
    QCOMPARE(OverlayCount(form.pgcMain->chartSNR), 0);
  }
};

QTEST_MAIN(THistoryWindowTest)
#include "tst_History.moc"

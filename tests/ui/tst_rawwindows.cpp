// The raw data windows: which text each button's window shows, that the copy
// is the window's own and taken under the group's lock, and how the windows
// live and die.

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "DrayData.h"
#include "RawText.h"
#include "fmRawBins.h"
#include "fmRawData.h"

Q_DECLARE_METATYPE(TRawKind)

namespace {

// Every group and direction gets text of its own, with a blank line and
// trailing blanks that must come through unchanged.
TTextLines LinesFor(const char *AName) {
  return {std::string(AName) + " first", "", std::string(AName) + " last   "};
}

std::unique_ptr<TDrayData> NewSnapshot() {
  auto data = std::make_unique<TDrayData>("snapshot");
  data->SetRaw(TDrayKind::HLog, TDirection::Upstream, LinesFor("hlog us"));
  data->SetRaw(TDrayKind::HLog, TDirection::Downstream, LinesFor("hlog ds"));
  data->SetRaw(TDrayKind::QLN, TDirection::Upstream, LinesFor("qln us"));
  data->SetRaw(TDrayKind::QLN, TDirection::Downstream, LinesFor("qln ds"));
  data->SetRaw(TDrayKind::SNR, TDirection::Upstream, LinesFor("snr us"));
  data->SetRaw(TDrayKind::SNR, TDirection::Downstream, LinesFor("snr ds"));
  data->SetBinStatsUSRaw(LinesFor("bins us"));
  data->SetBinStatsDSRaw(LinesFor("bins ds"));
  return data;
}

QString Joined(const TTextLines &ALines) {
  QStringList lines;
  for (const auto &line : ALines)
    lines << QString::fromUtf8(line.data(), qsizetype(line.size()));
  return lines.join('\n');
}

TRawWindow *Open(QWidget *AOwner, const TDrayData *AData, TRawKind AKind) {
  if (AKind == TRawKind::Bins)
    return TfrmRawBins::ShowBins(AOwner, AData);
  return TfrmRawData::ShowRaw(AOwner, AData, AKind);
}

TDrayLock &LockOf(const TDrayData &AData, TRawKind AKind) {
  switch (AKind) {
  case TRawKind::HLog: return AData.HLogLock();
  case TRawKind::QLN: return AData.QLNLock();
  case TRawKind::SNR: return AData.SNRLock();
  case TRawKind::Bins: break;
  }
  return AData.BinStatLock();
}

void AddKinds() {
  QTest::addColumn<TRawKind>("kind");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("group");
  QTest::newRow("HLog") << TRawKind::HLog << "HLOG Raw Data" << "hlog";
  QTest::newRow("QLN") << TRawKind::QLN << "QLN Raw Data" << "qln";
  QTest::newRow("SNR") << TRawKind::SNR << "SNR Raw Data" << "snr";
  QTest::newRow("Bins") << TRawKind::Bins << "Raw bins data" << "bins";
}

} // namespace

class TRawWindowsTest : public QObject {
  Q_OBJECT

private slots:
  void ShowsTheGroupsOwnTextUnderItsCaption_data() { AddKinds(); }
  void ShowsTheGroupsOwnTextUnderItsCaption();
  void NoSnapshotGivesEmptyMemos_data() { AddKinds(); }
  void NoSnapshotGivesEmptyMemos();
  void CopyOutlivesChangesAndTheSnapshot();
  void CopyWaitsForTheGroupsWriterOnly_data() { AddKinds(); }
  void CopyWaitsForTheGroupsWriterOnly();
  void MemosAreReadOnlyUnwrappedMonospaced_data() { AddKinds(); }
  void MemosAreReadOnlyUnwrappedMonospaced();
  void EveryClickOpensOneMoreWindowAndCloseDestroysOnlyIt();
  void OwnerTakesItsRawWindowsAlong();
  void MemosShareTheGridEqually();
};

void TRawWindowsTest::ShowsTheGroupsOwnTextUnderItsCaption() {
  QFETCH(TRawKind, kind);
  QFETCH(QString, caption);
  QFETCH(QString, group);
  auto data = NewSnapshot();
  QWidget owner;
  QPointer<TRawWindow> window = Open(&owner, data.get(), kind);
  QCOMPARE(window->windowTitle(), caption);
  QVERIFY(window->isVisible());
  QVERIFY(!window->isModal());
  QCOMPARE(window->memUS->toPlainText(), Joined(LinesFor(qPrintable(group + " us"))));
  QCOMPARE(window->memDS->toPlainText(), Joined(LinesFor(qPrintable(group + " ds"))));
  QCOMPARE(window->lblUpstream->text(), QString("Upstream"));
  QCOMPARE(window->lblDownstream->text(), QString("Downstream"));
  QCOMPARE(window->btnClose->text(), QString("Close"));
}

void TRawWindowsTest::NoSnapshotGivesEmptyMemos() {
  QFETCH(TRawKind, kind);
  QFETCH(QString, caption);
  QWidget owner;
  TRawWindow *window = Open(&owner, nullptr, kind);
  QCOMPARE(window->windowTitle(), caption);
  QVERIFY(window->memUS->toPlainText().isEmpty());
  QVERIFY(window->memDS->toPlainText().isEmpty());
}

void TRawWindowsTest::CopyOutlivesChangesAndTheSnapshot() {
  auto data = NewSnapshot();
  QWidget owner;
  TRawWindow *window = Open(&owner, data.get(), TRawKind::HLog);
  const QString shown = window->memUS->toPlainText();
  data->SetRaw(TDrayKind::HLog, TDirection::Upstream, {"changed afterwards"});
  QCOMPARE(window->memUS->toPlainText(), shown);
  data.reset();
  QCOMPARE(window->memUS->toPlainText(), shown);
  QVERIFY(window->memDS->toPlainText().startsWith("hlog ds"));
}

// While a writer holds the group's lock the copy must not happen; a writer of
// any other group must not hold it up.
void TRawWindowsTest::CopyWaitsForTheGroupsWriterOnly() {
  QFETCH(TRawKind, kind);
  auto data = NewSnapshot();
  for (TRawKind other : {TRawKind::HLog, TRawKind::QLN, TRawKind::SNR, TRawKind::Bins}) {
    if (other == kind)
      continue;
    std::unique_lock writer(LockOf(*data, other));
    QCOMPARE(CopyRawText(*data, kind).US.size(), std::size_t(3));
  }
  std::atomic<bool> released{false};
  std::atomic<bool> copiedBeforeRelease{false};
  std::unique_lock writer(LockOf(*data, kind));
  std::atomic<bool> copied{false};
  std::thread copier([&] {
    CopyRawText(*data, kind);
    copiedBeforeRelease = !released.load();
    copied = true;
  });
  // A faulty copy that does not wait for the writer ends within this window.
  const auto window = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
  while (!copied.load() && std::chrono::steady_clock::now() < window)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  released = true;
  writer.unlock();
  copier.join();
  QVERIFY(!copiedBeforeRelease.load());
}

void TRawWindowsTest::MemosAreReadOnlyUnwrappedMonospaced() {
  QFETCH(TRawKind, kind);
  TDrayData data;
  const std::string longLine(2000, 'x');
  data.SetRaw(TDrayKind::HLog, TDirection::Upstream, {longLine});
  data.SetBinStatsUSRaw({longLine});
  data.SetRaw(TDrayKind::QLN, TDirection::Upstream, {longLine});
  data.SetRaw(TDrayKind::SNR, TDirection::Upstream, {longLine});
  QWidget owner;
  TRawWindow *window = Open(&owner, &data, kind);
  QVERIFY(QTest::qWaitForWindowActive(window));
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(window->memUS));
  for (QPlainTextEdit *memo : {window->memUS, window->memDS}) {
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(memo->verticalScrollBar()->isVisible());
    QCOMPARE(memo->font(), RawTextFont());
    // What the user sees: columns line up, whichever face was found.
    const QFontMetrics metrics(memo->font());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W')));
  }
  QCOMPARE(window->memUS->document()->firstBlock().layout()->lineCount(), 1);
  const Qt::WindowFlags flags = window->windowFlags();
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QVERIFY(window->minimumSize() != window->maximumSize());  // resizable
}

void TRawWindowsTest::EveryClickOpensOneMoreWindowAndCloseDestroysOnlyIt() {
  auto data = NewSnapshot();
  QWidget owner;
  owner.show();
  QPointer<TRawWindow> first = Open(&owner, data.get(), TRawKind::HLog);
  QPointer<TRawWindow> second = Open(&owner, data.get(), TRawKind::HLog);
  QVERIFY(first != second);
  QCOMPARE(owner.findChildren<TfrmRawData *>().size(), 2);
  QCOMPARE(second->windowTitle(), QString("HLOG Raw Data"));
  QTest::mouseClick(first->btnClose, Qt::LeftButton);
  QTRY_VERIFY(first.isNull());
  QVERIFY(!second.isNull());
  QVERIFY(second->isVisible());
  QVERIFY(owner.isVisible());
  second->close();
  QTRY_VERIFY(second.isNull());
}

void TRawWindowsTest::OwnerTakesItsRawWindowsAlong() {
  auto owner = std::make_unique<QWidget>();
  QPointer<TRawWindow> data = Open(owner.get(), nullptr, TRawKind::QLN);
  QPointer<TRawWindow> bins = Open(owner.get(), nullptr, TRawKind::Bins);
  owner.reset();
  QVERIFY(data.isNull());
  QVERIFY(bins.isNull());
}

void TRawWindowsTest::MemosShareTheGridEqually() {
  QWidget owner;
  TRawWindow *data = Open(&owner, nullptr, TRawKind::SNR);
  TRawWindow *bins = Open(&owner, nullptr, TRawKind::Bins);
  QVERIFY(QTest::qWaitForWindowExposed(data));
  QVERIFY(QTest::qWaitForWindowExposed(bins));
  QVERIFY(qAbs(data->memUS->width() - data->memDS->width()) <= 1);
  QCOMPARE(data->memUS->y(), data->memDS->y());
  QVERIFY(data->memUS->x() < data->memDS->x());
  QVERIFY(qAbs(bins->memUS->height() - bins->memDS->height()) <= 1);
  QCOMPARE(bins->memUS->x(), bins->memDS->x());
  QVERIFY(bins->memUS->y() < bins->memDS->y());
  QCOMPARE(data->pnlBottom->height(), 44);
  QVERIFY(data->btnClose->geometry().right() > data->width() / 2);  // at the right
}

QTEST_MAIN(TRawWindowsTest)
#include "tst_rawwindows.moc"

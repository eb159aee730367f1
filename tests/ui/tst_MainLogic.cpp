// The window's rules that need the toolkit's types but no window: the list
// order, tone axes, series points and the hover text. Those that need no toolkit at all are tested in tests/frontend.

#include <cmath>

#include <QtTest>

#include "HoverText.h"
#include "SeriesData.h"
#include "StatListOrder.h"
#include "ToneAxis.h"

class TMainLogicTest : public QObject {
  Q_OBJECT

private slots:
  void SortedInsertIgnoresCase_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("empty list") << QStringList{} << "b" << 0;
    QTest::newRow("dated name above letters") << QStringList{"Loaded from file"} << "20250102-080000-MyRouter.draydata" << 0;
    QTest::newRow("letters below dated name") << QStringList{"20250102-080000-x.draydata"} << "Loaded from file" << 1;
    QTest::newRow("case ignored") << QStringList{"apple", "Cherry"} << "Banana" << 1;
    QTest::newRow("case ignored, lower new") << QStringList{"Apple", "cherry"} << "banana" << 1;
    QTest::newRow("equal names go after") << QStringList{"Loaded from file", "Loaded from file", "z"} << "LOADED FROM FILE" << 2;
  }

  void SortedInsertIgnoresCase() {
    QFETCH(QStringList, texts);
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(SortedInsertIndex(texts, text), index);
  }

  void ToneAxisPerProfile_data() {
    QTest::addColumn<int>("profile");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");  // 0: unchanged
    const int rows[][3] = {{0, 8192, 0},   {1, 2048, 64},  {2, 2048, 64},  {3, 1972, 64},  {4, 2048, 64},
                           {5, 2783, 64},  {6, 2783, 64},  {7, 4096, 128}, {8, 3479, 128}, {9, 8192, 256},
                           {10, 8192, 0},  {255, 8192, 0}};
    for (const auto &r : rows)
      QTest::newRow(QByteArray::number(r[0]).constData()) << r[0] << r[1] << r[2];
  }

  void ToneAxisPerProfile() {
    QFETCH(int, profile);
    QFETCH(int, max);
    QFETCH(int, step);
    const TToneAxisChoice choice = ToneAxisForProfile(profile);
    QCOMPARE(int(choice.Max), max);
    QCOMPARE(choice.LabelStep.value_or(0), step);
  }

  void StatPointsBreakAtNullAndReadUnassignedAsZero() {
    TDrayStatArray table{};  // all unassigned
    table[3] = TStatValue::Of(-20);
    table[4] = TStatValue::Null();
    table[5] = TStatValue::Of(-22);
    const TSeriesPoints points = StatLinePoints(table, 8);
    QCOMPARE(points.Keys.size(), 512);
    QCOMPARE(points.Keys[5], 40.0);
    QCOMPARE(points.Keys[511], 4088.0);
    QCOMPARE(points.Values[3], -20.0);
    QVERIFY(std::isnan(points.Values[4]));
    QCOMPARE(points.Values[5], -22.0);
    QCOMPARE(points.Values[0], 0.0);  // unassigned: drawn at 0, not a gap

    const TSeriesPoints noGroupSize = StatLinePoints(table, 0);
    QVERIFY(std::all_of(noGroupSize.Keys.begin(), noGroupSize.Keys.end(), [](double k) { return k == 0; }));
  }

  void BinPointsScaleGainOnly() {
    TDrayBinArray bins{};
    bins[7] = TDrayBinEntry{7, 35, -25, 9};
    const TSeriesPoints gain = BinPoints(bins, 1972, TBinField::Gain);
    QCOMPARE(gain.Values.size(), 1972);
    QCOMPARE(gain.Values[7], -2.5);
    QCOMPARE(BinPoints(bins, 8192, TBinField::ToneBits).Values[7], 9.0);
    QCOMPARE(BinPoints(bins, 512, TBinField::SNR).Values[7], 35.0);
    QCOMPARE(BinPoints(bins, 9000, TBinField::SNR).Values.size(), 8192);  // never past the table
  }

  void HoverTextNamesToneFrequencyAndValues() {
    const QString text = FormatHoverText(1000, {{"US", -23.0}, {"DS", std::nan("")}});
    QCOMPARE(text, QStringLiteral("Tone 1000 (4312.5 kHz)\nUS: -23\nDS: no value"));
  }
};

QTEST_APPLESS_MAIN(TMainLogicTest)
#include "tst_MainLogic.moc"

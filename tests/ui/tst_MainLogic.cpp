// The window's rules that need the toolkit's types but no window: tone
// axes, series points and the hover text. Those that need no toolkit at all are tested in tests/frontend.

#include <cmath>

#include <QtTest>

#include "HoverText.h"
#include "SeriesData.h"
#include "ToneAxis.h"
#include "ToneStep.h"
#include "ToneZoom.h"

class TMainLogicTest : public QObject {
  Q_OBJECT

private slots:
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

  void ToneStepFollowsTheVisibleRange_data() {
    QTest::addColumn<double>("base");
    QTest::addColumn<double>("visible");
    QTest::addColumn<double>("step");
    const double rows[][3] = {
        // Full views keep the profile's step exactly.
        {256, 8192, 256}, {128, 4096, 128}, {128, 3479, 128}, {64, 2048, 64}, {64, 1972, 64}, {64, 2783, 64},
        {16, 512, 16}, {32, 512, 32},
        // Zooms halve it until eight labels fit, down to 1.
        {256, 2048, 256}, {256, 1500, 128}, {256, 400, 32}, {128, 400, 32}, {64, 400, 32}, {256, 60, 4},
        {64, 60, 4}, {256, 12, 1}, {256, 3, 1}, {32, 100, 8},
        // Steps that do not halve evenly go on by 5, 2, 1.
        {100, 300, 25}, {100, 100, 10}, {3, 10, 1},
        // Wider than 48 steps: a whole multiple of the step.
        {64, 8192, 192}, {16, 8192, 176}, {256, 65536, 1536},
        // An unset step counts as 1.
        {0, 20, 1}};
    for (const auto &r : rows)
      QTest::addRow("%g of %g", r[0], r[1]) << r[0] << r[1] << r[2];
  }

  void ToneStepFollowsTheVisibleRange() {
    QFETCH(double, base);
    QFETCH(double, visible);
    QFETCH(double, step);
    QCOMPARE(VisibleToneStep(base, visible), step);
  }

  void WheelZoomKeepsTheCentreAndStaysInBounds_data() {
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("centre");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("newLower");
    QTest::addColumn<double>("newUpper");
    const double rows[][6] = {
        {0, 4096, 1024, 0.5, 512, 2560},        // in, around a quarter of the way
        {0, 4096, 0, 0.5, 0, 2048},             // in, at the left edge
        {512, 2560, 1024, 2, 0, 4096},          // out to exactly the full view
        {1000, 3000, 2000, 4, 0, 4096},         // out past it: the full view
        {100, 120, 110, 0.25, 106, 114},        // in, stops at eight tones
        {100, 104, 102, 0.5, 100, 104},         // narrower already: stays
        {100, 104, 102, 2, 98, 106}};           // and can widen
    for (const auto &r : rows)
      QTest::addRow("%g-%g at %g by %g", r[0], r[1], r[2], r[3]) << r[0] << r[1] << r[2] << r[3] << r[4] << r[5];
  }

  void WheelZoomKeepsTheCentreAndStaysInBounds() {
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, centre);
    QFETCH(double, factor);
    QFETCH(double, newLower);
    QFETCH(double, newUpper);
    const TToneSpan zoomed = ZoomToneSpan({lower, upper}, centre, factor, {0, 4096});
    QCOMPARE(zoomed.Lower, newLower);
    QCOMPARE(zoomed.Upper, newUpper);
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

  void HoverTextNamesPositionFrequencyAndValuesWithUnits_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("us");
    QTest::addColumn<QString>("expected");
    const double none = std::nan("");
    QTest::newRow("HLog") << "Tone" << 4312.5 << "" << "dB" << 1 << -35.5
                          << "Tone 1000 (4312.5 kHz)\nUS: -35.5 dB\nDS: no value";
    QTest::newRow("QLN of 30A") << "Tone" << 8625.0 << "" << "dBm/Hz" << 1 << -140.0
                                << "Tone 1000 (8625.0 kHz)\nUS: -140.0 dBm/Hz\nDS: no value";
    QTest::newRow("bits") << "Tone" << 4312.5 << "Bits" << "" << 0 << 12.0
                          << "Tone 1000 (4312.5 kHz)\nUS Bits: 12\nDS Bits: no value";
    QTest::newRow("gain") << "Tone" << 4312.5 << "Gain" << "dB" << 1 << 1.5
                          << "Tone 1000 (4312.5 kHz)\nUS Gain: 1.5 dB\nDS Gain: no value";
    QTest::newRow("per-bin SNR") << "Bin" << 4312.5 << "SNR" << "dB" << 1 << none
                                 << "Bin 1000 (4312.5 kHz)\nUS SNR: no value\nDS SNR: no value";
  }

  void HoverTextNamesPositionFrequencyAndValuesWithUnits() {
    QFETCH(QString, word);
    QFETCH(double, spacing);
    QFETCH(QString, valueName);
    QFETCH(QString, unit);
    QFETCH(int, decimals);
    QFETCH(double, us);
    QFETCH(QString, expected);
    THoverFormat format;
    format.PositionWord = word;
    format.ToneSpacingHz = spacing;
    format.ValueName = valueName;
    format.Unit = unit;
    format.Decimals = decimals;
    QCOMPARE(FormatHoverText(1000, format, {{"US", us}, {"DS", std::nan("")}}), expected);
  }
};

QTEST_APPLESS_MAIN(TMainLogicTest)
#include "tst_MainLogic.moc"

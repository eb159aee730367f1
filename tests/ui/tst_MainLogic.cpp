// The window's rules that need no window: enabling, the "c" switch, the
// general error report's full stop, list order and selection, tone axes,
// series points and the hover text.

#include <cmath>

#include <QtTest>

#include "ActionRules.h"
#include "ConfigSwitch.h"
#include "ErrorReport.h"
#include "HoverText.h"
#include "SeriesData.h"
#include "StatListOrder.h"
#include "ToneAxis.h"
#include "ToneStep.h"
#include "ToneZoom.h"

Q_DECLARE_METATYPE(TActionInputs)
Q_DECLARE_METATYPE(TActionStates)
Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::optional<std::string>)

class TMainLogicTest : public QObject {
  Q_OBJECT

private:
  static TActionInputs Filled() {
    TActionInputs in;
    in.RouterFilled = in.PortFilled = in.UserFilled = in.RouterNameFilled = true;
    return in;
  }

private slots:
  void ActionStates_data() {
    QTest::addColumn<TActionInputs>("inputs");
    QTest::addColumn<TActionStates>("expected");

    TActionStates idleEmpty;
    idleEmpty.LoadDataFromFile = idleEmpty.LoadConfiguration = idleEmpty.SaveConfiguration = true;
    idleEmpty.LoadStatFromFile = idleEmpty.StatisticsList = true;

    TActionInputs start;  // router address and user still empty
    start.PortFilled = start.RouterNameFilled = true;
    QTest::newRow("start-up, address and user empty") << start << idleEmpty;

    TActionStates ready = idleEmpty;
    ready.RetrieveData = true;
    QTest::newRow("all four fields filled, password empty") << Filled() << ready;

    for (const char *field : {"router", "port", "user", "router name"}) {
      TActionInputs in = Filled();
      in.StatisticsCount = 2;
      in.StatisticsSelected = true;
      const QByteArray f(field);
      (f == "router" ? in.RouterFilled : f == "port" ? in.PortFilled : f == "user" ? in.UserFilled : in.RouterNameFilled) = false;
      TActionStates s = idleEmpty;
      s.SaveStatToFile = s.Remove = s.RemoveAll = true;  // the list stays usable
      QTest::newRow(("empty " + f).constData()) << in << s;
    }

    TActionInputs listed = Filled();
    listed.StatisticsCount = 3;
    TActionStates listedStates = ready;
    listedStates.Remove = listedStates.RemoveAll = true;
    QTest::newRow("entries, none selected: no save") << listed << listedStates;

    listed.StatisticsSelected = true;
    listedStates.SaveStatToFile = true;
    QTest::newRow("entries, one selected") << listed << listedStates;

    listed.ReaderRunning = true;
    TActionStates running;  // everything off but Copy
    QTest::newRow("reader running") << listed << running;
  }

  void ActionStates() {
    QFETCH(TActionInputs, inputs);
    QFETCH(TActionStates, expected);
    const TActionStates s = ComputeActionStates(inputs);
    QCOMPARE(s.RetrieveData, expected.RetrieveData);
    QCOMPARE(s.LoadDataFromFile, expected.LoadDataFromFile);
    QCOMPARE(s.LoadConfiguration, expected.LoadConfiguration);
    QCOMPARE(s.SaveConfiguration, expected.SaveConfiguration);
    QCOMPARE(s.LoadStatFromFile, expected.LoadStatFromFile);
    QCOMPARE(s.SaveStatToFile, expected.SaveStatToFile);
    QCOMPARE(s.Remove, expected.Remove);
    QCOMPARE(s.RemoveAll, expected.RemoveAll);
    QVERIFY(s.ChartCopy);
    QCOMPARE(s.StatisticsList, expected.StatisticsList);
  }

  void ConfigSwitch_data() {
    using V = std::vector<std::string>;
    using R = std::optional<std::string>;
    QTest::addColumn<V>("args");
    QTest::addColumn<R>("expected");
    QTest::newRow("no arguments") << V{} << R{};
    QTest::newRow("other arguments only") << V{"x.conf", "-x", "/q", "c"} << R{};
    QTest::newRow("-cname.conf") << V{"-cname.conf"} << R{"name.conf"};
    QTest::newRow("-c:name.conf") << V{"-c:name.conf"} << R{"name.conf"};
    QTest::newRow("/Cname.conf") << V{"/Cname.conf"} << R{"name.conf"};
    QTest::newRow("-config.conf keeps its letters") << V{"-config.conf"} << R{"onfig.conf"};
    QTest::newRow("/C:settings.conf") << V{"/C:settings.conf"} << R{"settings.conf"};
    QTest::newRow("value in next argument") << V{"x.conf", "-c", "y.conf"} << R{"y.conf"};
    QTest::newRow("first switch counts") << V{"-c", "a.conf", "-c", "b.conf"} << R{"a.conf"};
    QTest::newRow("-c last: present, empty") << V{"-c"} << R{""};
    QTest::newRow("-c before another switch") << V{"-c", "-x"} << R{""};
    QTest::newRow("-c before a slash argument") << V{"-c", "/tmp/a.conf"} << R{""};
    QTest::newRow("only one colon skipped") << V{"-c::a"} << R{":a"};
    QTest::newRow("lone dash is no switch") << V{"-", "-c", "z"} << R{"z"};
  }

  void ConfigSwitch() {
    QFETCH(std::vector<std::string>, args);
    QFETCH(std::optional<std::string>, expected);
    QCOMPARE(FindConfigSwitch(args), expected);
  }

  void ErrorReportFullStop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Not a valida 'DrayData' file" << "Not a valida 'DrayData' file.";
    QTest::newRow("digit") << "Error 42" << "Error 42.";
    QTest::newRow("slash sorts above the stop") << "a/" << "a/.";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("closing bracket") << "Stream read error (x)" << "Stream read error (x)";
    QTest::newRow("exclamation mark") << "Reject !!!" << "Reject !!!";
    QTest::newRow("blank") << "ends in blank " << "ends in blank ";
    QTest::newRow("hyphen sorts below the stop") << "dash-" << "dash-";
    QTest::newRow("non-ASCII letter") << QString::fromUtf8("Datei ä") << QString::fromUtf8("Datei ä.");
    QTest::newRow("empty") << "" << "";
  }

  void ErrorReportFullStop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(GeneralErrorReportText(message.toStdString())), shown);
  }

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

  void SelectionAfterDelete_data() {
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("remaining");
    QTest::addColumn<int>("selected");
    QTest::newRow("first of three") << 0 << 2 << 0;
    QTest::newRow("third of three") << 2 << 2 << 1;
    QTest::newRow("middle of three") << 1 << 2 << 0;
    QTest::newRow("only one") << 0 << 0 << -1;
  }

  void SelectionAfterDelete() {
    QFETCH(int, deleted);
    QFETCH(int, remaining);
    QFETCH(int, selected);
    QCOMPARE(::SelectionAfterDelete(deleted, remaining), selected);
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

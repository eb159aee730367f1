// The "Line" page and the marks of the analysis on the charts: the figures
// of a known snapshot, a dash where one is absent, the notches of a bridged
// tap on the HLog chart and a radio disturber on the QLN chart, and the page
// following the selection and a retrieval.

#include <cmath>
#include <complex>
#include <fstream>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "BridgedTap.h"
#include "Disturber.h"
#include "InputPanel.h"
#include "LineTexts.h"
#include "LinePage.h"
#include "RouterSim.h"
#include "ToneChart.h"
#include "ToneMarks.h"
#include "UiTestSupport.h"
#include "UpDown.h"
#include "WindowReader.h"
#include "fmMain.h"

namespace {

const QString Fixtures = QStringLiteral(TONEGRAPH_FIXTURES_DIR);
const QString Dash = QString::fromLatin1(NoFigureText);
constexpr int GroupSize = 8;           // 17A: 512 entries of eight tones
constexpr double Spacing = 4312.5;     // Hz per tone
constexpr double Kl0 = 12;             // dB at 1 MHz
constexpr double DbPerKm = 15.2;       // 0.5 mm cable at 1 MHz

std::vector<std::string> StatusFixture() {
  std::ifstream file((Fixtures + "/router-vdsl-status-17a.txt").toStdString());
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);)
    lines.push_back(line);
  return lines;
}

double FrequencyOf(int AEntry) {
  return AEntry * GroupSize * Spacing;
}

// An open branch of ATapM at the junction: H = 2 / (2 + tanh(gamma L)),
// with the cable's square-root loss and 0.67 of the speed of light.
double TapLossDb(double AHz, double ATapM) {
  const double alpha = DbPerKm * std::sqrt(AHz / 1e6) / 1000 / (20 / std::log(10.0));
  const double beta = 2 * M_PI * AHz / (0.67 * 299792458.0);
  const std::complex<double> gammaL(alpha * ATapM, beta * ATapM);
  return 20 * std::log10(std::abs(2.0 / (2.0 + std::tanh(gammaL))));
}

// The HLog of a 17A loop, downstream table, with a tap of ATapM (0: none),
// in whole dB as the router prints it.
TTextLines LoopHLog(double ATapM) {
  TGroupValues values(512);
  for (int entry = 4; entry < 512; ++entry) {
    const double hz = FrequencyOf(entry);
    const double db = -Kl0 * std::sqrt(hz / 1e6) + (ATapM > 0 ? TapLossDb(hz, ATapM) : 0);
    values[static_cast<std::size_t>(entry)] = static_cast<int>(std::lround(db));
  }
  return StatAnswer("(dB)", GroupSize, GroupSize, {}, values);
}

// A flat noise floor with, at entry APeakEntry (none: 0), a peak 25 dB above.
TTextLines QuietLineNoise(int APeakEntry) {
  TGroupValues values(512);
  for (int entry = 4; entry < 512; ++entry)
    values[static_cast<std::size_t>(entry)] = entry == APeakEntry ? -115 : -140;
  return StatAnswer("(dBm/Hz)", GroupSize, GroupSize, {}, values);
}

std::unique_ptr<TDrayData> Line(const char *AName, double ATapM, int APeakEntry) {
  auto data = Snapshot(AName, vp17a, StatusFixture());
  data->SetHLogData(LoopHLog(ATapM));
  data->SetQLNData(QuietLineNoise(APeakEntry));
  return data;
}

// 7.107 MHz, in the 40 m amateur band.
constexpr int PeakEntry = 206;
constexpr double TapM = 20;

QString FigureText(const TLinePage &APage, TLinePage::TFigureRow ARow, int AColumn) {
  const QTableWidgetItem *item = APage.tblFigures->item(ARow, AColumn);
  return item ? item->text() : QString();
}

QStringList FindingSeverities(const TLinePage &APage) {
  QStringList severities;
  for (int i = 0; i < APage.lbxFindings->count(); ++i)
    severities << APage.lbxFindings->item(i)->data(Qt::UserRole).toString();
  return severities;
}

}  // namespace

class TLinePageTest : public QObject {
  Q_OBJECT

  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  std::unique_ptr<TfrmMain> FForm;

  TLinePage &Page() const { return *FForm->pgcMain->tbsLine; }
  std::vector<TToneMark> HLogMarks() const { return TToneMarks::Of(FForm->pgcMain->chartHLog); }
  std::vector<TToneMark> QLNMarks() const { return TToneMarks::Of(FForm->pgcMain->chartQLN); }

  void Select(const char *AName) {
    QListWidget *list = FForm->pnlInputs->lbxStatistics;
    const QList<QListWidgetItem *> found = list->findItems(QString::fromLatin1(AName), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->setCurrentItem(found.first());
  }

  void VerifyEmptyPage() {
    QCOMPARE(Page().lblState->text(), Dash);
    QCOMPARE(FigureText(Page(), TLinePage::frActualRate, TLinePage::DSColumn), Dash);
    QCOMPARE(Page().lbxFindings->count(), 0);
    QVERIFY(HLogMarks().empty());
    QVERIFY(QLNMarks().empty());
  }

private slots:
  void init() {
    FErrors = {};
    FForm = std::make_unique<TfrmMain>(QStringList{}, TMainServices{&FErrors, &FHelp});
    FForm->show();
  }

  void cleanup() {
    FForm.reset();
    QTRY_COMPARE_WITH_TIMEOUT(TWindowReader::LiveCount(), 0, 60000);
  }

  void TheTabStandsBesideRouter() {
    QCOMPARE(FForm->pgcMain->tabText(1), QStringLiteral("Line"));
    // Upstream first, as the command line and the charts list the directions.
    QCOMPARE(Page().tblFigures->horizontalHeaderItem(0)->text(), QStringLiteral("Upstream"));
    QCOMPARE(Page().tblFigures->horizontalHeaderItem(1)->text(), QStringLiteral("Downstream"));
    QCOMPARE(TLinePage::USColumn, 0);
    QCOMPARE(FForm->pgcMain->widget(1), static_cast<QWidget *>(&Page()));
    VerifyEmptyPage();
  }

  void TextsOfMarks() {
    const struct {
      std::optional<std::string> Band;
      const char *Label;
    } disturbers[] = {{"40 m amateur", "40 m 7.11 MHz"}, {"MW broadcast", "MW 7.11 MHz"}, {std::nullopt, "7.11 MHz"}};
    for (const auto &d : disturbers)
      QCOMPARE(DisturberMarkLabel({1648, 7107000, 25, d.Band}), QString::fromUtf8(d.Label));
    QCOMPARE(TapMarkLabel({2.5e6, 6, 20.1}), QStringLiteral("tap ~20 m"));
  }

  // The status text of a real router, SNR tables and a bins listing small
  // enough to count by hand; no HLog or QLN, so no loop figures.
  void FiguresOfAKnownSnapshot() {
    auto data = Snapshot("known", vp17a, StatusFixture());
    data->SetSNRData(StatAnswer("(dB)", GroupSize, GroupSize, {20, std::nullopt, 10}, {30, 40, 50}));
    data->SetBinStatsDSRaw(BinsListing("DOWNSTREAM :", {{40, 30, 10, 10}, {41, 31, 10, 12}, {42, 5, 10, 0}}));
    FForm->DrayDataList().Add(std::move(data));
    FForm->lbxStatisticsClick();

    QCOMPARE(Page().lblState->text(), QStringLiteral("SHOWTIME"));
    QCOMPARE(Page().lblProfile->text(), QStringLiteral("17A"));
    QCOMPARE(Page().lblKl0->text(), Dash);
    QCOMPARE(Page().lblLength->text(), Dash);
    const struct {
      TLinePage::TFigureRow Row;
      const char *DS, *US;
    } rows[] = {
        {TLinePage::frActualRate, "107.74 Mbit/s", "37.00 Mbit/s"},
        {TLinePage::frAttainableRate, "145.16 Mbit/s", "45.16 Mbit/s"},
        {TLinePage::frSNRMargin, "17.0 dB", "9.0 dB"},
        {TLinePage::frAttenuation, "4.0 dB", "2.0 dB"},
        // 22 bits a symbol at 4000 symbols a second; no upstream listing.
        {TLinePage::frLineRate, "88 kbit/s", "-"},
        {TLinePage::frTonesInUse, "2", "-"},
        {TLinePage::frTotalBits, "22", "-"},
        {TLinePage::frMaxBits, "12", "-"},
        {TLinePage::frSNRMean, "40.0 dB", "15.0 dB"},
        {TLinePage::frSNRMin, "30.0 dB", "10.0 dB"},
    };
    for (const auto &row : rows) {
      QCOMPARE(FigureText(Page(), row.Row, TLinePage::DSColumn), QString::fromUtf8(row.DS));
      QCOMPARE(FigureText(Page(), row.Row, TLinePage::USColumn), QString::fromUtf8(row.US));
    }
    QCOMPARE(Page().tblTaps->item(0, 0)->text(), QStringLiteral("No bridged tap found"));
    QCOMPARE(Page().tblDisturbers->item(0, 0)->text(), QStringLiteral("No radio disturber found"));
  }

  void MarksShowWhatWasFound_data() {
    QTest::addColumn<double>("tapM");
    QTest::addColumn<int>("peakEntry");
    QTest::newRow("tapped") << TapM << 0;
    QTest::newRow("disturbed") << 0.0 << PeakEntry;
    QTest::newRow("both") << TapM << PeakEntry;
    QTest::newRow("clean") << 0.0 << 0;
  }

  void MarksShowWhatWasFound() {
    QFETCH(double, tapM);
    QFETCH(int, peakEntry);
    FForm->DrayDataList().Add(Line("line", tapM, peakEntry));
    FForm->lbxStatisticsClick();

    const std::vector<TToneMark> notches = HLogMarks();
    QCOMPARE(Page().tblTaps->item(0, 0)->text().startsWith(QLatin1Char('~')), tapM > 0);
    if (tapM > 0) {
      // v / 4L: 2.51 MHz, tone 582, for 20 m; the estimate within 20 %.
      const double firstTone = 0.67 * 299792458.0 / (4 * tapM) / Spacing;
      QVERIFY(notches.size() >= 3);
      QVERIFY2(std::abs(notches[0].Tone - firstTone) < 0.2 * firstTone, qPrintable(QString::number(notches[0].Tone)));
      QVERIFY(notches[0].Label.startsWith(QLatin1String("tap ~")));
      QVERIFY(notches[0].Label.endsWith(QLatin1String(" m")));
      // The odd multiples follow, within the 4096 tones of 17A.
      for (std::size_t i = 1; i < notches.size(); ++i) {
        QCOMPARE(notches[i].Tone, notches[0].Tone * double(2 * i + 1));
        QVERIFY(notches[i].Tone <= 4096);
      }
    } else {
      QVERIFY(notches.empty());
    }
    const std::vector<TToneMark> disturbers = QLNMarks();
    if (peakEntry > 0) {
      QCOMPARE(disturbers.size(), std::size_t{1});
      QCOMPARE(disturbers[0].Tone, double(peakEntry * GroupSize));
      QCOMPARE(disturbers[0].Label, QStringLiteral("40 m 7.11 MHz"));
      QCOMPARE(Page().tblDisturbers->item(0, 3)->text(), QStringLiteral("40 m amateur"));
    } else {
      QVERIFY(disturbers.empty());
    }
    // Each tap and each disturber is a warning in the findings.
    const qsizetype warnings = FindingSeverities(Page()).count(QStringLiteral("warning"));
    QVERIFY(warnings >= (tapM > 0) + (peakEntry > 0));
  }

  void PageFollowsTheSelection() {
    FForm->DrayDataList().Add(Line("a tapped and disturbed", TapM, PeakEntry));
    FForm->DrayDataList().Add(Line("b clean", 0, 0));
    Select("a tapped and disturbed");
    QVERIFY(!HLogMarks().empty());
    QCOMPARE(QLNMarks().size(), std::size_t{1});
    QVERIFY(Page().tblTaps->item(0, 0)->text().startsWith(QLatin1Char('~')));

    Select("b clean");
    QVERIFY(HLogMarks().empty());
    QVERIFY(QLNMarks().empty());
    QCOMPARE(Page().tblTaps->item(0, 0)->text(), QStringLiteral("No bridged tap found"));
    QCOMPARE(Page().lblState->text(), QStringLiteral("SHOWTIME"));

    Select("a tapped and disturbed");
    QVERIFY(!HLogMarks().empty());
    // Drawing the charts again does not double the marks.
    const std::size_t marks = HLogMarks().size();
    FForm->lbxStatisticsClick();
    QCOMPARE(HLogMarks().size(), marks);

    FForm->acnRemoveAll->trigger();
    VerifyEmptyPage();
  }

  // A retrieval empties the page when it starts and shows the new
  // snapshot's analysis when it has ended.
  void RetrievalEndsWithItsAnalysis() {
    FForm->DrayDataList().Add(Line("earlier", TapM, PeakEntry));
    FForm->lbxStatisticsClick();
    QVERIFY(!HLogMarks().empty());
    TRouterSim sim(TRouterSimOptions{});
    sim.Start();
    TInputPanel &p = *FForm->pnlInputs;
    p.edRouter->setText(QStringLiteral("127.0.0.1"));
    p.udTelnetPort->SetPosition(sim.Port());
    p.edUser->setText(QStringLiteral("admin"));
    p.edPassword->setText(QStringLiteral("admin"));
    p.edRouterName->setText(QStringLiteral("DrayTek"));
    p.chkShowBins->setChecked(true);
    QStringList statesDuringRun;
    connect(FForm.get(), &TfrmMain::StatusTextChanged, this,
            [&] { statesDuringRun << Page().lblState->text(); });
    FForm->UpdateActions();
    p.btnGetData->click();
    QVERIFY(FForm->ReaderRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!FForm->ReaderRunning(), 60000);

    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    QVERIFY(!statesDuringRun.isEmpty());
    QCOMPARE(statesDuringRun.count(Dash), statesDuringRun.size());
    QCOMPARE(Page().lblState->text(), QStringLiteral("SHOWTIME"));
    QCOMPARE(Page().lblProfile->text(), QStringLiteral("17A"));
    QCOMPARE(FigureText(Page(), TLinePage::frSNRMargin, TLinePage::DSColumn), QStringLiteral("6.0 dB"));
    QVERIFY(FigureText(Page(), TLinePage::frLineRate, TLinePage::DSColumn).endsWith(QLatin1String("Mbit/s")));
    QVERIFY(Page().lblKl0->text().endsWith(QLatin1String(" dB")));
  }
};

QTEST_MAIN(TLinePageTest)
#include "tst_LinePage.moc"

// Takes a picture of every tab of the main window with a snapshot built from
// the captured 17A files, through the same dialog a user fills in, or with
// --demo from a retrieval, bins included, from the simulated router of demo
// mode (a realistic 17A line), with the "Line" page of its analysis; or with
// --history from a database of captures: the timeline, the envelope of a
// range, a comparison and a difference. Run under a real X server (Xvfb) to
// see the window as users do:
//   xvfb-run -s "-screen 0 1400x900x24" ui_screens OUTDIR [--demo | --history DB]

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <QCheckBox>

#include "DemoRouter.h"
#include "DrayData.h"
#include "InputPanel.h"
#include "LinePage.h"
#include "WindowReader.h"
#include "MainPages.h"
#include "TimelinePage.h"
#include "ToneChart.h"
#include "fmLoadDataFromFile.h"
#include "fmMain.h"

namespace {

const QString Fixtures = QStringLiteral(TONEGRAPH_FIXTURES_DIR);

void Save(QWidget *AWindow, const QString &ADir, const char *AName) {
  QApplication::processEvents();
  AWindow->grab().save(ADir + "/" + AName + ".png");
}

void FillDialogSoon(const QString &ADir) {
  QTimer::singleShot(200, [ADir] {
    auto *dialog = qobject_cast<TfrmLoadDataFromFiles *>(QApplication::activeModalWidget());
    if (!dialog)
      return;
    dialog->cbxProfiles->setCurrentIndex(7);
    dialog->edHlogFile->setText(Fixtures + "/line17a-hlog.txt");
    dialog->edQLNFile->setText(Fixtures + "/line17a-qln.txt");
    dialog->edSNRFile->setText(Fixtures + "/line17a-snr.txt");
    dialog->edBINFile->setText(Fixtures + "/line17a-bins.txt");
    Save(dialog, ADir, "8-load-dialog");
    dialog->accept();
  });
}

}  // namespace

// The shots are taken one per turn of the event loop, so that the window has
// been idle (and its actions brought in step) before each.
void TakeShots(TfrmMain &AForm, const QString &ADir, int AStep) {
  TMainPages &pages = *AForm.pgcMain;
  const char *names[] = {"1-router", "2-hlog", "3-qln", "4-snr", "5-bitloading", "6-gain", "7-binsnr",
                         "9-hlog-zoomed", "11-line", "10-no-bins"};
  QWidget *const outer[] = {pages.TabSheet1, pages.tbsHLog, pages.tbsQLN, pages.tbsSNR};
  if (AStep >= 10) {
    QApplication::quit();
    return;
  }
  if (AStep == 8) {
    pages.setCurrentWidget(pages.tbsLine);
  } else if (AStep == 7) {
    // Eight turns of the wheel around tone 1000.
    pages.setCurrentWidget(pages.tbsHLog);
    TToneChart *chart = pages.chartHLog;
    for (int i = 0; i < 8; ++i)
      chart->ZoomToneAxis(chart->ToneAxis()->coordToPixel(1000), TToneChart::WheelZoomFactor);
  } else if (AStep == 9) {
    // A snapshot retrieved without the bins option.
    auto data = std::make_unique<TDrayData>("without bins");
    data->SetVDSLProfile(vp17a);
    AForm.DrayDataList().Add(std::move(data));
    AForm.lbxStatisticsClick();
    pages.setCurrentWidget(pages.tbsInput);
    pages.PageControl1->setCurrentIndex(0);
  } else if (AStep < 4) {
    pages.setCurrentWidget(outer[AStep]);
  } else {
    pages.setCurrentWidget(pages.tbsInput);
    pages.PageControl1->setCurrentIndex(AStep - 4);
  }
  QTimer::singleShot(100, [&AForm, ADir, AStep, names] {
    Save(&AForm, ADir, names[AStep]);
    TakeShots(AForm, ADir, AStep + 1);
  });
}

// One shot per turn of the event loop, as TakeShots does.
void TakeHistoryShots(TfrmMain &AForm, const QString &ADir, int AStep) {
  TMainPages &pages = *AForm.pgcMain;
  const char *names[] = {"12-timeline", "13-timeline-range", "14-snr-envelope", "15-bitloading-envelope",
                         "16-compare-snr", "17-compare-bitloading", "18-difference-bitloading"};
  switch (AStep) {
  case 0:
    pages.setCurrentWidget(pages.tbsTimeline);
    break;
  case 1: {
    // The last third of the time, as a drag across the charts chooses it.
    QCPAxis *axis = pages.tbsTimeline->Rects[0]->axis(QCPAxis::atBottom);
    const TTimeRange range{std::time_t(axis->range().lower + axis->range().size() * 2 / 3),
                           std::time_t(axis->range().upper)};
    pages.tbsTimeline->SetRange(range);
    AForm.ChooseEnvelopeRange(range);
    break;
  }
  case 2:
    pages.setCurrentWidget(pages.tbsSNR);
    break;
  case 3:
    pages.setCurrentWidget(pages.tbsInput);
    pages.PageControl1->setCurrentIndex(0);
    break;
  case 4:
    AForm.ChooseEnvelopeRange(std::nullopt);
    AForm.CompareWith(AForm.DrayDataList().Items(0));
    pages.setCurrentWidget(pages.tbsSNR);
    break;
  case 5:
    pages.setCurrentWidget(pages.tbsInput);
    break;
  case 6:
    AForm.acnDifference->trigger();
    break;
  default:
    QApplication::quit();
    return;
  }
  QTimer::singleShot(150, [&AForm, ADir, AStep, names] {
    Save(&AForm, ADir, names[AStep]);
    TakeHistoryShots(AForm, ADir, AStep + 1);
  });
}

// Retrieves from the demo router, then takes the shots once the run is over.
void RetrieveThenShoot(TfrmMain &AForm, const QString &ADir) {
  AForm.pnlInputs->chkShowBins->setChecked(true);
  AForm.acnRetrieveData->trigger();
  auto *poll = new QTimer(&AForm);
  QObject::connect(poll, &QTimer::timeout, [&AForm, ADir, poll] {
    if (AForm.ReaderRunning())
      return;
    poll->stop();
    TakeShots(AForm, ADir, 0);
  });
  poll->start(100);
}

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tonegraph"));
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  const bool demo = argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("--demo");
  const bool history = argc > 3 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("--history");
  std::unique_ptr<TDemoRouter> router = demo ? std::make_unique<TDemoRouter>(TRouterSimOptions{}) : nullptr;
  TfrmMain form;
  if (router)
    router->FillIn(*form.pnlInputs);
  form.show();
  QTimer::singleShot(300, [&] {
    Save(&form, dir, "0-empty");
    if (history) {
      form.OpenHistory(argv[3]);
      TakeHistoryShots(form, dir, 0);
      return;
    }
    if (router) {
      RetrieveThenShoot(form, dir);
      return;
    }
    FillDialogSoon(dir);
    form.acnLoadDataFromFile->trigger();
    TakeShots(form, dir, 0);
  });
  return QApplication::exec();
}

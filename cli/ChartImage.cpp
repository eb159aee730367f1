#include "ChartImage.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <QApplication>

#include "ChartExport.h"
#include "ToneChart.h"

namespace {

QtMessageHandler QtHandler = nullptr;

// Without a desktop session Qt warns on every run that it has no runtime
// folder and picks one of its own; a picture is written all the same and
// the user of a command line has nothing to do about it. Qt's other
// messages still show.
void WithoutRuntimeFolderNotice(QtMsgType AType, const QMessageLogContext &AContext, const QString &AMessage) {
  if (AType == QtWarningMsg && AMessage.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
    return;
  QtHandler(AType, AContext, AMessage);
}

// The charts are widgets and need an application; the offscreen platform
// gives one without a display, unless the caller chose a platform.
QApplication &ChartApplication() {
  static int Argc = 1;
  static char Name[] = "tonegraph-cli";
  static char *Argv[] = {Name, nullptr};
  if (!std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!QtHandler)
    QtHandler = qInstallMessageHandler(WithoutRuntimeFolderNotice);
  static QApplication Application(Argc, Argv);
  return Application;
}

} // namespace

bool ChartImagesBuilt() { return true; }

void WriteChartImage(const TDrayData &AData, const std::string &AChart, const std::string &AFormat, int AWidth,
                     int AHeight, bool ABands, bool AMHz, const std::string &AFilename) {
  const std::optional<TChartKind> Kind = ChartKindFromName(AChart);
  const std::optional<TImageFormat> Format = ImageFormatFromName(AFormat);
  if (!Kind || !Format)
    throw std::invalid_argument("no " + AFormat + " picture of a chart named " + AChart);
  ChartApplication();
  TToneChart Chart;
  TChartLook Look;
  Look.BandPlan = ABands;
  Look.FrequencyAxis = AMHz;
  TChartExport::Draw(&Chart, AData, *Kind, Look);
  if (!TChartExport::Save(&Chart, QString::fromStdString(AFilename), *Format, QSize(AWidth, AHeight)))
    throw std::runtime_error("could not be drawn");
}

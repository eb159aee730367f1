#include "WindowExports.h"

#include <cmath>
#include <stdexcept>

#include <QFileInfo>

#include "ChartExport.h"
#include "DrayData.h"
#include "Exceptions.h"
#include "ReplacingFile.h"
#include "SnapshotCsv.h"
#include "SnapshotJson.h"
#include "ToneChart.h"

namespace {

std::string Extension(const std::string &AFilename) {
  return QFileInfo(QString::fromStdString(AFilename)).suffix().toLower().toStdString();
}

// The library's reason, said about the file the user chose.
template <typename TWrite> void AboutFile(const std::string &AFilename, TWrite &&AWrite) {
  try {
    AWrite();
  } catch (const ETonegraphError &AError) {
    throw std::runtime_error(AFilename + ": " + AError.what());
  }
}

void WriteText(const std::string &AFilename, const std::string &AText) {
  AboutFile(AFilename, [&] { ReplaceFileWith(AFilename, AText); });
}

[[noreturn]] void UnknownType(const std::string &AFilename) {
  throw std::runtime_error(AFilename + ": unknown export type; choose one of the file types offered");
}

// A series name with a comma or a quote is quoted, its quotes doubled.
std::string CsvField(const QString &AText) {
  std::string text = AText.toStdString();
  if (text.find_first_of(",\"\r\n") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

std::string Number(double AValue) {
  return std::isnan(AValue) ? std::string() : QString::number(AValue, 'g', 10).toStdString();
}

}  // namespace

const std::vector<std::string> &TWindowExports::ChartFilters() {
  static const std::vector<std::string> filters = {"PNG picture (*.png)", "SVG picture (*.svg)",
                                                   "PDF document (*.pdf)", "CSV table of the series (*.csv)"};
  return filters;
}

const std::vector<std::string> &TWindowExports::SnapshotFilters() {
  static const std::vector<std::string> filters = {"CSV table, one row per tone (*.csv)", "JSON (*.json)"};
  return filters;
}

void TWindowExports::ExportChart(TToneChart *AChart, const std::string &AFilename) {
  const std::string extension = Extension(AFilename);
  if (extension == "csv")
    return WriteText(AFilename, ChartSeriesCsv(AChart));
  const std::optional<TImageFormat> format = ImageFormatFromName(extension);
  if (!format)
    UnknownType(AFilename);
  AboutFile(AFilename, [&] {
    if (!TChartExport::Save(AChart, QString::fromStdString(AFilename), *format, AChart->size()))
      throw ETonegraphError("could not be drawn");
  });
}

void TWindowExports::ExportSnapshot(const TDrayData &AData, const std::string &AFilename) {
  const std::string extension = Extension(AFilename);
  if (extension == "csv")
    return WriteText(AFilename, SnapshotCsv(AData));
  if (extension == "json")
    return WriteText(AFilename, SnapshotJson(AData) + "\n");
  UnknownType(AFilename);
}

std::string TWindowExports::ChartSeriesCsv(TToneChart *AChart) {
  std::string csv = "series,tone,value\r\n";
  for (int i = 0; i < AChart->plottableCount(); ++i) {
    QCPAbstractPlottable *series = AChart->plottable(i);
    const QCPPlottableInterface1D *points = series->interface1D();
    if (!points)
      continue;
    const std::string name = CsvField(series->name());
    for (int p = 0; p < points->dataCount(); ++p)
      csv += name + ',' + Number(points->dataMainKey(p)) + ',' + Number(points->dataMainValue(p)) + "\r\n";
  }
  return csv;
}

#pragma once
// What "Export..." on a chart's pop-up menu and "Export snapshot..." on the
// list's pop-up menu write; the chosen file's extension picks the format.
// Failures are thrown with the file's name.

#include <string>
#include <vector>

class TDrayData;
class TToneChart;

class TWindowExports {
public:
  // PNG, SVG, PDF, and CSV of the chart's series.
  static const std::vector<std::string> &ChartFilters();
  // CSV (one row per tone) and JSON.
  static const std::vector<std::string> &SnapshotFilters();

  // The chart as it is shown, at its size on the screen.
  static void ExportChart(TToneChart *AChart, const std::string &AFilename);
  static void ExportSnapshot(const TDrayData &AData, const std::string &AFilename);

  // Every point of every series of AChart: a header "series,tone,value",
  // then one row per point; a value is empty where the series has a gap.
  static std::string ChartSeriesCsv(TToneChart *AChart);
};

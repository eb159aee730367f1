#include "RatioReporter.h"

#include <cstdio>

TRatioReporter::TRatioReporter() : ConsoleReporter(OO_Tabular) {}

void TRatioReporter::ReportRuns(const std::vector<Run> &AReports) {
  ConsoleReporter::ReportRuns(AReports);
  for (const Run &Report : AReports) {
    if (Report.error_occurred)
      continue;
    const bool Median = Report.run_type == Run::RT_Aggregate && Report.aggregate_name == "median";
    const bool Single = Report.run_type == Run::RT_Iteration;
    const std::string &Name = Report.run_name.function_name;
    // The repetitions' own rows come first and the median among the
    // aggregates after them; mean, deviation and variation are not figures.
    if (!Median && !(Single && !FFigures.contains(Name)))
      continue;
    const bool RealTime = !Report.run_name.time_type.empty();
    TFigure Figure;
    Figure.Microseconds = (RealTime ? Report.GetAdjustedRealTime() : Report.GetAdjustedCPUTime()) * 1e6 /
                          benchmark::GetTimeUnitMultiplier(Report.time_unit);
    if (const auto Rate = Report.counters.find("bytes_per_second"); Rate != Report.counters.end())
      Figure.MegabytesPerSecond = Rate->second.value / 1e6;
    FFigures[Name] = Figure;
  }
}

std::optional<double> TRatioReporter::Microseconds(const std::string &AFunction) const {
  const auto Found = FFigures.find(AFunction);
  return Found == FFigures.end() ? std::nullopt : std::optional<double>(Found->second.Microseconds);
}

std::optional<double> TRatioReporter::MegabytesPerSecond(const std::string &AFunction) const {
  const auto Found = FFigures.find(AFunction);
  return Found == FFigures.end() ? std::nullopt : Found->second.MegabytesPerSecond;
}

void PrintFigureHeading(const std::string &AWhat, const char *AClock) {
  std::printf("\n# %s (%s); name value unit baseline ratio\n", AWhat.c_str(), AClock);
}

void PrintFigure(const char *AName, std::optional<double> AValue, const char *AUnit, std::optional<double> ABaseline) {
  if (!AValue || !ABaseline || *ABaseline <= 0)
    return;
  std::printf("%s %.3f %s %.3f %.4f\n", AName, *AValue, AUnit, *ABaseline, *AValue / *ABaseline);
}

#include "RatioReporter.h"

#include <cstdio>
#include <cstring>

TRatioReporter::TRatioReporter() : ConsoleReporter(OO_Tabular) {}

void TRatioReporter::ReportRuns(const std::vector<Run> &AReports) {
  ConsoleReporter::ReportRuns(AReports);
  for (const Run &Report : AReports) {
    if (Report.error_occurred)
      continue;
    const bool Median = Report.run_type == Run::RT_Aggregate && Report.aggregate_name == "median";
    const bool Single = Report.run_type == Run::RT_Iteration;
    const std::string Name =
        Report.run_name.function_name + (Report.run_name.args.empty() ? "" : "/" + Report.run_name.args);
    // The repetitions' own rows come first and the median among the
    // aggregates after them; mean, deviation and variation are not figures.
    if (!Median && !(Single && !FFigures.contains(Name)))
      continue;
    const bool RealTime = Report.run_name.time_type == "real_time";
    const double PerUnit = 1e6 / benchmark::GetTimeUnitMultiplier(Report.time_unit);
    TFigure Figure;
    Figure.CPUMicroseconds = Report.GetAdjustedCPUTime() * PerUnit;
    Figure.WallMicroseconds = Report.GetAdjustedRealTime() * PerUnit;
    Figure.Microseconds = RealTime ? Figure.WallMicroseconds : Figure.CPUMicroseconds;
    if (const auto Rate = Report.counters.find("bytes_per_second"); Rate != Report.counters.end())
      Figure.MegabytesPerSecond = Rate->second.value / 1e6;
    FFigures[Name] = Figure;
  }
}

std::optional<double> TRatioReporter::Microseconds(const std::string &AFunction) const {
  const auto Found = FFigures.find(AFunction);
  return Found == FFigures.end() ? std::nullopt : std::optional<double>(Found->second.Microseconds);
}

std::optional<double> TRatioReporter::CPUMicroseconds(const std::string &AFunction) const {
  const auto Found = FFigures.find(AFunction);
  return Found == FFigures.end() ? std::nullopt : std::optional<double>(Found->second.CPUMicroseconds);
}

std::optional<double> TRatioReporter::WallMicroseconds(const std::string &AFunction) const {
  const auto Found = FFigures.find(AFunction);
  return Found == FFigures.end() ? std::nullopt : std::optional<double>(Found->second.WallMicroseconds);
}

std::optional<double> TRatioReporter::MegabytesPerSecond(const std::string &AFunction) const {
  const auto Found = FFigures.find(AFunction);
  return Found == FFigures.end() ? std::nullopt : Found->second.MegabytesPerSecond;
}

std::size_t CountLines(const std::string &ABytes) {
  std::size_t Lines = 0;
  const char *At = ABytes.data();
  const char *End = At + ABytes.size();
  while ((At = static_cast<const char *>(std::memchr(At, '\n', static_cast<std::size_t>(End - At))))) {
    ++Lines;
    ++At;
  }
  return Lines;
}

void PrintFigureHeading(const std::string &AWhat, const char *AClock) {
  std::printf("\n# %s (%s); name value unit baseline ratio\n", AWhat.c_str(), AClock);
}

void PrintFigure(const char *AName, std::optional<double> AValue, const char *AUnit, std::optional<double> ABaseline) {
  if (!AValue || !ABaseline || *ABaseline <= 0)
    return;
  std::printf("%s %.3f %s %.3f %.4f\n", AName, *AValue, AUnit, *ABaseline, *AValue / *ABaseline);
}

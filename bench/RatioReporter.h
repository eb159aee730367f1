#pragma once
// What every benchmark prints besides Google Benchmark's own table: one line
// per figure, "name value unit baseline ratio", the baseline measured in the
// same run so that the ratio travels between machines. With
// --benchmark_repetitions the figure is the median of the repetitions.

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  TRatioReporter();
  void ReportRuns(const std::vector<Run> &AReports) override;

  // Figures are named by the benchmark's function, with "/" and its
  // arguments when it has any ("BM_Retrieval/1").
  // Per iteration, in microseconds, on the benchmark's own clock: wall time
  // where it asked for real time, else CPU time.
  std::optional<double> Microseconds(const std::string &AFunction) const;
  // Per iteration, in microseconds, on the clock named, whichever the
  // benchmark reports in its own table.
  std::optional<double> CPUMicroseconds(const std::string &AFunction) const;
  std::optional<double> WallMicroseconds(const std::string &AFunction) const;
  // From the benchmark's bytes-processed counter.
  std::optional<double> MegabytesPerSecond(const std::string &AFunction) const;

private:
  struct TFigure {
    double Microseconds = 0;
    double CPUMicroseconds = 0;
    double WallMicroseconds = 0;
    std::optional<double> MegabytesPerSecond;
  };
  std::map<std::string, TFigure> FFigures;
};

// The usual baseline of a parser: the lines of ABytes counted with memchr,
// as fast as a pass over the text can be.
std::size_t CountLines(const std::string &ABytes);

// The heading of a benchmark's figures: what they measure, on which clock.
void PrintFigureHeading(const std::string &AWhat, const char *AClock);
// "rebuild_35b_bins 1042.7 MB/s 14820.3 0.0704"; nothing when either figure
// is missing (a benchmark filtered out or failed). For times the ratio is
// measured over baseline, for rates too: above 1 is faster than the baseline
// for rates and slower for times, as the unit says.
void PrintFigure(const char *AName, std::optional<double> AValue, const char *AUnit, std::optional<double> ABaseline);

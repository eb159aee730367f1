// tonegraph-cli analyze: what a snapshot file says about the line, as text
// or as JSON.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>

#include "AnalysisJson.h"
#include "AnalysisSummary.h"
#include "Commands.h"
#include "DrayData.h"
#include "FileErrors.h"
#include "LineAnalysis.h"

namespace {

struct TAnalyzeOptions {
  std::string Filename;
  TAnalysisOptions Analysis;
  bool Json = false;
};

// What the analysis says of a value; a text that is no number is left to the
// parser, which says so itself.
CLI::Validator AnalysisCheck(void (*ASet)(TAnalysisOptions &, double)) {
  return CLI::Validator(
      [ASet](const std::string &AText) -> std::string {
        double Value = 0;
        const auto [End, Error] = std::from_chars(AText.data(), AText.data() + AText.size(), Value);
        if (Error != std::errc() || End != AText.data() + AText.size())
          return "";
        TAnalysisOptions Options;
        ASet(Options, Value);
        return CheckAnalysisOptions(Options);
      },
      "");
}

int Analyze(const TAnalyzeOptions &AOptions) {
  TDrayData Data;
  About(AOptions.Filename, [&] { Data.LoadFromFile(AOptions.Filename); });
  const TLineAnalysis Analysis = AnalyzeLine(Data, AOptions.Analysis);
  const std::string Text = AOptions.Json ? AnalysisJson(Analysis) + "\n" : AnalysisSummary(Analysis);
  std::fwrite(Text.data(), 1, Text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

TCommandRun AddAnalyzeCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TAnalyzeOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "analyze", "Loads a snapshot file and prints what it says about the line: the figures the router reports, "
                 "the bit loading and SNR, the loop's length, bridged taps, radio disturbers and findings.");
  Command->add_option("FILE", Options->Filename, "the snapshot file")
      ->type_name("")
      ->required()
      ->check(CLI::Validator(SnapshotFileNameProblem, ""));
  Command
      ->add_option("--gauge", Options->Analysis.GaugeMm,
                   "the cable's conductor diameter in mm, for the loop's length: 0.4, 0.5 or 0.6 (default 0.5)")
      ->type_name("MM")
      ->check(AnalysisCheck([](TAnalysisOptions &A, double AValue) { A.GaugeMm = AValue; }));
  Command
      ->add_option("--vop", Options->Analysis.VelocityFactor,
                   "the cable's velocity of propagation as a fraction of the speed of light, for the length of a "
                   "bridged tap (default 0.67)")
      ->type_name("V")
      ->check(AnalysisCheck([](TAnalysisOptions &A, double AValue) { A.VelocityFactor = AValue; }));
  Command->add_flag("--json", Options->Json, "print the analysis as one JSON object instead");
  return [Options] { return Analyze(*Options); };
}

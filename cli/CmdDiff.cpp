// tonegraph-cli diff: what changed from snapshot A to snapshot B, tone by
// tone, each a snapshot file or a capture of a history database (DB:ID).
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>

#include "Commands.h"
#include "DrayData.h"
#include "FigureText.h"
#include "HistoryJson.h"
#include "HistoryStore.h"
#include "LineAnalysis.h"
#include "NumberText.h"
#include "TerminalText.h"
#include "ToneDifference.h"

namespace {

struct TDiffOptions {
  std::string A, B;
  bool Json = false;
};

// "line.tgdb:12" names a capture when the part before the last colon is a
// file and the part after it a number; anything else is a snapshot file.
void LoadSide(const std::string &AArgument, const std::string &AName, TDrayData &AData) {
  const std::size_t Colon = AName.rfind(':');
  if (Colon != std::string::npos && Colon + 1 < AName.size() &&
      AName.find_first_not_of("0123456789", Colon + 1) == std::string::npos &&
      std::filesystem::is_regular_file(AName.substr(0, Colon))) {
    const std::string Database = AName.substr(0, Colon);
    const std::string IdText = AName.substr(Colon + 1);
    const std::optional<long long> Id = WholeNumberOfText(IdText, 0, std::numeric_limits<std::int64_t>::max());
    if (!Id)
      throw CLI::ValidationError(AArgument, "'" + IdText + "' is no capture id");
    About(AName, [&] {
      const THistoryStore Store(Database, THistoryStore::TOpen::ReadOnly);
      AData.LoadFromBytes(Store.SnapshotBytes(*Id));
    });
    return;
  }
  About(AName, [&] { AData.LoadFromFile(AName); });
}

// "12-15, 40, 100-131": runs of tones, short enough to read.
std::string ToneRuns(const std::vector<int> &ATones) {
  std::string Text;
  for (std::size_t I = 0; I < ATones.size();) {
    std::size_t Last = I;
    while (Last + 1 < ATones.size() && ATones[Last + 1] == ATones[Last] + 1)
      ++Last;
    Text += (Text.empty() ? "" : ", ") + std::to_string(ATones[I]) +
            (Last > I ? "-" + std::to_string(ATones[Last]) : std::string());
    I = Last + 1;
  }
  return Text.empty() ? "none" : Text;
}

void PrintText(const TDrayData &A, const TDrayData &B, const TToneDifference &ADiff) {
  const TLineAnalysis First = AnalyzeLine(A), Second = AnalyzeLine(B);
  std::printf("%-22s %-18s %-18s\n", "", TerminalText(A.Name()).c_str(), TerminalText(B.Name()).c_str());
  auto Row = [](const char *ALabel, const std::string &AFirst, const std::string &ASecond) {
    std::printf("%-22s %-18s %-18s\n", ALabel, AFirst.c_str(), ASecond.c_str());
  };
  Row("profile", ProfileName(A.VDSLProfile()), ProfileName(B.VDSLProfile()));
  for (const TDirection Direction : DrayDirections)
    Row((std::string(DirectionKey(Direction)) + " actual rate").c_str(), RateText(First.Reported.ActualRate[Direction]),
        RateText(Second.Reported.ActualRate[Direction]));
  for (const TDirection Direction : DrayDirections)
    Row((std::string(DirectionKey(Direction)) + " snr margin").c_str(), DbText(First.Reported.SNRMargin[Direction]),
        DbText(Second.Reported.SNRMargin[Direction]));
  for (const TDirection Direction : DrayDirections) {
    const std::size_t Side = IndexOf(Direction);
    std::printf("%s tones that gained bits: %s\n", DirectionKey(Direction), ToneRuns(ADiff.GainedBits[Side]).c_str());
    std::printf("%s tones that lost bits: %s\n", DirectionKey(Direction), ToneRuns(ADiff.LostBits[Side]).c_str());
  }
}

int Diff(const TDiffOptions &AOptions) {
  TDrayData A, B;
  LoadSide("A", AOptions.A, A);
  LoadSide("B", AOptions.B, B);
  const TToneDifference Difference = DiffTones(A, B);
  if (AOptions.Json)
    std::printf("%s\n", DiffJson(A, B, Difference).c_str());
  else
    PrintText(A, B, Difference);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

TCommandRun AddDiffCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TDiffOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "diff", "Compares two snapshots tone by tone (B - A of HLog, QLN, SNR, bits and gain) and names the tones "
              "that gained and lost bits. Each is a snapshot file or DB:ID, a capture of a history database.");
  Command->add_option("A", Options->A, "the snapshot compared against")->type_name("")->required();
  Command->add_option("B", Options->B, "the snapshot compared")->type_name("")->required();
  Command->add_flag("--json", Options->Json, "print the comparison as one JSON object");
  return [Options] { return Diff(*Options); };
}

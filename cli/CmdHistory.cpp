// tonegraph-cli history: the captures of a history database, adding snapshot
// files to it, exporting a capture's snapshot, the per-tone envelope of a
// time range, and thinning it by a retention policy.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "DrayData.h"
#include "FigureText.h"
#include "HistoryError.h"
#include "HistoryJson.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "KeepOption.h"
#include "NumberText.h"
#include "ReplacingFile.h"
#include "TerminalText.h"
#include "ToneEnvelope.h"

namespace {

struct THistoryOptions {
  std::string Database;
  bool Json = false;
  std::vector<std::string> Add;
  std::optional<std::int64_t> Export;
  std::string Output;
  bool Envelope = false;
  std::optional<std::string> From, To;
  bool Thin = false, DryRun = false;
  std::optional<TRetentionPolicy> Keep;
};

// "ok", "partial: why", "failed: why".
std::string StateText(const TCapture &ACapture) {
  if (!ACapture.Ok)
    return "failed: " + ACapture.Error;
  return ACapture.Partial.empty() ? "ok" : "partial: " + ACapture.Partial;
}

void PrintCaptures(const std::vector<TCapture> &ACaptures) {
  std::printf("%5s  %-20s  %-16s  %-7s  %-15s  %-15s  %-9s  %s\n", "id", "time", "name", "profile", "us rate",
              "ds rate", "ds margin", "state");
  for (const TCapture &C : ACaptures)
    std::printf("%5lld  %-20s  %-16s  %-7s  %-15s  %-15s  %-9s  %s\n", static_cast<long long>(C.Id),
                TerminalText(C.Time).c_str(), TerminalText(C.Name).c_str(),
                C.Profile.empty() ? NoFigureText : TerminalText(C.Profile).c_str(), RateText(C.Figures.ActualRate.US).c_str(),
                RateText(C.Figures.ActualRate.DS).c_str(), DbText(C.Figures.SNRMargin.DS).c_str(),
                TerminalText(StateText(C)).c_str());
}

// The time a snapshot file was captured: the date and time its name carries
// when it is one of ours ("20261210-215254-DrayTek.draydata", local time),
// else the file's own modification time.
std::string CaptureTimeOf(const std::string &AFile) {
  if (const std::optional<std::string> Named = TimeFromDataFileName(AFile))
    return *Named;
  struct stat Status {};
  if (stat(AFile.c_str(), &Status) != 0)
    return UtcTimeText(std::time(nullptr));
  return UtcTimeText(Status.st_mtime);
}

void AddFiles(THistoryStore &AStore, const std::vector<std::string> &AFiles) {
  for (const std::string &File : AFiles) {
    TDrayData Data;
    About(File, [&] { Data.LoadFromFile(File); });
    const std::string Time = CaptureTimeOf(File);
    const std::int64_t Id = About(AStore.FileName(), [&] { return AStore.AddSnapshot(Data, Time); });
    std::fprintf(stderr, "added %lld: %s %s\n", static_cast<long long>(Id), Time.c_str(), TerminalText(File).c_str());
  }
}

void ExportCapture(const THistoryStore &AStore, std::int64_t AId, const std::string &AOutput) {
  const std::string Bytes = About(AStore.FileName(), [&] { return AStore.SnapshotBytes(AId); });
  About(AOutput, [&] { ReplaceFileWith(AOutput, Bytes); });
  std::fprintf(stderr, "Saved %s\n", AOutput.c_str());
}

void PrintEnvelope(const THistoryStore &AStore, const THistoryOptions &AOptions) {
  std::vector<TCapture> Captures = AStore.Captures(AOptions.From, AOptions.To);
  std::string Profile;
  for (const TCapture &Capture : Captures)
    if (Capture.Ok)
      Profile = Capture.Profile;  // the latest successful capture's profile
  TEnvelopeBuilder Builder(Profile);
  if (!Profile.empty())
    AStore.ForEachToneSeries(Profile, AOptions.From, AOptions.To, [&](const TToneSeries &ASeries) { Builder.Add(ASeries); });
  const std::string Json = EnvelopeJson(Builder.Envelope());
  std::fwrite(Json.data(), 1, Json.size(), stdout);
  std::fputc('\n', stdout);
}

void ThinHistory(THistoryStore &AStore, const THistoryOptions &AOptions) {
  const TRetentionPolicy Policy = AOptions.Keep.value_or(ParseRetentionPolicy(DefaultRetentionPolicy));
  const THistoryStore::TThinned Thinned =
      About(AStore.FileName(), [&] { return AStore.Thin(Policy, std::time(nullptr), AOptions.DryRun); });
  std::fprintf(stderr, "%s\n", ThinnedText(AStore, Thinned, AOptions.DryRun).c_str());
}

int History(const THistoryOptions &AOptions) {
  const bool Writes = !AOptions.Add.empty() || (AOptions.Thin && !AOptions.DryRun);
  THistoryStore Store = About(AOptions.Database, [&] {
    return THistoryStore(AOptions.Database,
                         Writes ? THistoryStore::TOpen::CreateIfMissing : THistoryStore::TOpen::ReadOnly);
  });
  if (!Store.UpgradeNote().empty())
    std::fprintf(stderr, "%s\n", Store.UpgradeNote().c_str());
  if (!AOptions.Add.empty())
    AddFiles(Store, AOptions.Add);
  if (AOptions.Thin) {
    ThinHistory(Store, AOptions);
  } else if (AOptions.Export) {
    ExportCapture(Store, *AOptions.Export, AOptions.Output);
  } else if (AOptions.Envelope) {
    PrintEnvelope(Store, AOptions);
  } else if (AOptions.Add.empty()) {
    const std::vector<TCapture> Captures = Store.Captures(AOptions.From, AOptions.To);
    if (AOptions.Json)
      std::printf("%s\n", CapturesJson(Captures).c_str());
    else
      PrintCaptures(Captures);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

CLI::Validator TimeCheck() {
  return CLI::Validator(
      [](const std::string &AText) {
        return ParseUtcTime(AText) ? std::string() : "not a time like 2026-12-10T21:45:04Z";
      },
      "");
}

} // namespace

TCommandRun AddHistoryCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<THistoryOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "history", "Lists the captures of a history database, adds snapshot files to it, exports a capture's "
                 "snapshot, or gives the per-tone envelope of SNR and bits over a time range.");
  Command->add_option("DB", Options->Database, "the history database")->type_name("")->required();
  Command->add_flag("--json", Options->Json, "print the captures, or the envelope, as JSON");
  Command->add_option("--add", Options->Add, "store these snapshot files as captures (the database is made when "
                                             "missing)")
      ->type_name("FILE...")
      ->expected(1, -1);
  CLI::Option *Export =
      Command->add_option("--export", Options->Export, "write that capture's snapshot file, byte for byte")
          ->type_name("ID")
          ->check(WholeNumberIn(0, std::numeric_limits<std::int64_t>::max()));
  Command->add_option("-o,--output", Options->Output, "the file --export writes")->type_name("FILE")->needs(Export);
  Export->needs("--output");
  CLI::Option *Envelope = Command->add_flag("--envelope", Options->Envelope,
                                            "per tone the lowest, mean and highest SNR and bits over the captures");
  Envelope->excludes(Export);
  Command->add_option("--from", Options->From, "only captures at or after this time (UTC, ISO 8601)")
      ->type_name("T")
      ->check(TimeCheck());
  Command->add_option("--to", Options->To, "only captures at or before this time")->type_name("T")->check(TimeCheck());
  CLI::Option *Thin = Command->add_flag("--thin", Options->Thin,
                                        "drop the snapshots the retention policy (--keep) no longer keeps, and give "
                                        "their room back");
  Thin->excludes(Export)->excludes(Envelope);
  AddKeepOption(*Command, Options->Keep, "the retention policy of --thin (default " +
                                             std::string(DefaultRetentionPolicy) + ")")
      ->needs(Thin);
  Command->add_flag("--dry-run", Options->DryRun, "with --thin: only say how many snapshots it would drop")
      ->needs(Thin);
  return [Options] {
    THistoryOptions Normalised = *Options;
    if (Normalised.From)
      Normalised.From = UtcTimeText(*ParseUtcTime(*Normalised.From));
    if (Normalised.To)
      Normalised.To = UtcTimeText(*ParseUtcTime(*Normalised.To));
    return History(Normalised);
  };
}

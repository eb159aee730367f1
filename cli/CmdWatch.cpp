// tonegraph-cli watch: retrievals on a schedule into a history database, a
// line of progress per capture, and optionally the latest key figures for
// Prometheus at /metrics.
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "Commands.h"
#include "DrayData.h"
#include "FigureText.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "KeepOption.h"
#include "ListenAddress.h"
#include "MetricsServer.h"
#include "MetricsText.h"
#include "NumberText.h"
#include "RetrievalRun.h"
#include "RetrieveOptions.h"
#include "StopSignals.h"
#include "TerminalText.h"
#include "WatchedFile.h"

namespace {

using TMilliseconds = std::chrono::milliseconds;

struct TWatchOptions {
  TRetrieveOptions Retrieve;
  std::string Into;
  std::string Every;
  int Count = 0;  // 0: until stopped
  int BinsEvery = 1;
  std::string Metrics;
  std::optional<TRetentionPolicy> Keep;
};

// The retrieval under way, for a stop request from the signal thread.
class TCurrentRetrieval {
public:
  void Begin(TRetrievalRun &ARun) {
    std::lock_guard<std::mutex> Guard(FLock);
    FRun = &ARun;
  }
  void End() {
    std::lock_guard<std::mutex> Guard(FLock);
    FRun = nullptr;
  }
  void Stop() {
    std::lock_guard<std::mutex> Guard(FLock);
    if (FRun)
      FRun->StopAtOnce();
  }

private:
  std::mutex FLock;
  TRetrievalRun *FRun = nullptr;
};

// What a partial run lacks, and why, in one line; for a run that got
// nothing, why it failed.
std::string WhatIsMissing(const TRetrievalOutcome &AOutcome) {
  std::string Text;
  for (const std::string &Note : PartialRunNotes(AOutcome))
    Text += (Text.empty() ? "" : "; ") + Note;
  return Text.empty() ? "incomplete retrieval" : Text;
}

std::string FailureOf(const TRetrievalOutcome &AOutcome) {
  return AOutcome.End == TRetrievalEnd::Partial ? WhatIsMissing(AOutcome) : AOutcome.Reason;
}

// The latest figures for the metrics page, read by the server's threads.
class TMetricsPage {
public:
  explicit TMetricsPage(std::string ARouter) : FRouter(std::move(ARouter)) {}
  void Update(const std::optional<TCapture> &ALatest, bool AFailed) {
    std::lock_guard<std::mutex> Guard(FLock);
    ++FCounts.Captures;
    FCounts.Failures += AFailed;
    if (ALatest)
      FLatest = ALatest;
    if (ALatest && ReadTheBins(*ALatest))
      FLastBins = ALatest;
  }
  std::string Text() const {
    std::lock_guard<std::mutex> Guard(FLock);
    return MetricsText(FRouter, FLatest, FLastBins, FCounts);
  }

private:
  std::string FRouter;
  mutable std::mutex FLock;
  std::optional<TCapture> FLatest;
  std::optional<TCapture> FLastBins;
  TWatchCounts FCounts;
};

// A busy address is wrong usage, like any other option that cannot be
// followed; the other failures say why the system refused.
std::unique_ptr<TMetricsServer> ServeMetrics(const std::string &AText, const TMetricsPage &APage) {
  std::string Why;
  const std::optional<TListenAddress> Address = ParseListenAddress(AText, Why);
  if (!Address)
    throw CLI::ValidationError("--metrics", Why);
  try {
    auto Server = std::make_unique<TMetricsServer>(*Address, [&APage] { return APage.Text(); });
    std::fprintf(stderr, "metrics at %s%s\n", ListenUrl(*Address, Server->Port(), "/metrics").c_str(),
                 Address->Wildcard ? " (every interface)" : "");
    return Server;
  } catch (const EListenError &AError) {
    if (AError.AddressInUse())
      throw CLI::ValidationError("--metrics", AText + ": " + AError.what());
    throw ECliFailure("--metrics " + AText, std::string("cannot listen there: ") + AError.what());
  }
}

// The capture just stored, as the history lists it.
std::optional<TCapture> StoredCapture(const THistoryStore &AStore, std::int64_t AId, const std::string &ATime) {
  for (const TCapture &Capture : AStore.Captures(ATime, ATime))
    if (Capture.Id == AId)
      return Capture;
  return std::nullopt;
}

// The history database and what it was when the watch opened it.
struct TWatchDatabase {
  THistoryStore Store;
  TWatchedFile File;

  // Stores by AStore, and says what was stored only once it is known to be
  // in the file that others see.
  template <typename TStore> std::int64_t Add(TStore &&AAdd) {
    const std::int64_t Id = About(Store.FileName(), [&] { return AAdd(Store); });
    File.Check();
    return Id;
  }
};

// A snapshot, complete or partial as retrieve and the window keep it, and its
// line on stderr: "... capture 3: ok 17A ds 50.0 Mbit/s us 10.0 Mbit/s, bins"
// or "... capture 3: partial 17A ...: no answer to "vdsl status snr"".
void StoreSnapshot(TWatchDatabase &ADatabase, const TDrayData &AData, const std::string &ATime,
                   const std::string &ARouter, const std::string &APartial, bool ABins, TMetricsPage &APage) {
  const std::int64_t Id =
      ADatabase.Add([&](THistoryStore &AStore) { return AStore.AddSnapshot(AData, ATime, ARouter, APartial); });
  const std::optional<TCapture> Latest = StoredCapture(ADatabase.Store, Id, ATime);
  APage.Update(Latest, false);
  std::fprintf(stderr, "%s capture %lld: %s %s us %s ds %s%s%s\n", ATime.c_str(), static_cast<long long>(Id),
               APartial.empty() ? "ok" : "partial", ProfileName(AData.VDSLProfile()),
               RateText(Latest ? Latest->Figures.ActualRate.US : std::nullopt).c_str(),
               RateText(Latest ? Latest->Figures.ActualRate.DS : std::nullopt).c_str(), ABins ? ", bins" : "",
               APartial.empty() ? "" : (": " + TerminalText(APartial)).c_str());
}

// One attempt: a capture or a failure in the database, and its line on
// stderr. True only for a complete capture: after anything less the router
// may be restarting, and the watch backs off. A retrieval cut short by a stop
// request is no failure of the router: what it read is kept when there is
// any, and nothing is recorded otherwise.
bool CaptureOnce(TWatchDatabase &ADatabase, const TRetrieveSettings &ASettings, bool ABins, TMetricsPage &APage,
                 TCurrentRetrieval &ACurrent) {
  TRetrieveSettings Settings = ASettings;
  Settings.Bins = ABins;
  TDrayData Data(ASettings.RouterName);
  TRetrievalRun Run(Settings, Data, nullptr);
  ACurrent.Begin(Run);
  const TRetrievalOutcome Outcome = Run.Run();
  ACurrent.End();
  const std::string Time = UtcTimeText(std::time(nullptr));
  if (Outcome.KeepsSnapshot() && !Outcome.GotNothing()) {
    const bool Complete = Outcome.End == TRetrievalEnd::Complete;
    StoreSnapshot(ADatabase, Data, Time, ASettings.RouterName, Complete ? "" : WhatIsMissing(Outcome), ABins, APage);
    return Complete;
  }
  if (Outcome.Stopped)
    return false;
  const std::string Reason = FailureOf(Outcome);
  const std::int64_t Id =
      ADatabase.Add([&](THistoryStore &AStore) { return AStore.AddFailure(Time, ASettings.RouterName, Reason); });
  APage.Update(std::nullopt, true);
  std::fprintf(stderr, "%s capture %lld: failed: %s\n", Time.c_str(), static_cast<long long>(Id),
               TerminalText(Reason).c_str());
  return false;
}

// Thins by the policy now and then, each time for at most half an interval,
// so that the next capture is never held up by more than that; what is left
// waits for the next time.
class TWatchThinning {
public:
  TWatchThinning(const std::optional<TRetentionPolicy> &APolicy, TMilliseconds AEvery)
      : FPolicy(APolicy), FBudget(AEvery / 2) {}
  void AfterCapture(THistoryStore &AStore) {
    const auto Now = std::chrono::steady_clock::now();
    if (!FPolicy || (FLast && Now - *FLast < std::chrono::hours(1) && !FUnfinished))
      return;
    FLast = Now;
    const auto Until = Now + FBudget;
    bool Stopped = false;
    const THistoryStore::TThinned Thinned = About(AStore.FileName(), [&] {
      return AStore.Thin(*FPolicy, std::time(nullptr), false, [&] {
        Stopped = std::chrono::steady_clock::now() >= Until;
        return !Stopped;
      });
    });
    FUnfinished = Stopped;
    if (Thinned.Dropped > 0)
      std::fprintf(stderr, "%s\n", ThinnedText(AStore, Thinned, false).c_str());
  }

private:
  std::optional<TRetentionPolicy> FPolicy;
  TMilliseconds FBudget;
  std::optional<std::chrono::steady_clock::time_point> FLast;
  bool FUnfinished = false;
};

int Watch(const TWatchOptions &AOptions) {
  std::string Why;
  const std::optional<TMilliseconds> Every = DurationOfText(AOptions.Every, Why);
  if (!Every)
    throw CLI::ValidationError("--every", Why);
  // Before any other thread is made (the metrics server's, the readers').
  TCurrentRetrieval Current;
  TStopSignals Signals([&Current] {
    std::fputs("stopping: the current retrieval is cut short; a second SIGINT ends the watch at once\n", stderr);
    Current.Stop();
  });
  const TRetrieveSettings Settings = ReadSettings(AOptions.Retrieve);
  // The address first: a watch that cannot serve its metrics makes no
  // database.
  TMetricsPage Page(Settings.RouterName);
  std::unique_ptr<TMetricsServer> Server;
  if (!AOptions.Metrics.empty())
    Server = ServeMetrics(AOptions.Metrics, Page);
  TWatchDatabase Database{About(AOptions.Into, [&] {
                             return THistoryStore(AOptions.Into, THistoryStore::TOpen::CreateIfMissing);
                           }),
                           TWatchedFile(AOptions.Into)};
  if (!Database.Store.UpgradeNote().empty())
    std::fprintf(stderr, "%s\n", Database.Store.UpgradeNote().c_str());
  TWatchThinning Thinning(AOptions.Keep, *Every);
  int Failures = 0;
  for (int Attempt = 0; !Signals.Requested() && (AOptions.Count == 0 || Attempt < AOptions.Count); ++Attempt) {
    const bool Bins = Settings.Bins && Attempt % AOptions.BinsEvery == 0;
    Failures = CaptureOnce(Database, Settings, Bins, Page, Current) ? 0 : Failures + 1;
    Thinning.AfterCapture(Database.Store);
    if (AOptions.Count != 0 && Attempt + 1 == AOptions.Count)
      break;
    // A router that failed may be restarting: give it longer, up to eight
    // intervals.
    Signals.Pause(*Every * (1 << std::min(Failures, 3)));
  }
  return 0;
}

} // namespace

TCommandRun AddWatchCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TWatchOptions>();
  Options->Retrieve.Bins = true;
  CLI::App *Command = AProgram.add_subcommand(
      "watch", "Retrieves the line's statistics on a schedule and stores each capture, or why it failed, in a "
               "history database. SIGINT or SIGTERM stop the current retrieval at once, keep what it read as a "
               "partial capture and end the watch; a second SIGINT ends it at once.");
  AddRetrieveOptions(*Command, Options->Retrieve, false);
  Command->add_option("--into", Options->Into, "the history database (made when missing)")
      ->type_name("DB")
      ->required();
  Command->add_option("--every", Options->Every, "the time between captures: 30s, 5m, 1h")
      ->type_name("DURATION")
      ->required();
  Command->add_option("--count", Options->Count, "stop after this many attempts (default: until stopped)")
      ->type_name("N")
      ->check(CLI::Range(1, 1000000000).description(""));
  Command->add_option("--bins-every", Options->BinsEvery,
                      "read the bins listing only every Nth capture (default every capture)")
      ->type_name("N")
      ->check(CLI::Range(1, 1000000).description(""));
  Command->add_option("--metrics", Options->Metrics,
                      "serve the latest key figures at /metrics for Prometheus (ADDR:PORT; loopback when only a "
                      "port is given)")
      ->type_name("ADDR:PORT");
  AddKeepOption(*Command, Options->Keep, "thin the history as it goes, once an hour");
  return [Options] { return Watch(*Options); };
}

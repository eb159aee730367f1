// tonegraph-cli watch: retrievals on a schedule into a history database, a
// line of progress per capture, and optionally the latest key figures for
// Prometheus at /metrics.
#include <atomic>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <httplib.h>

#include "Commands.h"
#include "DrayData.h"
#include "FigureText.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "KeepOption.h"
#include "MetricsText.h"
#include "RetrievalRun.h"
#include "RetrieveOptions.h"

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

std::atomic<bool> StopRequested{false};

extern "C" void RequestStop(int) { StopRequested = true; }

// "30s", "5m", "1h", "250ms".
std::optional<TMilliseconds> ParseDuration(const std::string &AText) {
  std::size_t Digits = 0;
  while (Digits < AText.size() && std::isdigit(static_cast<unsigned char>(AText[Digits])))
    ++Digits;
  if (Digits == 0 || Digits > 9)
    return std::nullopt;
  const long long Value = std::stoll(AText.substr(0, Digits));
  const std::string Unit = AText.substr(Digits);
  const long long Scale = Unit == "ms" ? 1 : Unit == "s" ? 1000 : Unit == "m" ? 60000 : Unit == "h" ? 3600000 : 0;
  if (Scale == 0 || Value == 0)
    return std::nullopt;
  return TMilliseconds(Value * Scale);
}

// Waits, or less when a stop is asked for.
void Pause(TMilliseconds AWait) {
  const auto Until = std::chrono::steady_clock::now() + AWait;
  while (!StopRequested && std::chrono::steady_clock::now() < Until)
    std::this_thread::sleep_for(std::min(TMilliseconds(50), std::chrono::duration_cast<TMilliseconds>(
                                                                  Until - std::chrono::steady_clock::now())));
}

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
  }
  std::string Text() const {
    std::lock_guard<std::mutex> Guard(FLock);
    return MetricsText(FRouter, FLatest, FCounts);
  }

private:
  std::string FRouter;
  mutable std::mutex FLock;
  std::optional<TCapture> FLatest;
  TWatchCounts FCounts;
};

// "ADDR:PORT", ":PORT" or "PORT"; loopback unless an address is given.
std::pair<std::string, int> SplitAddress(const std::string &AText) {
  const std::size_t Colon = AText.rfind(':');
  const std::string Host = Colon == std::string::npos || Colon == 0 ? "127.0.0.1" : AText.substr(0, Colon);
  const std::string Port = Colon == std::string::npos ? AText : AText.substr(Colon + 1);
  if (Port.empty() || Port.size() > 5 || Port.find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(Port) > 65535)
    throw CLI::ValidationError("--metrics", "'" + AText + "' is not ADDR:PORT");
  return {Host, std::stoi(Port)};
}

class TMetricsServer {
public:
  TMetricsServer(const std::string &AAddress, TMetricsPage &APage) {
    const auto [Host, Port] = SplitAddress(AAddress);
    FServer.Get("/metrics", [&APage](const httplib::Request &, httplib::Response &AResponse) {
      AResponse.set_content(APage.Text(), "text/plain; version=0.0.4; charset=utf-8");
    });
    const int Bound = Port == 0 ? FServer.bind_to_any_port(Host) : (FServer.bind_to_port(Host, Port) ? Port : -1);
    if (Bound < 0)
      throw ECliFailure("--metrics " + AAddress, "cannot listen there");
    std::fprintf(stderr, "metrics at http://%s:%d/metrics\n", Host.c_str(), Bound);
    FThread = std::thread([this] { FServer.listen_after_bind(); });
  }
  ~TMetricsServer() {
    FServer.stop();
    FThread.join();
  }

private:
  httplib::Server FServer;
  std::thread FThread;
};

// The capture just stored, as the history lists it.
std::optional<TCapture> StoredCapture(const THistoryStore &AStore, std::int64_t AId, const std::string &ATime) {
  for (const TCapture &Capture : AStore.Captures(ATime, ATime))
    if (Capture.Id == AId)
      return Capture;
  return std::nullopt;
}

// A snapshot, complete or partial as retrieve and the window keep it, and its
// line on stderr: "... capture 3: ok 17A ds 50.0 Mbit/s us 10.0 Mbit/s, bins"
// or "... capture 3: partial 17A ...: no answer to "vdsl status snr"".
void StoreSnapshot(THistoryStore &AStore, const TDrayData &AData, const std::string &ATime,
                   const std::string &ARouter, const std::string &APartial, bool ABins, TMetricsPage &APage) {
  const std::int64_t Id =
      About(AStore.FileName(), [&] { return AStore.AddSnapshot(AData, ATime, ARouter, APartial); });
  const std::optional<TCapture> Latest = StoredCapture(AStore, Id, ATime);
  APage.Update(Latest, false);
  std::fprintf(stderr, "%s capture %lld: %s %s us %s ds %s%s%s\n", ATime.c_str(), static_cast<long long>(Id),
               APartial.empty() ? "ok" : "partial", ProfileName(AData.VDSLProfile()),
               RateText(Latest ? Latest->Figures.ActualRate.US : std::nullopt).c_str(),
               RateText(Latest ? Latest->Figures.ActualRate.DS : std::nullopt).c_str(), ABins ? ", bins" : "",
               APartial.empty() ? "" : (": " + APartial).c_str());
}

// One attempt: a capture or a failure in the database, and its line on
// stderr. True only for a complete capture: after anything less the router
// may be restarting, and the watch backs off.
bool CaptureOnce(THistoryStore &AStore, const TRetrieveSettings &ASettings, bool ABins, TMetricsPage &APage) {
  TRetrieveSettings Settings = ASettings;
  Settings.Bins = ABins;
  TDrayData Data(ASettings.RouterName);
  const TRetrievalOutcome Outcome = RunRetrieval(Settings, Data);
  const std::string Time = UtcTimeText(std::time(nullptr));
  if (Outcome.KeepsSnapshot() && !Outcome.GotNothing()) {
    const bool Complete = Outcome.End == TRetrievalEnd::Complete;
    StoreSnapshot(AStore, Data, Time, ASettings.RouterName, Complete ? "" : WhatIsMissing(Outcome), ABins, APage);
    return Complete;
  }
  const std::string Reason = FailureOf(Outcome);
  const std::int64_t Id = About(AStore.FileName(), [&] { return AStore.AddFailure(Time, ASettings.RouterName, Reason); });
  APage.Update(std::nullopt, true);
  std::fprintf(stderr, "%s capture %lld: failed: %s\n", Time.c_str(), static_cast<long long>(Id), Reason.c_str());
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
  const std::optional<TMilliseconds> Every = ParseDuration(AOptions.Every);
  if (!Every)
    throw CLI::ValidationError("--every", "'" + AOptions.Every + "' is not a duration like 30s, 5m or 1h");
  const TRetrieveSettings Settings = ReadSettings(AOptions.Retrieve);
  THistoryStore Store = About(AOptions.Into, [&] {
    return THistoryStore(AOptions.Into, THistoryStore::TOpen::CreateIfMissing);
  });
  if (!Store.UpgradeNote().empty())
    std::fprintf(stderr, "%s\n", Store.UpgradeNote().c_str());
  TWatchThinning Thinning(AOptions.Keep, *Every);
  TMetricsPage Page(Settings.RouterName);
  std::unique_ptr<TMetricsServer> Server;
  if (!AOptions.Metrics.empty())
    Server = std::make_unique<TMetricsServer>(AOptions.Metrics, Page);
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  int Failures = 0;
  for (int Attempt = 0; !StopRequested && (AOptions.Count == 0 || Attempt < AOptions.Count); ++Attempt) {
    const bool Bins = Settings.Bins && Attempt % AOptions.BinsEvery == 0;
    Failures = CaptureOnce(Store, Settings, Bins, Page) ? 0 : Failures + 1;
    Thinning.AfterCapture(Store);
    if (AOptions.Count != 0 && Attempt + 1 == AOptions.Count)
      break;
    // A router that failed may be restarting: give it longer, up to eight
    // intervals.
    Pause(*Every * (1 << std::min(Failures, 3)));
  }
  return 0;
}

} // namespace

TCommandRun AddWatchCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TWatchOptions>();
  Options->Retrieve.Bins = true;
  CLI::App *Command = AProgram.add_subcommand(
      "watch", "Retrieves the line's statistics on a schedule and stores each capture, or why it failed, in a "
               "history database. SIGINT or SIGTERM end it after the current retrieval.");
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

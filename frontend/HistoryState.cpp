#include "HistoryState.h"

#include <algorithm>
#include <set>

#include "DrayData.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "SnapshotList.h"
#include "TextCase.h"
#include "ToneEnvelope.h"

namespace {

// Thrown from inside a read that was stopped, to leave it at once.
struct TStopped {};

std::vector<const TCapture *> ListedCaptures(const std::vector<TCapture> &ACaptures) {
  std::vector<const TCapture *> listed;
  for (const TCapture &capture : ACaptures)
    if (capture.Stored)
      listed.push_back(&capture);
  if (listed.size() > THistoryState::ListLimit)
    listed.erase(listed.begin(), listed.end() - std::ptrdiff_t(THistoryState::ListLimit));
  return listed;
}

struct TLessIgnoringCase {
  bool operator()(const std::string &A, const std::string &B) const { return CompareTextIgnoringCase(A, B) < 0; }
};

} // namespace

std::string HistoryEntryName(const TCapture &ACapture) {
  std::string time = ACapture.Time;
  if (time.size() >= 19 && time[10] == 'T')
    time = time.substr(0, 10) + " " + time.substr(11, 8);
  return time + " " + RouterFromDataFileName(ACapture.Name).value_or(ACapture.Name);
}

THistoryState::THistoryState() = default;
THistoryState::~THistoryState() = default;

void THistoryState::Open(const std::string &AFileName) {
  auto store = std::make_unique<THistoryStore>(AFileName, THistoryStore::TOpen::ReadOnly);
  std::vector<TCapture> captures = store->Captures();
  FStore = std::move(store);
  FCaptures = std::move(captures);
  FRange.reset();
}

std::size_t THistoryState::Listed() const {
  return ListedCaptures(FCaptures).size();
}

std::size_t THistoryState::Unlisted() const {
  const auto stored = static_cast<std::size_t>(
      std::count_if(FCaptures.begin(), FCaptures.end(), [](const TCapture &ACapture) { return ACapture.Stored; }));
  return stored - Listed();
}

THistoryJoin THistoryState::ReadSnapshots(const TSnapshotList &AList, const THistoryStep &AStep) const {
  THistoryJoin join;
  if (!FStore)
    return join;
  // Two captures in the same second of the same router make one entry.
  std::set<std::string, TLessIgnoringCase> taken;
  for (const TCapture *capture : ListedCaptures(FCaptures)) {
    if (!AStep())
      break;
    std::string name = HistoryEntryName(*capture);
    if (AList.HoldsName(name) || !taken.insert(name).second)
      continue;
    try {
      auto snapshot = std::make_unique<TDrayData>();
      snapshot->LoadFromBytes(FStore->SnapshotBytes(capture->Id));
      snapshot->SetName(std::move(name));
      join.Snapshots.push_back(std::move(snapshot));
    } catch (const std::exception &E) {
      if (join.Failures++ == 0)
        join.FirstFailure = E.what();
    }
  }
  return join;
}

std::string THistoryState::StatusText() const {
  if (!FStore)
    return {};
  std::string status = "History " + FStore->FileName() + ": " + std::to_string(FCaptures.size()) + " captures";
  if (Unlisted() > 0)
    status += ", the latest " + std::to_string(ListLimit) + " snapshots in the list";
  return status;
}

std::optional<std::string> THistoryState::From() const {
  return FRange ? std::optional<std::string>(UtcTimeText(FRange->From)) : std::nullopt;
}

std::optional<std::string> THistoryState::To() const {
  return FRange ? std::optional<std::string>(UtcTimeText(FRange->To)) : std::nullopt;
}

int THistoryState::EnvelopeCaptures(const std::string &AProfile) const {
  return FStore ? FStore->ToneSeriesCount(AProfile, From(), To()) : 0;
}

std::optional<TToneEnvelope> THistoryState::Envelope(const std::string &AProfile, const THistoryStep &AStep) const {
  if (!FStore)
    return std::nullopt;
  TEnvelopeBuilder builder(AProfile);
  try {
    FStore->ForEachToneSeries(AProfile, From(), To(), [&](const TToneSeries &ASeries) {
      if (!AStep())
        throw TStopped();
      builder.Add(ASeries);
    });
  } catch (const TStopped &) {
    return std::nullopt;
  }
  TToneEnvelope envelope = builder.Envelope();
  if (envelope.Captures == 0)
    return std::nullopt;
  return envelope;
}

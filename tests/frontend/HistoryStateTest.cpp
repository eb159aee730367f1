// The open history on real SQLite files: its captures joined to the snapshot
// list, the latest ones only, again only the new ones; a database that does
// not open leaves the one before; the range bounds the envelope.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrayData.h"
#include "HistoryError.h"
#include "HistoryState.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "SnapshotList.h"
#include "TestFiles.h"
#include "ToneEnvelope.h"

namespace {

// A 17A snapshot whose downstream SNR reads AValue on its first group.
std::unique_ptr<TDrayData> Snapshot(int AValue) {
  auto snapshot = std::make_unique<TDrayData>("r");
  TDrayData &data = *snapshot;
  data.SetVDSLProfile(vp17a);
  const std::string v = std::to_string(AValue);
  data.SetSNRData({" GroupSize      :     8    8", " US: (dB)", "bin=   0:  20, 20, 20, 20, 20, 20, 20, 20,", "",
                   " DS: (dB)", "bin=   0:  " + v + ", " + v + ", " + v + ", " + v + ", " + v + ", " + v + ", " + v +
                   ", " + v + ",", "DrayTek> "});
  return snapshot;
}

// Captures one hour apart from 10:00, named after AName; a failure where
// AFailed says so.
void AddCaptures(THistoryStore &AStore, int AFrom, int ACount, const std::string &AName,
                 const std::vector<int> &AFailed = {}) {
  for (int hour = AFrom; hour < AFrom + ACount; ++hour) {
    char time[32];
    std::snprintf(time, sizeof time, "2026-12-10T%02d:00:00Z", hour);
    if (std::find(AFailed.begin(), AFailed.end(), hour) != AFailed.end())
      AStore.AddFailure(time, AName, "Unable to connect");
    else
      AStore.AddSnapshot(*Snapshot(30 + hour), time, AName);
  }
}

// A database in AFolder of ACount captures from 10:00 on.
std::string WriteHistory(const TTempFolder &AFolder, int ACount, const std::string &AName = "Vigor",
                         const std::vector<int> &AFailed = {}) {
  const std::string file = AFolder.Path("line.tgdb");
  THistoryStore store(file, THistoryStore::TOpen::CreateIfMissing);
  AddCaptures(store, 10, ACount, AName, AFailed);
  return file;
}

const THistoryStep Always = [] { return true; };

std::vector<std::string> Names(const THistoryJoin &AJoin) {
  std::vector<std::string> names;
  for (const auto &snapshot : AJoin.Snapshots)
    names.push_back(snapshot->Name());
  return names;
}

TEST(HistoryState, JoinsTheSuccessfulCapturesNamedByTimeAndRouter) {
  TTempFolder folder;
  const std::string file = WriteHistory(folder, 3, "20261210-100000-Vigor.draydata", {11});
  THistoryState history;
  history.Open(file);
  EXPECT_EQ(history.Captures().size(), 3u);
  const THistoryJoin join = history.ReadSnapshots(TSnapshotList(), Always);
  EXPECT_EQ(Names(join), (std::vector<std::string>{"2026-12-10 10:00:00 Vigor", "2026-12-10 12:00:00 Vigor"}));
  EXPECT_EQ(join.Failures, 0);
  EXPECT_EQ(join.Snapshots.at(1)->SNRStatsDS()[0].AsInteger(), 42);
  EXPECT_EQ(history.StatusText(), "History " + file + ": 3 captures");
}

// Opened again after more captures: the entries the list holds stay, only
// the new captures join.
TEST(HistoryState, OpenedAgainJoinsOnlyTheCapturesMadeSince) {
  TTempFolder folder;
  const std::string file = folder.Path("line.tgdb");
  THistoryStore store(file, THistoryStore::TOpen::CreateIfMissing);
  AddCaptures(store, 10, 2, "Vigor");
  THistoryState history;
  history.Open(file);
  THistoryJoin first = history.ReadSnapshots(TSnapshotList(), Always);
  TSnapshotList list;
  for (const auto &snapshot : first.Snapshots)
    list.Insert(snapshot.get());
  AddCaptures(store, 12, 1, "Vigor");
  history.Open(file);
  EXPECT_EQ(Names(history.ReadSnapshots(list, Always)), (std::vector<std::string>{"2026-12-10 12:00:00 Vigor"}));
}

// Beyond the latest ListLimit successful captures the list holds none; the
// captures stay for the timeline.
TEST(HistoryState, TheListHoldsTheLatestCapturesOnly) {
  TTempFolder folder;
  const std::string file = folder.Path("line.tgdb");
  {
    THistoryStore store(file, THistoryStore::TOpen::CreateIfMissing);
    for (std::size_t i = 0; i < THistoryState::ListLimit + 2; ++i)
      store.AddSnapshot(*Snapshot(40), UtcTimeText(std::time_t(1'800'000'000) + std::time_t(i)), "Vigor");
  }
  THistoryState history;
  history.Open(file);
  EXPECT_EQ(history.Listed(), THistoryState::ListLimit);
  EXPECT_EQ(history.Unlisted(), 2u);
  const THistoryJoin join = history.ReadSnapshots(TSnapshotList(), Always);
  ASSERT_EQ(join.Snapshots.size(), THistoryState::ListLimit);
  EXPECT_EQ(join.Snapshots.front()->Name(), HistoryEntryName(history.Captures().at(2)));
  EXPECT_EQ(history.StatusText(), "History " + file + ": 202 captures, the latest 200 snapshots in the list");
}

TEST(HistoryState, AStoppedReadKeepsWhatItHasRead) {
  TTempFolder folder;
  const std::string file = WriteHistory(folder, 3);
  THistoryState history;
  history.Open(file);
  int steps = 0;
  const THistoryJoin join = history.ReadSnapshots(TSnapshotList(), [&] { return ++steps <= 2; });
  EXPECT_EQ(Names(join), (std::vector<std::string>{"2026-12-10 10:00:00 Vigor", "2026-12-10 11:00:00 Vigor"}));
  EXPECT_EQ(history.Envelope("17A", [] { return false; }), std::nullopt);
}

// A file that does not open leaves the history open before, with its range.
TEST(HistoryState, ADatabaseThatDoesNotOpenLeavesTheOneBefore) {
  TTempFolder folder;
  const std::string file = WriteHistory(folder, 2);
  WriteBytes(folder.Path("notes.tgdb"), "not a database");
  THistoryState history;
  history.Open(file);
  history.ChooseRange(TTimeRange{0, 1});
  for (const std::string &other : {folder.Path("missing.tgdb"), folder.Path("notes.tgdb")}) {
    EXPECT_THROW(history.Open(other), EHistoryError) << other;
    ASSERT_NE(history.Store(), nullptr);
    EXPECT_EQ(history.Store()->FileName(), file);
    EXPECT_EQ(history.Captures().size(), 2u);
    EXPECT_TRUE(history.Range().has_value());
  }
}

// The envelope covers the captures of the range chosen, of the profile
// asked; opening a database forgets the range.
TEST(HistoryState, TheRangeBoundsTheEnvelopeUntilADatabaseOpens) {
  TTempFolder folder;
  const std::string file = WriteHistory(folder, 3);
  THistoryState history;
  EXPECT_EQ(history.EnvelopeCaptures("17A"), 0);
  EXPECT_EQ(history.Envelope("17A", Always), std::nullopt);
  history.Open(file);
  const struct {
    const char *Title;
    std::optional<TTimeRange> Range;
    const char *Profile;
    int Captures;
  } Cases[] = {
      {"every capture", std::nullopt, "17A", 3},
      {"from 11:00 on", TTimeRange{*ParseUtcTime("2026-12-10T11:00:00Z"), *ParseUtcTime("2026-12-10T23:00:00Z")}, "17A", 2},
      {"before the first", TTimeRange{0, *ParseUtcTime("2026-12-10T09:00:00Z")}, "17A", 0},
      {"another profile", std::nullopt, "35B", 0},
  };
  for (const auto &Case : Cases) {
    history.ChooseRange(Case.Range);
    EXPECT_EQ(history.EnvelopeCaptures(Case.Profile), Case.Captures) << Case.Title;
    const std::optional<TToneEnvelope> envelope = history.Envelope(Case.Profile, Always);
    EXPECT_EQ(envelope ? envelope->Captures : 0, Case.Captures) << Case.Title;
  }
  history.ChooseRange(TTimeRange{0, 1});
  history.Open(file);
  EXPECT_FALSE(history.Range().has_value());
}

} // namespace

// Retention policies: their text, which snapshots a policy keeps at a given
// time, and a thinning of a real database file, whole or killed halfway.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include <SQLiteCpp/SQLiteCpp.h>

#include "HistoryError.h"
#include "HistoryFileChecks.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "RetentionPolicy.h"
#include "SimulatedSnapshot.h"
#include "TestFiles.h"
#include "ThinningPlan.h"

namespace {

constexpr std::int64_t Minute = 60, Hour = 3600, Day = 86400;

TEST(RetentionPolicy, ReadsTiersFromTheNewest) {
  const struct {
    const char *Text;
    std::vector<TRetentionTier> Tiers;
  } Cases[] = {
      {"all:7d,1h:90d,1d", {{std::nullopt, 7 * Day}, {Hour, 90 * Day}, {Day, std::nullopt}}},
      {"all", {{std::nullopt, std::nullopt}}},
      {"all:30d", {{std::nullopt, 30 * Day}}},
      {"30m:2w,1d:52w", {{30 * Minute, 14 * Day}, {Day, 364 * Day}}},
      {"15s:1h", {{15, Hour}}},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(ParseRetentionPolicy(Case.Text).Tiers, Case.Tiers) << Case.Text;
}

TEST(RetentionPolicy, RefusesWhatItCannotRead) {
  const struct {
    const char *Text, *Why;
  } Cases[] = {
      {"", "\"\" is neither all nor a duration like 30m, 1h or 1d"},
      {"every:7d", "\"every\" is neither all nor a duration like 30m, 1h or 1d"},
      {"all:7", "\"7\" is no age like 7d or 12w"},
      {"all:0d", "\"0d\" is no age like 7d or 12w"},
      {"all:7y", "\"7y\" is no age like 7d or 12w"},
      {"1h:-3d", "\"-3d\" is no age like 7d or 12w"},
      {"all:1234567d", "\"1234567d\" is no age like 7d or 12w"},
      {"all:7d:1h", "\"all:7d:1h\" has more than one ':'"},
      {"all,1h:90d", "only the last tier may go on for ever"},
      {"all:90d,1h:7d", "each tier must end later than the one before"},
      {"all:7d,,1d", "\"\" is neither all nor a duration like 30m, 1h or 1d"},
  };
  for (const auto &Case : Cases) {
    try {
      ParseRetentionPolicy(Case.Text);
      ADD_FAILURE() << Case.Text;
    } catch (const EHistoryError &AError) {
      EXPECT_EQ(std::string(AError.what()),
                "'" + std::string(Case.Text) + "' is not a retention policy like all:7d,1h:90d,1d: " + Case.Why);
    }
  }
}

// Snapshots as a planner sees them: id, base (0: full), age, line.
struct TAged {
  std::int64_t Id, Base, Age;
  const char *Line = "Vigor";
};

std::vector<std::int64_t> Dropped(const char *APolicy, std::int64_t ANow, const std::vector<TAged> &ASnapshots,
                                  std::int64_t *AKeptAsBase = nullptr) {
  TThinningPlanner Planner(ParseRetentionPolicy(APolicy), ANow);
  for (const TAged &S : ASnapshots)
    Planner.Add({S.Id, S.Base ? std::optional<std::int64_t>(S.Base) : std::nullopt, ANow - S.Age, S.Line});
  const TThinningPlan Plan = Planner.Finish();
  EXPECT_EQ(Plan.Snapshots, std::int64_t(ASnapshots.size()));
  if (AKeptAsBase)
    *AKeptAsBase = Plan.KeptAsBase;
  return Plan.Drop;
}

TEST(ThinningPlan, KeepsWhatEachTierKeeps) {
  const std::int64_t Now = 100 * Day;  // a span of an hour or a day starts on the hour
  const struct {
    const char *Why, *Policy;
    std::vector<TAged> Snapshots;
    std::vector<std::int64_t> Dropped;
    std::int64_t KeptAsBase;
  } Cases[] = {
      {"all of the newest tier, nothing past its last", "all:1h",
       {{1, 0, 5 * Hour}, {2, 0, 61 * Minute}, {3, 0, 59 * Minute}, {4, 0, 0}}, {1, 2}, 0},
      {"one an hour, the full one where the hour has one", "all:1h,1h",
       {{1, 0, 4 * Hour + 30 * Minute}, {2, 1, 3 * Hour + 50 * Minute}, {3, 0, 3 * Hour + 30 * Minute},
        {4, 3, 3 * Hour + 10 * Minute}, {5, 3, 10 * Minute}},
       {2, 4}, 0},
      {"an hour without a full one keeps its first, and the base of that", "all:1h,1h:4h",
       {{1, 0, 5 * Hour}, {2, 1, 2 * Hour + 50 * Minute}, {3, 1, 2 * Hour + 40 * Minute}}, {3}, 1},
      {"each line its own spans", "all:1h,1d",
       {{1, 0, 2 * Day + Hour, "A"}, {2, 0, 2 * Day + 2 * Hour, "B"}, {3, 1, 2 * Day + 3 * Hour, "A"},
        {4, 2, 2 * Day + 4 * Hour, "B"}},
       {3, 4}, 0},
      {"a base of a snapshot in the newest tier stays, however old", "all:1d",
       {{1, 0, 3 * Day}, {2, 0, 2 * Day}, {3, 1, Hour}}, {2}, 1},
      {"a base dropped after what was made against it", "1h:1d",
       {{1, 0, 2 * Day}, {2, 1, 2 * Day - Hour}, {3, 0, 2 * Day - 2 * Hour}}, {2, 1, 3}, 0},
  };
  for (const auto &Case : Cases) {
    std::int64_t KeptAsBase = -1;
    std::vector<TAged> Sorted = Case.Snapshots;
    // The store feeds a line's snapshots in the order of their time.
    std::stable_sort(Sorted.begin(), Sorted.end(), [](const TAged &A, const TAged &B) {
      return std::string(A.Line) != B.Line ? std::string(A.Line) < B.Line : A.Age > B.Age;
    });
    EXPECT_EQ(Dropped(Case.Policy, Now, Sorted, &KeptAsBase), Case.Dropped) << Case.Why;
    EXPECT_EQ(KeptAsBase, Case.KeptAsBase) << Case.Why;
  }
}

// A history of ACount captures, one every five minutes up to ANow, laid out
// as the store lays it out (a full snapshot every FullEvery, the others
// against it): two stored by the store, the rest copied from them in SQL,
// which is quicker than storing each.
std::string MakeHistory(const TTempFolder &AFolder, int ACount, std::int64_t ANow, std::string &ABytes) {
  const std::string File = AFolder.Path("line.tgdb");
  TDrayData Data("Vigor");
  FillFromSimulatedRouter(Data, vp8b, true);
  ABytes = Data.SaveToBytes();
  const auto TimeOf = [&](int AIndex) { return UtcTimeText(static_cast<std::time_t>(ANow - (ACount - AIndex) * 5 * Minute)); };
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddSnapshot(Data, TimeOf(1));
    Store.AddSnapshot(Data, TimeOf(2));
  }
  SQLite::Database Database(File, SQLite::OPEN_READWRITE);
  SQLite::Transaction Transaction(Database);
  Database.exec("CREATE TEMP TABLE c AS SELECT * FROM capture WHERE id = 2");
  SQLite::Statement Capture(Database, "UPDATE c SET id = ?, time = ?");
  SQLite::Statement Snapshot(Database, "INSERT INTO snapshot SELECT ?1, ?2, size, bytes FROM snapshot "
                                       "WHERE capture_id = (CASE WHEN ?2 IS NULL THEN 1 ELSE 2 END)");
  SQLite::Statement Tones(Database, "INSERT INTO tones SELECT ?, profile, snr_group_us, snr_group_ds, snr_us, "
                                    "snr_ds, bits_us, bits_ds FROM tones WHERE capture_id = 2");
  std::int64_t Full = 1;
  for (int Id = 3; Id <= ACount; ++Id) {
    Capture.bind(1, Id);
    Capture.bind(2, TimeOf(Id));
    Capture.exec();
    Capture.reset();
    Database.exec("INSERT INTO capture SELECT * FROM c");
    if ((Id - 1) % THistoryStore::FullEvery == 0)
      Full = Id;
    Snapshot.bind(1, Id);
    if (Full == Id)
      Snapshot.bind(2);
    else
      Snapshot.bind(2, Full);
    Snapshot.exec();
    Snapshot.reset();
    Tones.bind(1, Id);
    Tones.exec();
    Tones.reset();
  }
  Transaction.commit();
  return File;
}

std::map<std::int64_t, std::time_t> StoredTimes(const THistoryStore &AStore) {
  std::map<std::int64_t, std::time_t> Times;
  for (const TCapture &Capture : AStore.Captures())
    if (Capture.Stored)
      Times[Capture.Id] = *ParseUtcTime(Capture.Time);
  return Times;
}

constexpr int Captures = 400;  // 33 hours
constexpr std::int64_t Now = 100 * Day;
const char *const Policy = "all:2h,1h:1d";

TEST(Thinning, KeepsEveryCaptureAndTheSnapshotsThePolicyKeeps) {
  TTempFolder Folder;
  std::string Bytes;
  const std::string File = MakeHistory(Folder, Captures, Now, Bytes);
  std::vector<TCapture> Before;
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Before = Store.Captures();
    Store.Thin(ParseRetentionPolicy(Policy), Now, false);  // a first thinning leaves the file at its size
  }
  EXPECT_EQ(IntegrityOf(File), "ok");
  THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
  EXPECT_EQ(Store.Thin(ParseRetentionPolicy(Policy), Now, true).Dropped, 0);
  const std::map<std::int64_t, std::time_t> Kept = StoredTimes(Store);
  std::map<std::int64_t, int> PerHour;
  int Old = 0;
  for (const auto &[Id, Time] : Kept) {
    EXPECT_EQ(Store.SnapshotBytes(Id), Bytes) << "capture " << Id;
    if (Now - Time > Day)
      ++Old;  // kept as a base only
    else if (Now - Time > 2 * Hour)
      ++PerHour[Time / Hour];
  }
  EXPECT_EQ(std::count_if(Kept.begin(), Kept.end(), [](const auto &K) { return Now - K.second <= 2 * Hour; }), 25);
  EXPECT_EQ(PerHour.size(), 22u);
  for (const auto &[Span, Count] : PerHour)
    EXPECT_EQ(Count, 1) << "hour " << Span;
  EXPECT_LE(Old, 1);
  // Every capture with its figures, the dropped ones without a snapshot.
  std::vector<TCapture> After = Store.Captures();
  ASSERT_EQ(After.size(), Before.size());
  for (std::size_t I = 0; I < After.size(); ++I) {
    EXPECT_EQ(After[I].Stored, Kept.count(After[I].Id) == 1);
    After[I].Stored = true;
  }
  EXPECT_EQ(After, Before);
}

TEST(Thinning, ADryRunChangesNothingAndAThinningGivesTheRoomBack) {
  TTempFolder Folder;
  std::string Bytes;
  const std::string File = MakeHistory(Folder, Captures, Now, Bytes);
  THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
  const std::uintmax_t Size = HistorySizeOf(File);
  const std::vector<TCapture> Before = Store.Captures();
  const THistoryStore::TThinned Dry = Store.Thin(ParseRetentionPolicy(Policy), Now, true);
  EXPECT_EQ(Store.Captures(), Before);
  const THistoryStore::TThinned Done = Store.Thin(ParseRetentionPolicy(Policy), Now, false);
  EXPECT_EQ(Dry.Snapshots, Captures);
  EXPECT_EQ(Done.Snapshots, Captures);
  EXPECT_EQ(Done.Dropped, Dry.Dropped);
  EXPECT_EQ(Done.KeptAsBase, Dry.KeptAsBase);
  EXPECT_GT(Done.Dropped, Captures / 2);
  EXPECT_LT(HistorySizeOf(File) * 2, Size);
}

// A thinning killed as it goes, after what it says is its Nth step (a batch
// dropped, pages given back): the file is sound and every snapshot the
// policy keeps still loads.
TEST(Thinning, AKilledThinningLeavesEveryKeptSnapshot) {
  TTempFolder Folder;
  std::string Bytes;
  const std::string Original = MakeHistory(Folder, Captures, Now, Bytes);
  std::map<std::int64_t, std::time_t> Kept;
  {
    const std::string Copy = Folder.Path("plan.tgdb");
    std::filesystem::copy_file(Original, Copy);
    THistoryStore Store(Copy, THistoryStore::TOpen::CreateIfMissing);
    Store.Thin(ParseRetentionPolicy(Policy), Now, false);
    Kept = StoredTimes(Store);
  }
  for (const int Steps : {1, 2, 3}) {
    const std::string File = Folder.Path("killed" + std::to_string(Steps) + ".tgdb");
    std::filesystem::copy_file(Original, File);
    int Pipe[2];
    ASSERT_EQ(pipe(Pipe), 0);
    const pid_t Child = fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      close(Pipe[0]);
      THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
      Store.Thin(ParseRetentionPolicy(Policy), Now, false, [&] { return write(Pipe[1], "s", 1) == 1; });
      _exit(0);
    }
    close(Pipe[1]);
    char Step;
    int Seen = 0;
    while (Seen < Steps && read(Pipe[0], &Step, 1) == 1)
      ++Seen;
    kill(Child, SIGKILL);
    close(Pipe[0]);
    int Status = 0;
    waitpid(Child, &Status, 0);
    EXPECT_EQ(Seen, Steps);
    EXPECT_EQ(IntegrityOf(File), "ok") << Steps;
    const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
    EXPECT_EQ(Store.Captures().size(), std::size_t(Captures));
    for (const auto &[Id, Time] : Kept)
      EXPECT_EQ(Store.SnapshotBytes(Id), Bytes) << "capture " << Id << " after " << Steps;
  }
}

} // namespace

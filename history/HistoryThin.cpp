// Thinning a history by a retention policy: the snapshots and per-tone
// series it no longer keeps go, the captures and their key figures stay.
#include "HistoryStore.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include "HistoryTime.h"
#include "ThinningPlan.h"

namespace {

// Small enough that a capture waiting for the write lock waits for one batch
// only, not for the whole thinning.
constexpr std::size_t BatchSize = 200;
constexpr int VacuumPages = 2000;

}  // namespace

THistoryStore::TThinned THistoryStore::Thin(const TRetentionPolicy &APolicy, std::int64_t ANow, bool ADryRun,
                                            const std::function<bool()> &AGoOn) {
  try {
    TThinningPlanner Planner(APolicy, ANow);
    {
      // Snapshots of the schemas before were all full.
      const std::string Base = FSchemaVersion >= 3 ? "s.base_id" : "NULL";
      SQLite::Statement Stored(*FDatabase, "SELECT s.capture_id, " + Base + ", c.time, c.name, c.profile FROM snapshot s "
                                           "JOIN capture c ON c.id = s.capture_id ORDER BY c.name, c.profile, c.time, "
                                           "c.id");
      while (Stored.executeStep()) {
        const std::optional<std::time_t> Time = ParseUtcTime(Stored.getColumn(2).getString());
        if (!Time)
          continue;  // kept: no policy can say how old it is
        TStoredSnapshot Snapshot;
        Snapshot.Id = Stored.getColumn(0).getInt64();
        if (!Stored.getColumn(1).isNull())
          Snapshot.Base = Stored.getColumn(1).getInt64();
        Snapshot.Time = *Time;
        Snapshot.Line = Stored.getColumn(3).getString() + '\n' + Stored.getColumn(4).getString();
        Planner.Add(Snapshot);
      }
    }
    const TThinningPlan Plan = Planner.Finish();
    TThinned Thinned{Plan.Snapshots, 0, Plan.KeptAsBase};
    if (ADryRun) {
      Thinned.Dropped = static_cast<std::int64_t>(Plan.Drop.size());
      return Thinned;
    }
    SQLite::Statement DropSnapshot(*FDatabase, "DELETE FROM snapshot WHERE capture_id = ?");
    SQLite::Statement DropTones(*FDatabase, "DELETE FROM tones WHERE capture_id = ?");
    for (std::size_t Start = 0; Start < Plan.Drop.size(); Start += BatchSize) {
      if (AGoOn && !AGoOn())
        break;
      SQLite::Transaction Transaction(*FDatabase);
      for (std::size_t I = Start; I < std::min(Plan.Drop.size(), Start + BatchSize); ++I) {
        for (SQLite::Statement *Drop : {&DropSnapshot, &DropTones}) {
          Drop->bind(1, Plan.Drop[I]);
          Drop->exec();
          Drop->reset();
        }
        ++Thinned.Dropped;
      }
      Transaction.commit();
    }
    GiveFreePagesBack(AGoOn);
    return Thinned;
  } catch (const SQLite::Exception &AError) {
    Fail(AError);
  }
}

// A few pages at a time, for the same reason as the batches; the log is then
// written back and cut, so that the file itself shrinks.
void THistoryStore::GiveFreePagesBack(const std::function<bool()> &AGoOn) {
  auto FreePages = [this] { return FDatabase->execAndGet("PRAGMA freelist_count").getInt(); };
  // Without incremental vacuum (a database not yet upgraded) the count stays.
  for (int Free = FreePages(), Before = Free + 1; Free > 0 && Free < Before && (!AGoOn || AGoOn());
       Before = Free, Free = FreePages())
    FDatabase->exec("PRAGMA incremental_vacuum(" + std::to_string(VacuumPages) + ")");
  FDatabase->exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

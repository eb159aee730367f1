// Snapshots stored compressed against a base of the same line: every byte
// back, a full one often enough, each line its own bases, the per-tone
// series as they were, and a broken frame named as such.
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include <map>

#include "HistoryError.h"
#include "HistoryFileChecks.h"
#include "HistoryStore.h"
#include "SimulatedSnapshot.h"
#include "TestFiles.h"

namespace {

std::string TimeOf(int AMinute) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "2026-12-10T%02d:%02d:00Z", AMinute / 60, AMinute % 60);
  return Text;
}

struct TStoredRow {
  std::optional<std::int64_t> Base;
  std::string Name;
  std::int64_t Size = 0, Stored = 0;
};

std::map<std::int64_t, TStoredRow> StoredRows(const std::string &AFile) {
  SQLite::Database Database(AFile, SQLite::OPEN_READONLY);
  SQLite::Statement Query(Database, "SELECT s.capture_id, s.base_id, c.name, s.size, length(s.bytes) FROM snapshot s "
                                    "JOIN capture c ON c.id = s.capture_id");
  std::map<std::int64_t, TStoredRow> Rows;
  while (Query.executeStep()) {
    TStoredRow &Row = Rows[Query.getColumn(0).getInt64()];
    if (!Query.getColumn(1).isNull())
      Row.Base = Query.getColumn(1).getInt64();
    Row.Name = Query.getColumn(2).getString();
    Row.Size = Query.getColumn(3).getInt64();
    Row.Stored = Query.getColumn(4).getInt64();
  }
  return Rows;
}

// Two routers watched into one file, their lines drifting from capture to
// capture; the first past the point where it needs a second full snapshot.
TEST(CompactHistory, EveryCaptureOfADriftRunComesBackByteForByte) {
  TTempFolder Folder;
  const std::string File = Folder.Path("line.tgdb");
  std::map<std::int64_t, std::string> Saved;
  std::map<std::int64_t, TToneSeries> Series;
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    for (int Capture = 0; Capture < THistoryStore::FullEvery + 2; ++Capture)
      for (const char *Router : {"Vigor", "Other"}) {
        const bool Other = Router == std::string("Other");
        if (Other && Capture >= 3)
          continue;
        TDrayData Data(Router);
        FillFromSimulatedRouter(Data, Other ? vp8b : vp17a, Capture % 3 != 1, DriftedLine(DemoLine(), Capture));
        const std::int64_t Id = Store.AddSnapshot(Data, TimeOf(Capture), Router);
        Saved[Id] = Data.SaveToBytes();
        if (!Other)
          Series[Id] = ToneSeriesOf(Data);
      }
  }
  const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
  for (const auto &[Id, Bytes] : Saved)
    ASSERT_EQ(Store.SnapshotBytes(Id), Bytes) << "capture " << Id;
  auto Back = Series.begin();
  Store.ForEachToneSeries("17A", {}, {}, [&](const TToneSeries &ASeries) {
    EXPECT_EQ(ASeries, Back->second) << "capture " << Back->first;
    ++Back;
  });
  EXPECT_EQ(Back, Series.end());

  std::map<std::int64_t, int> Users;
  std::int64_t Raw = 0, Stored = 0;
  const std::map<std::int64_t, TStoredRow> Rows = StoredRows(File);
  for (const auto &[Id, Row] : Rows) {
    Raw += Row.Size;
    Stored += Row.Stored;
    if (!Row.Base)
      continue;
    const TStoredRow &Base = Rows.at(*Row.Base);
    EXPECT_FALSE(Base.Base) << "capture " << Id << ": a base is itself full";
    EXPECT_EQ(Base.Name, Row.Name) << "capture " << Id << ": a base of the same line";
    ++Users[*Row.Base];
  }
  // The first router: one full snapshot, FullEvery - 1 against it, a full
  // one again and one against that; the other its own.
  ASSERT_EQ(Users.size(), 3u);
  for (const auto &[Base, Count] : Users)
    EXPECT_LE(Count, THistoryStore::FullEvery - 1) << "base " << Base;
  EXPECT_LT(Stored * 10, Raw);
  EXPECT_EQ(IntegrityOf(File), "ok");
}

TEST(CompactHistory, ABrokenFrameNamesItsCapture) {
  TTempFolder Folder;
  const std::string File = Folder.Path("line.tgdb");
  TDrayData Data("Vigor");
  FillFromSimulatedRouter(Data, vp8b, true);
  std::int64_t Full = 0, Delta = 0;
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Full = Store.AddSnapshot(Data, TimeOf(0));
    Delta = Store.AddSnapshot(Data, TimeOf(1));
  }
  const struct {
    const char *Change;
    std::int64_t Read, Named;
  } Cases[] = {
      {"UPDATE snapshot SET bytes = substr(bytes, 1, length(bytes) - 9) WHERE base_id IS NOT NULL", Delta, Delta},
      {"UPDATE snapshot SET size = size + 1 WHERE base_id IS NOT NULL", Delta, Delta},
      {"UPDATE snapshot SET bytes = x'00' WHERE base_id IS NULL", Delta, Full},
      {"UPDATE snapshot SET bytes = x'00' WHERE base_id IS NULL", Full, Full},
  };
  for (const auto &Case : Cases) {
    const std::string Copy = Folder.Path("broken.tgdb");
    std::filesystem::copy_file(File, Copy, std::filesystem::copy_options::overwrite_existing);
    SQLite::Database(Copy, SQLite::OPEN_READWRITE).exec(Case.Change);
    try {
      THistoryStore(Copy, THistoryStore::TOpen::ReadOnly).SnapshotBytes(Case.Read);
      ADD_FAILURE() << Case.Change;
    } catch (const EHistoryError &AError) {
      EXPECT_EQ(std::string(AError.what()),
                "Capture " + std::to_string(Case.Named) + " in \"" + Copy + "\" cannot be decoded")
          << Case.Change;
    }
  }
}

} // namespace

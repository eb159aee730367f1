#pragma once
// A database file of captures (SQLite, WAL). Each capture is written in one
// transaction: a process killed at any moment leaves every completed capture
// and nothing half-written. Snapshots are stored compressed, most of them as
// what differs from an earlier full snapshot of the same line (its base), and
// come back byte for byte. The file carries this program's application id
// and a schema version, checked on open. What only reads opens it read-only:
// it then writes nothing into the file, and opens on read-only media too.
//
//   THistoryStore Store("line.tgdb", THistoryStore::TOpen::CreateIfMissing);
//   Store.AddSnapshot(Data, "2026-12-10T21:45:04Z");
//   for (const TCapture &Capture : Store.Captures()) ...

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Capture.h"
#include "ToneSeries.h"

namespace SQLite {
class Database;
class Column;
}
class TDrayData;
struct TRetentionPolicy;

class THistoryStore {
public:
  // ReadOnly: an existing history, never written, not even upgraded.
  // CreateIfMissing: made when missing, upgraded in place when older.
  enum class TOpen { ReadOnly, CreateIfMissing };
  // 2: captures may be partial (the column "partial").
  // 3: snapshots and per-tone series compressed, snapshots against a base.
  static constexpr int SchemaVersion = 3;
  // A full snapshot at least every FullEvery snapshots of a line, so that any
  // snapshot decodes from at most itself and one base.
  static constexpr int FullEvery = 32;

  // EHistoryError: "Cannot open history "%s". %s", ""%s" is not a Tonegraph
  // history database", ""%s" was written by a newer Tonegraph (schema %d)".
  THistoryStore(const std::string &AFileName, TOpen AOpen);
  ~THistoryStore();
  THistoryStore(const THistoryStore &) = delete;
  // Whether AFileName starts as every SQLite database does: worth opening as
  // a history (the store then tells a history from another program's file).
  static bool IsDatabaseFile(const std::string &AFileName);
  THistoryStore &operator=(const THistoryStore &) = delete;

  // A snapshot that was captured: its file bytes, key figures and per-tone
  // series; the name is the snapshot's. APartial says what a snapshot that
  // lacks something lacks, and why; empty for a complete one. Gives the
  // capture's id.
  std::int64_t AddSnapshot(const TDrayData &AData, const std::string &ATime);
  std::int64_t AddSnapshot(const TDrayData &AData, const std::string &ATime, const std::string &AName,
                           const std::string &APartial = {});
  // A capture that failed, with why.
  std::int64_t AddFailure(const std::string &ATime, const std::string &AName, const std::string &AError);

  // In the order of their time, then of their ids; AFrom and ATo bound the
  // time, both included.
  std::vector<TCapture> Captures(const std::optional<std::string> &AFrom = {},
                                 const std::optional<std::string> &ATo = {}) const;
  // The bytes SaveToFile wrote for that capture. EHistoryError "No capture %d
  // with a snapshot in "%s"" for an id without one.
  std::string SnapshotBytes(std::int64_t AId) const;
  // How many captures ForEachToneSeries would call back for.
  int ToneSeriesCount(const std::string &AProfile, const std::optional<std::string> &AFrom,
                      const std::optional<std::string> &ATo) const;
  // Calls AEach with the per-tone series of every successful capture in the
  // range whose profile is AProfile.
  void ForEachToneSeries(const std::string &AProfile, const std::optional<std::string> &AFrom,
                         const std::optional<std::string> &ATo,
                         const std::function<void(const TToneSeries &)> &AEach) const;

  const std::string &FileName() const { return FFileName; }
  // "Upgraded history "%s" in place from schema %d to %d" when this open
  // did that; empty otherwise.
  const std::string &UpgradeNote() const { return FUpgradeNote; }

  // What a thinning by a retention policy dropped, or would drop.
  struct TThinned {
    std::int64_t Snapshots = 0, Dropped = 0, KeptAsBase = 0;
  };
  // Drops the snapshots (and their per-tone series) that APolicy does not
  // keep at ANow, never one still a base of a kept one, each small batch in
  // its own transaction; then gives the free pages back to the file system.
  // AGoOn is asked between batches; false leaves the rest for the next time.
  TThinned Thin(const TRetentionPolicy &APolicy, std::int64_t ANow, bool ADryRun,
                const std::function<bool()> &AGoOn = {});

private:
  struct THeader {
    int Application = 0, Version = 0, Tables = 0;
  };

  void OpenForWriting(bool ANew);
  void OpenForReading();
  THeader ReadHeader() const;
  void CheckHeader(const THeader &AHeader) const;
  void CheckOrCreateSchema(bool AMayCreate);
  void UpgradeSchema();
  void UseWriteAheadLog();
  void RecodeStoredSnapshots();
  void RecodeToneSeries();
  void GiveFreePagesBack(const std::function<bool()> &AGoOn);
  std::int64_t InsertCapture(const TCapture &ACapture);
  void InsertSnapshot(std::int64_t AId, const std::string &ABytes, const std::string &AName,
                      const std::string &AProfile);
  void InsertToneSeries(std::int64_t AId, const std::string &AProfile, const TToneSeries &ASeries);
  std::optional<std::int64_t> BaseFor(const std::string &AName, const std::string &AProfile) const;
  const std::string &FullSnapshot(std::int64_t AId) const;
  std::string DecodeSnapshot(std::int64_t AId, const std::optional<std::int64_t> &ABase, std::string_view AFrame,
                             std::int64_t ASize) const;
  std::string ToneBlob(std::int64_t AId, const SQLite::Column &AColumn) const;
  [[noreturn]] void FailToDecode(std::int64_t AId) const;
  [[noreturn]] void Fail(const std::exception &AError) const;

  std::string FFileName;
  std::unique_ptr<SQLite::Database> FDatabase;
  int FSchemaVersion = SchemaVersion;  // a read-only open reads older ones as they are
  std::string FUpgradeNote;
  // The base decoded last: the snapshots of a line share one for many captures.
  mutable std::int64_t FBaseId = 0;
  mutable std::string FBaseBytes;
};

#pragma once
// A database file of captures (SQLite, WAL). Each capture is written in one
// transaction: a process killed at any moment leaves every completed capture
// and nothing half-written. The file carries this program's application id
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
#include <vector>

#include "Capture.h"
#include "ToneSeries.h"

namespace SQLite {
class Database;
}
class TDrayData;

class THistoryStore {
public:
  // ReadOnly: an existing history, never written, not even upgraded.
  // CreateIfMissing: made when missing, upgraded in place when older.
  enum class TOpen { ReadOnly, CreateIfMissing };
  // 2: captures may be partial (the column "partial").
  static constexpr int SchemaVersion = 2;

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
  std::int64_t InsertCapture(const TCapture &ACapture);
  [[noreturn]] void Fail(const std::exception &AError) const;

  std::string FFileName;
  std::unique_ptr<SQLite::Database> FDatabase;
  int FSchemaVersion = SchemaVersion;  // a read-only open reads older ones as they are
};

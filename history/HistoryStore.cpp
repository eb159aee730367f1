#include "HistoryStore.h"

#include <cctype>
#include <cerrno>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include "DrayData.h"
#include "HistoryError.h"
#include "HistorySql.h"
#include "LineAnalysis.h"

namespace {

// "TGhd": set by this program on every history database it creates.
constexpr std::int32_t ApplicationId = 0x54476864;

// The key figures as columns, one table so that the schema, the insert and
// the read can never disagree.
using TIntField = std::optional<std::int64_t> &(*)(TCaptureFigures &);
using TRealField = std::optional<double> &(*)(TCaptureFigures &);

struct TIntColumn {
  const char *Name;
  TIntField Field;
};
struct TRealColumn {
  const char *Name;
  TRealField Field;
};

const TIntColumn IntColumns[] = {
    {"us_actual_rate", [](TCaptureFigures &F) -> auto & { return F.ActualRate.US; }},
    {"ds_actual_rate", [](TCaptureFigures &F) -> auto & { return F.ActualRate.DS; }},
    {"us_attainable_rate", [](TCaptureFigures &F) -> auto & { return F.AttainableRate.US; }},
    {"ds_attainable_rate", [](TCaptureFigures &F) -> auto & { return F.AttainableRate.DS; }},
    {"us_line_rate", [](TCaptureFigures &F) -> auto & { return F.LineRate.US; }},
    {"ds_line_rate", [](TCaptureFigures &F) -> auto & { return F.LineRate.DS; }},
    {"elapsed_near", [](TCaptureFigures &F) -> auto & { return F.Counters.ElapsedTime.Near; }},
    {"elapsed_far", [](TCaptureFigures &F) -> auto & { return F.Counters.ElapsedTime.Far; }},
    {"crc_near", [](TCaptureFigures &F) -> auto & { return F.Counters.CRC.Near; }},
    {"crc_far", [](TCaptureFigures &F) -> auto & { return F.Counters.CRC.Far; }},
    {"fec_near", [](TCaptureFigures &F) -> auto & { return F.Counters.FEC.Near; }},
    {"fec_far", [](TCaptureFigures &F) -> auto & { return F.Counters.FEC.Far; }},
    {"es_near", [](TCaptureFigures &F) -> auto & { return F.Counters.ES.Near; }},
    {"es_far", [](TCaptureFigures &F) -> auto & { return F.Counters.ES.Far; }},
    {"ses_near", [](TCaptureFigures &F) -> auto & { return F.Counters.SES.Near; }},
    {"ses_far", [](TCaptureFigures &F) -> auto & { return F.Counters.SES.Far; }},
    {"uas_near", [](TCaptureFigures &F) -> auto & { return F.Counters.UAS.Near; }},
    {"uas_far", [](TCaptureFigures &F) -> auto & { return F.Counters.UAS.Far; }},
};
const TRealColumn RealColumns[] = {
    {"us_snr_margin", [](TCaptureFigures &F) -> auto & { return F.SNRMargin.US; }},
    {"ds_snr_margin", [](TCaptureFigures &F) -> auto & { return F.SNRMargin.DS; }},
    {"us_attenuation", [](TCaptureFigures &F) -> auto & { return F.Attenuation.US; }},
    {"ds_attenuation", [](TCaptureFigures &F) -> auto & { return F.Attenuation.DS; }},
};

std::string FigureColumnList() {
  std::string List;
  for (const TIntColumn &Column : IntColumns)
    List += std::string(", ") + Column.Name;
  for (const TRealColumn &Column : RealColumns)
    List += std::string(", ") + Column.Name;
  return List;
}

// What schema 2 added to schema 1; null in a complete capture.
constexpr int PartialSchema = 2;
const char *const PartialColumn = "partial TEXT";

std::string Schema() {
  std::string Figures;
  for (const TIntColumn &Column : IntColumns)
    Figures += std::string(",\n  ") + Column.Name + " INTEGER";
  for (const TRealColumn &Column : RealColumns)
    Figures += std::string(",\n  ") + Column.Name + " REAL";
  return "CREATE TABLE capture (\n  id INTEGER PRIMARY KEY,\n  time TEXT NOT NULL,\n  name TEXT NOT NULL,\n"
         "  profile TEXT,\n  ok INTEGER NOT NULL,\n  error TEXT" +
         Figures + ",\n  " + PartialColumn +
         ");\n"
         "CREATE INDEX capture_time ON capture (time);\n" +
         SnapshotSchema() + ToneSchema();
}

template <typename T> void BindOptional(SQLite::Statement &AStatement, int AIndex, const std::optional<T> &AValue) {
  if (AValue)
    AStatement.bind(AIndex, *AValue);
  else
    AStatement.bind(AIndex);
}

// Both ends of a time range, each absent for no bound.
std::string RangeCondition(const std::optional<std::string> &AFrom, const std::optional<std::string> &ATo) {
  std::string Condition;
  if (AFrom)
    Condition += " AND c.time >= :from";
  if (ATo)
    Condition += " AND c.time <= :to";
  return Condition;
}

void BindRange(SQLite::Statement &AStatement, const std::optional<std::string> &AFrom,
               const std::optional<std::string> &ATo) {
  if (AFrom)
    AStatement.bind(":from", *AFrom);
  if (ATo)
    AStatement.bind(":to", *ATo);
}

// SQLite's URI for a file that cannot change, every byte outside the plain
// ones escaped so that no name is read as a query or a fragment.
std::string ImmutableUri(const std::string &AFileName) {
  static constexpr char Hex[] = "0123456789abcdef";
  std::string Uri = "file://";
  for (const unsigned char C : std::filesystem::absolute(AFileName).string()) {
    if (std::isalnum(C) || C == '/' || C == '.' || C == '_' || C == '-' || C == '~')
      Uri += static_cast<char>(C);
    else
      Uri += {'%', Hex[C >> 4], Hex[C & 15]};
  }
  return Uri + "?immutable=1";
}

// SQLite's ways of saying that the -shm file could be neither opened nor
// made: CANTOPEN on read-only media, READONLY (CANTINIT, DIRECTORY) in a
// folder we may not write.
bool IsWithoutIndex(const SQLite::Exception &AError) {
  return AError.getErrorCode() == SQLITE_CANTOPEN || AError.getErrorCode() == SQLITE_READONLY;
}

bool IsNonEmptyFile(const std::string &AFileName) {
  std::error_code Error;
  const std::uintmax_t Size = std::filesystem::file_size(AFileName, Error);
  return !Error && Size > 0;
}

} // namespace

THistoryStore::THistoryStore(const std::string &AFileName, TOpen AOpen) : FFileName(AFileName) {
  std::error_code Error;
  const bool Exists = std::filesystem::exists(AFileName, Error);
  if (!Exists && AOpen == TOpen::ReadOnly)
    throw EHistoryError("Cannot open history \"" + AFileName + "\". No such file or directory");
  if (Exists && std::filesystem::is_directory(AFileName, Error))
    throw EHistoryError("Cannot open history \"" + AFileName + "\". Is a directory");
  try {
    if (AOpen == TOpen::ReadOnly)
      OpenForReading();
    else
      OpenForWriting(!Exists);
  } catch (const EHistoryError &) {
    throw;
  } catch (const SQLite::Exception &AError) {
    // A file SQLite cannot read at all is no database of ours either.
    if (AError.getErrorCode() == SQLITE_NOTADB)
      throw EHistoryError("\"" + AFileName + "\" is not a Tonegraph history database");
    throw EHistoryError("Cannot open history \"" + AFileName + "\". " + AError.what());
  }
}

THistoryStore::~THistoryStore() = default;

void THistoryStore::OpenForWriting(bool ANew) {
  FDatabase = std::make_unique<SQLite::Database>(FFileName, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
  FDatabase->setBusyTimeout(10000);
  CheckOrCreateSchema(ANew);
}

// A reader of a database in WAL mode shares the writers' index in the file
// beside it ("-shm"), and makes that file when it is missing. Where it cannot
// (read-only media, a folder we may not write), no writer has the database
// open, or the file would be there: it cannot change while we read, and SQLite
// reads it as immutable. Captures in a log without its index would be left
// out unseen, so such a database is refused instead.
void THistoryStore::OpenForReading() {
  FDatabase = std::make_unique<SQLite::Database>(FFileName, SQLite::OPEN_READONLY);
  FDatabase->setBusyTimeout(10000);
  THeader Header;
  try {
    Header = ReadHeader();
  } catch (const SQLite::Exception &AError) {
    if (!IsWithoutIndex(AError))
      throw;
    if (IsNonEmptyFile(FFileName + "-wal"))
      throw EHistoryError("Cannot open history \"" + FFileName + "\". Its log \"" + FFileName +
                          "-wal\" cannot be read without \"" + FFileName + "-shm\", which cannot be made there");
    FDatabase = std::make_unique<SQLite::Database>(ImmutableUri(FFileName), SQLite::OPEN_READONLY | SQLite::OPEN_URI);
    Header = ReadHeader();
  }
  CheckHeader(Header);
  FSchemaVersion = Header.Version;
}

THistoryStore::THeader THistoryStore::ReadHeader() const {
  THeader Header;
  Header.Application = FDatabase->execAndGet("PRAGMA application_id").getInt();
  Header.Version = FDatabase->execAndGet("PRAGMA user_version").getInt();
  Header.Tables = FDatabase->execAndGet("SELECT count(*) FROM sqlite_master").getInt();
  return Header;
}

void THistoryStore::CheckHeader(const THeader &AHeader) const {
  if (AHeader.Application != ApplicationId)
    throw EHistoryError("\"" + FFileName + "\" is not a Tonegraph history database");
  if (AHeader.Version > SchemaVersion)
    throw EHistoryError("\"" + FFileName + "\" was written by a newer Tonegraph (schema " +
                        std::to_string(AHeader.Version) + ")");
}

void THistoryStore::CheckOrCreateSchema(bool AMayCreate) {
  const THeader Header = ReadHeader();
  if (Header.Tables == 0 && Header.Application == 0 && (AMayCreate || Header.Version == 0)) {
    // Before the first table, or it takes a whole VACUUM to change.
    FDatabase->exec("PRAGMA auto_vacuum = INCREMENTAL");
    UseWriteAheadLog();
    SQLite::Transaction Transaction(*FDatabase);
    FDatabase->exec(Schema());
    FDatabase->exec("PRAGMA application_id = " + std::to_string(ApplicationId));
    FDatabase->exec("PRAGMA user_version = " + std::to_string(SchemaVersion));
    Transaction.commit();
    return;
  }
  CheckHeader(Header);
  UseWriteAheadLog();
  if (Header.Version < SchemaVersion)
    UpgradeSchema();
}

// In one transaction, so that a database is either of the old schema or of
// the new one; read again under the write lock, as another writer may have
// upgraded it meanwhile. The space the old snapshots took is given back
// after the commit: a process killed then leaves an upgraded database.
void THistoryStore::UpgradeSchema() {
  SQLite::Transaction Transaction(*FDatabase, SQLite::TransactionBehavior::IMMEDIATE);
  const int Old = FDatabase->execAndGet("PRAGMA user_version").getInt();
  if (Old >= SchemaVersion)
    return;
  if (Old < PartialSchema)
    FDatabase->exec(std::string("ALTER TABLE capture ADD COLUMN ") + PartialColumn);
  RecodeStoredSnapshots();
  FDatabase->exec("PRAGMA user_version = " + std::to_string(SchemaVersion));
  Transaction.commit();
  FUpgradeNote = "Upgraded history \"" + FFileName + "\" in place from schema " + std::to_string(Old) + " to " +
                 std::to_string(SchemaVersion);
  // Incremental vacuum takes a whole VACUUM to switch on, once. The upgrade
  // stands without it (a reader may hold the file meanwhile); the file then
  // keeps its size until a VACUUM.
  try {
    FDatabase->exec("PRAGMA auto_vacuum = INCREMENTAL");
    FDatabase->exec("VACUUM");
  } catch (const SQLite::Exception &) {
  }
}

// A commit is on the disk when it returns: a capture reported as stored
// survives a crash of the machine, not only of the program.
void THistoryStore::UseWriteAheadLog() {
  FDatabase->exec("PRAGMA journal_mode = WAL");
  FDatabase->exec("PRAGMA synchronous = FULL");
}

// SQLite says "disk I/O error" for a disk that is full; the user is told
// what that means.
[[noreturn]] void THistoryStore::Fail(const std::exception &AError) const {
  const int Errno = errno;  // the failed write's, before anything else sets it
  std::string Reason = AError.what();
  const int SQLiteErrno = FDatabase ? sqlite3_system_errno(FDatabase->getHandle()) : 0;
  auto Full = [](int ACode) { return ACode == ENOSPC || ACode == EFBIG || ACode == EDQUOT; };
  if (Full(SQLiteErrno) || (Full(Errno) && std::string_view(Reason).find("I/O") != std::string_view::npos))
    Reason = "the disk is full (" + Reason + ")";
  throw EHistoryError("History \"" + FFileName + "\": " + Reason);
}

std::int64_t THistoryStore::InsertCapture(const TCapture &ACapture) {
  std::string Names = "time, name, profile, ok, error, partial" + FigureColumnList();
  std::string Values = "?, ?, ?, ?, ?, ?";
  for (std::size_t I = 0; I < std::size(IntColumns) + std::size(RealColumns); ++I)
    Values += ", ?";
  SQLite::Statement Insert(*FDatabase, "INSERT INTO capture (" + Names + ") VALUES (" + Values + ")");
  Insert.bind(1, ACapture.Time);
  Insert.bind(2, ACapture.Name);
  BindOptional(Insert, 3, ACapture.Profile.empty() ? std::nullopt : std::optional<std::string>(ACapture.Profile));
  Insert.bind(4, ACapture.Ok ? 1 : 0);
  BindOptional(Insert, 5, ACapture.Ok ? std::nullopt : std::optional<std::string>(ACapture.Error));
  BindOptional(Insert, 6, ACapture.Partial.empty() ? std::nullopt : std::optional<std::string>(ACapture.Partial));
  TCaptureFigures Figures = ACapture.Figures;
  int Index = 7;
  for (const TIntColumn &Column : IntColumns)
    BindOptional(Insert, Index++, Column.Field(Figures));
  for (const TRealColumn &Column : RealColumns)
    BindOptional(Insert, Index++, Column.Field(Figures));
  Insert.exec();
  return FDatabase->getLastInsertRowid();
}

std::int64_t THistoryStore::AddSnapshot(const TDrayData &AData, const std::string &ATime) {
  return AddSnapshot(AData, ATime, AData.Name());
}

std::int64_t THistoryStore::AddSnapshot(const TDrayData &AData, const std::string &ATime, const std::string &AName,
                                        const std::string &APartial) {
  TCapture Capture;
  Capture.Time = ATime;
  Capture.Name = AName;
  Capture.Profile = ProfileName(AData.VDSLProfile());
  Capture.Ok = true;
  Capture.Partial = APartial;
  Capture.Figures = CaptureFiguresOf(AnalyzeLine(AData));
  const std::string Bytes = AData.SaveToBytes();
  const TToneSeries Series = ToneSeriesOf(AData);
  try {
    SQLite::Transaction Transaction(*FDatabase);
    const std::int64_t Id = InsertCapture(Capture);
    InsertSnapshot(Id, Bytes, Capture.Name, Capture.Profile);
    InsertToneSeries(Id, Capture.Profile, Series);
    Transaction.commit();
    return Id;
  } catch (const SQLite::Exception &AError) {
    Fail(AError);
  }
}

std::int64_t THistoryStore::AddFailure(const std::string &ATime, const std::string &AName, const std::string &AError) {
  TCapture Capture;
  Capture.Time = ATime;
  Capture.Name = AName;
  Capture.Error = AError;
  try {
    SQLite::Transaction Transaction(*FDatabase);
    const std::int64_t Id = InsertCapture(Capture);
    Transaction.commit();
    return Id;
  } catch (const SQLite::Exception &AErrorInStore) {
    Fail(AErrorInStore);
  }
}

std::vector<TCapture> THistoryStore::Captures(const std::optional<std::string> &AFrom,
                                              const std::optional<std::string> &ATo) const {
  try {
    const std::string Partial = FSchemaVersion >= PartialSchema ? "partial" : "NULL";
    SQLite::Statement Query(*FDatabase, "SELECT id, time, name, profile, ok, error, " + Partial + FigureColumnList() +
                                            ", s.capture_id IS NOT NULL FROM capture c LEFT JOIN snapshot s ON "
                                            "s.capture_id = c.id WHERE 1" +
                                            RangeCondition(AFrom, ATo) + " ORDER BY time, id");
    BindRange(Query, AFrom, ATo);
    std::vector<TCapture> Captures;
    while (Query.executeStep()) {
      TCapture Capture;
      Capture.Id = Query.getColumn(0).getInt64();
      Capture.Time = Query.getColumn(1).getString();
      Capture.Name = Query.getColumn(2).getString();
      Capture.Profile = Query.getColumn(3).getString();
      Capture.Ok = Query.getColumn(4).getInt() != 0;
      Capture.Error = Query.getColumn(5).getString();
      Capture.Partial = Query.getColumn(6).getString();
      int Index = 7;
      for (const TIntColumn &Column : IntColumns) {
        const SQLite::Column Value = Query.getColumn(Index++);
        if (!Value.isNull())
          Column.Field(Capture.Figures) = Value.getInt64();
      }
      for (const TRealColumn &Column : RealColumns) {
        const SQLite::Column Value = Query.getColumn(Index++);
        if (!Value.isNull())
          Column.Field(Capture.Figures) = Value.getDouble();
      }
      Capture.Stored = Query.getColumn(Index).getInt() != 0;
      Captures.push_back(std::move(Capture));
    }
    return Captures;
  } catch (const SQLite::Exception &AError) {
    Fail(AError);
  }
}

namespace {

// The tones of the successful captures of a profile in a time range.
const char *const ToneSeriesSource = " FROM tones t JOIN capture c ON c.id = t.capture_id "
                                     "WHERE c.ok AND t.profile = :profile";

}  // namespace

bool THistoryStore::IsDatabaseFile(const std::string &AFileName) {
  static constexpr char Header[] = "SQLite format 3";
  std::ifstream File(AFileName, std::ios::binary);
  char Start[sizeof Header] = {};
  return File.read(Start, sizeof Start) && std::equal(Start, Start + sizeof Start, Header);
}

int THistoryStore::ToneSeriesCount(const std::string &AProfile, const std::optional<std::string> &AFrom,
                                   const std::optional<std::string> &ATo) const {
  try {
    SQLite::Statement Query(*FDatabase,
                            std::string("SELECT COUNT(*)") + ToneSeriesSource + RangeCondition(AFrom, ATo));
    Query.bind(":profile", AProfile);
    BindRange(Query, AFrom, ATo);
    Query.executeStep();
    return Query.getColumn(0).getInt();
  } catch (const SQLite::Exception &AError) {
    Fail(AError);
  }
}

void THistoryStore::ForEachToneSeries(const std::string &AProfile, const std::optional<std::string> &AFrom,
                                      const std::optional<std::string> &ATo,
                                      const std::function<void(const TToneSeries &)> &AEach) const {
  try {
    SQLite::Statement Query(*FDatabase, std::string("SELECT t.capture_id, t.snr_group_us, t.snr_group_ds, t.snr_us, t.snr_ds, "
                                                    "t.bits_us, t.bits_ds") +
                                            ToneSeriesSource + RangeCondition(AFrom, ATo) + " ORDER BY c.time, c.id");
    Query.bind(":profile", AProfile);
    BindRange(Query, AFrom, ATo);
    TToneSeries Series;
    while (Query.executeStep()) {
      const std::int64_t Id = Query.getColumn(0).getInt64();
      for (int Side = 0; Side < 2; ++Side) {
        Series.SNRGroupSize[static_cast<std::size_t>(Side)] = Query.getColumn(1 + Side).getInt();
        Series.SNR[static_cast<std::size_t>(Side)] = DecodeSNR(ToneBlob(Id, Query.getColumn(3 + Side)));
        const std::string Bits = ToneBlob(Id, Query.getColumn(5 + Side));
        Series.Bits[static_cast<std::size_t>(Side)].assign(Bits.begin(), Bits.end());
      }
      AEach(Series);
    }
  } catch (const SQLite::Exception &AError) {
    Fail(AError);
  }
}

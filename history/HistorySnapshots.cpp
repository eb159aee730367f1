// How the history store keeps snapshots and per-tone series: compressed,
// a snapshot mostly as what differs from a full one of the same line.
#include "HistoryStore.h"

#include <SQLiteCpp/SQLiteCpp.h>

#include "HistoryError.h"
#include "HistorySql.h"
#include "Zstd.h"

namespace {

// Far above any snapshot the reader can build (a 35B line with bins is about
// 370 KB): a frame that says more is broken, and is not unpacked.
constexpr std::size_t SnapshotLimit = 64u << 20;
// A series holds at most 8192 tones of two bytes.
constexpr std::size_t ToneLimit = 1u << 16;

void BindBytes(SQLite::Statement &AStatement, int AIndex, const std::string &ABytes) {
  AStatement.bind(AIndex, ABytes.data(), static_cast<int>(ABytes.size()));
}

}  // namespace

// The latest full snapshot of the line, while it is the base of fewer than
// FullEvery - 1 others; nullopt when the next one is to be full.
std::optional<std::int64_t> THistoryStore::BaseFor(const std::string &AName, const std::string &AProfile) const {
  SQLite::Statement Latest(*FDatabase, "SELECT s.capture_id FROM snapshot s JOIN capture c ON c.id = s.capture_id "
                                       "WHERE s.base_id IS NULL AND c.name = ? AND c.profile = ? "
                                       "ORDER BY s.capture_id DESC LIMIT 1");
  Latest.bind(1, AName);
  Latest.bind(2, AProfile);
  if (!Latest.executeStep())
    return std::nullopt;
  const std::int64_t Base = Latest.getColumn(0).getInt64();
  SQLite::Statement Users(*FDatabase, "SELECT count(*) FROM snapshot WHERE base_id = ?");
  Users.bind(1, Base);
  Users.executeStep();
  if (Users.getColumn(0).getInt() >= FullEvery - 1)
    return std::nullopt;
  return Base;
}

void THistoryStore::InsertSnapshot(std::int64_t AId, const std::string &ABytes, const std::string &AName,
                                   const std::string &AProfile) {
  const std::optional<std::int64_t> Base = BaseFor(AName, AProfile);
  const std::string Frame = ZstdCompress(ABytes, Base ? std::string_view(FullSnapshot(*Base)) : std::string_view());
  SQLite::Statement Insert(*FDatabase, "INSERT INTO snapshot (capture_id, base_id, size, bytes) VALUES (?, ?, ?, ?)");
  Insert.bind(1, AId);
  if (Base)
    Insert.bind(2, *Base);
  else
    Insert.bind(2);
  Insert.bind(3, static_cast<std::int64_t>(ABytes.size()));
  BindBytes(Insert, 4, Frame);
  Insert.exec();
  if (!Base) {
    FBaseId = AId;
    FBaseBytes = ABytes;
  }
}

void THistoryStore::InsertToneSeries(std::int64_t AId, const std::string &AProfile, const TToneSeries &ASeries) {
  SQLite::Statement Tones(*FDatabase, "INSERT INTO tones (capture_id, profile, snr_group_us, snr_group_ds, "
                                      "snr_us, snr_ds, bits_us, bits_ds) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
  Tones.bind(1, AId);
  Tones.bind(2, AProfile);
  Tones.bind(3, ASeries.SNRGroupSize[0]);
  Tones.bind(4, ASeries.SNRGroupSize[1]);
  for (std::size_t Side = 0; Side < 2; ++Side) {
    const int Index = static_cast<int>(Side);
    BindBytes(Tones, 5 + Index, ZstdCompress(EncodeSNR(ASeries.SNR[Side])));
    const std::vector<std::int8_t> &Bits = ASeries.Bits[Side];
    if (Bits.empty())
      Tones.bind(7 + Index);
    else
      BindBytes(Tones, 7 + Index, ZstdCompress(std::string(Bits.begin(), Bits.end())));
  }
  Tones.exec();
}

[[noreturn]] void THistoryStore::FailToDecode(std::int64_t AId) const {
  throw EHistoryError("Capture " + std::to_string(AId) + " in \"" + FFileName + "\" cannot be decoded");
}

// A base is decoded once for the many snapshots made against it.
const std::string &THistoryStore::FullSnapshot(std::int64_t AId) const {
  if (FBaseId == AId && AId != 0)
    return FBaseBytes;
  SQLite::Statement Query(*FDatabase, "SELECT size, bytes FROM snapshot WHERE capture_id = ? AND base_id IS NULL");
  Query.bind(1, AId);
  if (!Query.executeStep())
    FailToDecode(AId);
  std::string Bytes = DecodeSnapshot(AId, std::nullopt, BlobOf(Query.getColumn(1)), Query.getColumn(0).getInt64());
  FBaseId = AId;
  FBaseBytes = std::move(Bytes);
  return FBaseBytes;
}

std::string THistoryStore::DecodeSnapshot(std::int64_t AId, const std::optional<std::int64_t> &ABase,
                                          std::string_view AFrame, std::int64_t ASize) const {
  const std::string_view Prefix = ABase ? std::string_view(FullSnapshot(*ABase)) : std::string_view();
  std::optional<std::string> Bytes = ZstdDecompress(AFrame, SnapshotLimit, Prefix);
  if (!Bytes || static_cast<std::int64_t>(Bytes->size()) != ASize)
    FailToDecode(AId);
  return std::move(*Bytes);
}

std::string THistoryStore::SnapshotBytes(std::int64_t AId) const {
  try {
    const bool Compressed = FSchemaVersion >= 3;
    SQLite::Statement Query(*FDatabase, Compressed ? "SELECT bytes, base_id, size FROM snapshot WHERE capture_id = ?"
                                                   : "SELECT bytes FROM snapshot WHERE capture_id = ?");
    Query.bind(1, AId);
    if (!Query.executeStep())
      throw EHistoryError("No capture " + std::to_string(AId) + " with a snapshot in \"" + FFileName + "\"");
    std::string Frame = BlobOf(Query.getColumn(0));
    if (!Compressed)
      return Frame;
    const SQLite::Column Base = Query.getColumn(1);
    return DecodeSnapshot(AId, Base.isNull() ? std::nullopt : std::optional<std::int64_t>(Base.getInt64()), Frame,
                          Query.getColumn(2).getInt64());
  } catch (const SQLite::Exception &AError) {
    Fail(AError);
  }
}

std::string THistoryStore::ToneBlob(std::int64_t AId, const SQLite::Column &AColumn) const {
  std::string Stored = BlobOf(AColumn);
  if (FSchemaVersion < 3 || AColumn.isNull())
    return Stored;
  std::optional<std::string> Values = ZstdDecompress(Stored, ToneLimit);
  if (!Values)
    FailToDecode(AId);
  return std::move(*Values);
}

// The snapshots of an older schema, stored whole, stored again as this one
// stores them: in the order they were captured, so that each line gets its
// bases as it would have.
void THistoryStore::RecodeStoredSnapshots() {
  FDatabase->exec("ALTER TABLE snapshot RENAME TO snapshot_old; ALTER TABLE tones RENAME TO tones_old;" +
                  SnapshotSchema() + ToneSchema());
  SQLite::Statement Old(*FDatabase, "SELECT o.capture_id, o.bytes, c.name, c.profile FROM snapshot_old o "
                                    "LEFT JOIN capture c ON c.id = o.capture_id ORDER BY o.capture_id");
  while (Old.executeStep())
    InsertSnapshot(Old.getColumn(0).getInt64(), BlobOf(Old.getColumn(1)), Old.getColumn(2).getString(),
                   Old.getColumn(3).getString());
  RecodeToneSeries();
  FDatabase->exec("DROP TABLE snapshot_old; DROP TABLE tones_old");
}

void THistoryStore::RecodeToneSeries() {
  SQLite::Statement Old(*FDatabase, "SELECT capture_id, profile, snr_group_us, snr_group_ds, snr_us, snr_ds, bits_us, "
                                    "bits_ds FROM tones_old ORDER BY capture_id");
  while (Old.executeStep()) {
    TToneSeries Series;
    for (std::size_t Side = 0; Side < 2; ++Side) {
      const int Index = static_cast<int>(Side);
      Series.SNRGroupSize[Side] = Old.getColumn(2 + Index).getInt();
      Series.SNR[Side] = DecodeSNR(BlobOf(Old.getColumn(4 + Index)));
      const std::string Bits = BlobOf(Old.getColumn(6 + Index));
      Series.Bits[Side].assign(Bits.begin(), Bits.end());
    }
    InsertToneSeries(Old.getColumn(0).getInt64(), Old.getColumn(1).getString(), Series);
  }
}

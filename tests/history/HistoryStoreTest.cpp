// The history database on real files: what a capture keeps and gives back,
// what opening refuses and leaves as it was, reading where nothing may be
// written, a database of the first schema, and that a full disk or a
// read-only folder loses no capture already stored.
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include "HistoryError.h"
#include "HistoryFileChecks.h"
#include "HistoryStore.h"
#include "LineAnalysis.h"
#include "SimulatedSnapshot.h"
#include "TestFiles.h"

namespace {

// Everything a reader gets from a store, one capture a line.
std::string Summary(const THistoryStore &AStore) {
  std::string Text;
  for (const TCapture &Capture : AStore.Captures()) {
    Text += std::to_string(Capture.Id) + " " + Capture.Time + " " + Capture.Name + " " + Capture.Profile +
            (Capture.Ok ? " ok" : " failed: " + Capture.Error) + (Capture.Partial.empty() ? "" : " partial: ") +
            Capture.Partial;
    if (Capture.Ok)
      Text += " " + std::to_string(AStore.SnapshotBytes(Capture.Id).size()) + " bytes";
    Text += "\n";
  }
  return Text + std::to_string(AStore.ToneSeriesCount("17A", {}, {})) + " tone series\n";
}

// The places where nothing may be written: a folder of another user, and a
// read-only mount, which root cannot write either. Each runs a reader in a
// child process there and gives what it returned; nullopt where the place
// cannot be had on this machine.
using TReadOnlyRun = std::function<std::optional<std::string>(const std::filesystem::path &,
                                                                const std::function<std::string()> &)>;
const struct {
  const char *Name;
  TReadOnlyRun Run;
} ReadOnlyPlaces[] = {
    {"a folder of another user",
     [](const std::filesystem::path &AFolder, const std::function<std::string()> &ARun) {
       return std::optional<std::string>(InAReadOnlyFolder(AFolder, ARun));
     }},
    {"read-only media", OnReadOnlyMedia},
};

// Says so where a place could not be had, so that a run shows what it left out.
void NoteMissingPlace(const char *APlace) {
  std::fprintf(stderr, "note: %s cannot be had here; not tried there\n", APlace);
}

// An mtime well in the past, so that any write would move it.
void AgeFile(const std::string &AFile) {
  std::filesystem::last_write_time(AFile, std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));
}

TEST(HistoryStore, KeepsEachCaptureAsCapturedAndGivesItsBytesBack) {
  TTempFolder Folder;
  TDrayData Data("Vigor");
  FillFromSimulatedRouter(Data, vp35b, true);
  Data.SaveToFile(Folder.Path("line.draydata"));
  std::int64_t Ok = 0, Failed = 0;
  {
    THistoryStore Store(Folder.Path("line.tgdb"), THistoryStore::TOpen::CreateIfMissing);
    Ok = Store.AddSnapshot(Data, "2026-12-10T21:00:00Z");
    Failed = Store.AddFailure("2026-12-10T21:05:00Z", "Vigor", "Unable to connect");
  }
  const THistoryStore Store(Folder.Path("line.tgdb"), THistoryStore::TOpen::ReadOnly);
  const std::vector<TCapture> Captures = Store.Captures();
  ASSERT_EQ(Captures.size(), 2u);
  EXPECT_EQ(Captures[0].Id, Ok);
  EXPECT_EQ(Captures[0].Time, "2026-12-10T21:00:00Z");
  EXPECT_EQ(Captures[0].Name, "Vigor");
  EXPECT_EQ(Captures[0].Profile, "35B");
  EXPECT_TRUE(Captures[0].Ok);
  EXPECT_EQ(Captures[0].Figures, CaptureFiguresOf(AnalyzeLine(Data)));
  EXPECT_TRUE(Captures[0].Figures.LineRate.DS.has_value());
  EXPECT_TRUE(Captures[0].Figures.Counters.CRC.Far.has_value());
  EXPECT_EQ(Captures[1].Id, Failed);
  EXPECT_FALSE(Captures[1].Ok);
  EXPECT_EQ(Captures[1].Error, "Unable to connect");
  EXPECT_EQ(Captures[1].Profile, "");
  EXPECT_EQ(Captures[1].Figures, TCaptureFigures{});

  // Byte for byte what the snapshot saver writes.
  EXPECT_EQ(Store.SnapshotBytes(Ok), ReadBytes(Folder.Path("line.draydata")));
  TDrayData Back;
  Back.LoadFromBytes(Store.SnapshotBytes(Ok));
  EXPECT_EQ(Back.ShowBinStatsDS(), Data.ShowBinStatsDS());
  EXPECT_EQ(Back.Stats(), Data.Stats());
  try {
    Store.SnapshotBytes(Failed);
    FAIL() << "a failed capture has no snapshot";
  } catch (const EHistoryError &AError) {
    EXPECT_EQ(std::string(AError.what()),
              "No capture " + std::to_string(Failed) + " with a snapshot in \"" + Folder.Path("line.tgdb") + "\"");
  }
}

TEST(HistoryStore, ListsATimeRangeInTheOrderOfTime) {
  TTempFolder Folder;
  THistoryStore Store(Folder.Path("line.tgdb"), THistoryStore::TOpen::CreateIfMissing);
  for (const char *Time : {"2026-12-10T12:00:00Z", "2026-12-09T12:00:00Z", "2026-12-11T12:00:00Z"})
    Store.AddFailure(Time, "r", "x");
  const struct {
    std::optional<std::string> From, To;
    std::vector<std::string> Times;
  } Cases[] = {
      {{}, {}, {"2026-12-09T12:00:00Z", "2026-12-10T12:00:00Z", "2026-12-11T12:00:00Z"}},
      {"2026-12-10T12:00:00Z", {}, {"2026-12-10T12:00:00Z", "2026-12-11T12:00:00Z"}},
      {{}, "2026-12-10T12:00:00Z", {"2026-12-09T12:00:00Z", "2026-12-10T12:00:00Z"}},
      {"2026-12-10T12:00:01Z", "2026-12-11T11:59:59Z", {}},
  };
  for (const auto &Case : Cases) {
    std::vector<std::string> Times;
    for (const TCapture &Capture : Store.Captures(Case.From, Case.To))
      Times.push_back(Capture.Time);
    EXPECT_EQ(Times, Case.Times) << Case.From.value_or("-") << " " << Case.To.value_or("-");
  }
}

TEST(HistoryStore, OpeningRefusesWhatIsNoHistoryOfOurs) {
  TTempFolder Folder;
  WriteBytes(Folder.Path("notes.txt"), "not a database at all, just text that goes on for a while\n");
  {
    SQLite::Database Other(Folder.Path("other.db"), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    Other.exec("CREATE TABLE t (x)");
  }
  {
    THistoryStore Store(Folder.Path("newer.tgdb"), THistoryStore::TOpen::CreateIfMissing);
  }
  {
    SQLite::Database Newer(Folder.Path("newer.tgdb"), SQLite::OPEN_READWRITE);
    Newer.exec("PRAGMA user_version = " + std::to_string(THistoryStore::SchemaVersion + 1));
  }
  WriteBytes(Folder.Path("empty.tgdb"), "");
  std::filesystem::create_directory(Folder.Path("folder.tgdb"));
  const struct {
    const char *Name;
    std::string Message;
  } Cases[] = {
      {"empty.tgdb", "\"" + Folder.Path("empty.tgdb") + "\" is not a Tonegraph history database"},
      {"notes.txt", "\"" + Folder.Path("notes.txt") + "\" is not a Tonegraph history database"},
      {"other.db", "\"" + Folder.Path("other.db") + "\" is not a Tonegraph history database"},
      {"newer.tgdb", "\"" + Folder.Path("newer.tgdb") + "\" was written by a newer Tonegraph (schema " +
                         std::to_string(THistoryStore::SchemaVersion + 1) + ")"},
      {"missing.tgdb", "Cannot open history \"" + Folder.Path("missing.tgdb") + "\". No such file or directory"},
      {"folder.tgdb", "Cannot open history \"" + Folder.Path("folder.tgdb") + "\". Is a directory"},
  };
  for (const auto &Case : Cases) {
    const std::string File = Folder.Path(Case.Name);
    const bool IsFile = std::filesystem::is_regular_file(File);
    if (IsFile)
      AgeFile(File);
    const std::string Bytes = IsFile ? ReadBytes(File) : "";
    const auto Time = IsFile ? std::filesystem::last_write_time(File) : std::filesystem::file_time_type();
    try {
      THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
      ADD_FAILURE() << Case.Name << " opened";
    } catch (const EHistoryError &AError) {
      EXPECT_EQ(std::string(AError.what()), Case.Message) << Case.Name;
    }
    // Nothing was written into what was refused, nor made in its place.
    EXPECT_EQ(std::filesystem::is_regular_file(File), IsFile) << Case.Name;
    if (IsFile) {
      EXPECT_EQ(ReadBytes(File), Bytes) << Case.Name;
      EXPECT_EQ(std::filesystem::last_write_time(File), Time) << Case.Name;
    }
  }
}

TEST(HistoryStore, NameOutsideAsciiOpensAgain) {
  TTempFolder Folder;
  const std::string File = Folder.Path("Leitung M\u00fcller \u2013 Vigor.tgdb");
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddFailure("2026-12-10T10:00:00Z", "M\u00fcller", "Unable to connect");
  }
  const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
  ASSERT_EQ(Store.Captures().size(), 1u);
  EXPECT_EQ(Store.Captures()[0].Name, "M\u00fcller");
}

// A capture that does not fit on the disk fails whole: the database stays
// sound and keeps every capture stored before it.
TEST(HistoryStore, FullDiskLosesNoEarlierCapture) {
  TTempFolder Folder;
  const std::string File = Folder.Path("line.tgdb");
  TDrayData Small("small");
  FillFromSimulatedRouter(Small, vp8b, false);
  TDrayData Big("big");
  FillFromSimulatedRouter(Big, vp35b, true);
  THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
  Store.AddSnapshot(Small, "2026-12-10T10:00:00Z");
  const std::string Message = WriteErrorOnAFullDisk(std::filesystem::file_size(File) + 8192, [&] {
    Store.AddSnapshot(Big, "2026-12-10T11:00:00Z");
  });
  EXPECT_NE(Message.find("History \"" + File + "\": "), std::string::npos) << Message;
  EXPECT_NE(Message.find("full"), std::string::npos) << Message;
  ASSERT_EQ(Store.Captures().size(), 1u);
  EXPECT_EQ(IntegrityOf(File), "ok");
  TDrayData Back;
  Back.LoadFromBytes(Store.SnapshotBytes(Store.Captures()[0].Id));
  EXPECT_EQ(Back.Name(), "small");
}

TEST(HistoryStore, ReadOnlyFolderSaysSoAndKeepsTheCaptures) {
  TTempFolder Folder;
  const std::string File = Folder.Path("line.tgdb");
  TDrayData Data("kept");
  FillFromSimulatedRouter(Data, vp17a, false);
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddSnapshot(Data, "2026-12-10T10:00:00Z");
  }
  const std::string Message = ErrorInAReadOnlyFolder(Folder.Folder(), [&] {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddSnapshot(Data, "2026-12-10T11:00:00Z");
  });
  EXPECT_NE(Message.find(File), std::string::npos) << Message;
  EXPECT_NE(Message.find("readonly"), std::string::npos) << Message;
  const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
  ASSERT_EQ(Store.Captures().size(), 1u);
  EXPECT_EQ(IntegrityOf(File), "ok");
}

// Where nothing may be written (a folder of another user, read-only media)
// a reader gets every capture: from the file alone when nobody has it open,
// through the writer's index while a watch writes. Nothing is made beside it
// and the file stays as it was. The name needs escaping in SQLite's URIs.
TEST(HistoryStore, ReadOnlyFolderShowsEveryCaptureAndStaysAsItWas) {
  for (const auto &Place : ReadOnlyPlaces) {
    for (const bool WriterOpen : {false, true}) {
      TTempFolder Folder;
      const std::string File = Folder.Path("Leitung 100% M\u00fcller?#x.tgdb");
      TDrayData Data("Vigor");
      FillFromSimulatedRouter(Data, vp17a, false);
      auto Writer = std::make_unique<THistoryStore>(File, THistoryStore::TOpen::CreateIfMissing);
      Writer->AddSnapshot(Data, "2026-12-10T10:00:00Z");
      Writer->AddFailure("2026-12-10T10:05:00Z", "Vigor", "Unable to connect");
      Writer->AddSnapshot(Data, "2026-12-10T10:10:00Z", "Vigor", "no answer to \"vdsl status snr\"");
      if (!WriterOpen)
        Writer.reset();
      const std::string Listing = Folder.Listing(), Bytes = ReadBytes(File);

      const std::optional<std::string> Read = Place.Run(Folder.Folder(), [&] {
        return Summary(THistoryStore(File, THistoryStore::TOpen::ReadOnly));
      });
      if (!Read) {
        NoteMissingPlace(Place.Name);
        continue;
      }

      EXPECT_EQ(Folder.Listing(), Listing) << Place.Name << ", writer open: " << WriterOpen;
      EXPECT_EQ(ReadBytes(File), Bytes) << Place.Name << ", writer open: " << WriterOpen;
      const std::string Expected = "1 2026-12-10T10:00:00Z Vigor 17A ok " + std::to_string(Data.SaveToBytes().size()) +
                                   " bytes\n2 2026-12-10T10:05:00Z Vigor  failed: Unable to connect\n"
                                   "3 2026-12-10T10:10:00Z Vigor 17A ok partial: no answer to \"vdsl status snr\" " +
                                   std::to_string(Data.SaveToBytes().size()) + " bytes\n2 tone series\n";
      EXPECT_EQ(*Read, Expected) << Place.Name << ", writer open: " << WriterOpen;
    }
  }
}

// A log left without its index (a copy that missed the -shm file) holds
// captures that cannot be read where the index cannot be rebuilt: refused
// rather than shown without them.
TEST(HistoryStore, ReadOnlyFolderRefusesALogWithoutItsIndex) {
  for (const auto &Place : ReadOnlyPlaces) {
    TTempFolder Folder;
    const std::string File = Folder.Path("line.tgdb");
    { THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing); }
    {
      SQLite::Database Writer(File, SQLite::OPEN_READWRITE);
      int Kept = 0;
      sqlite3_db_config(Writer.getHandle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, &Kept);
      Writer.exec("INSERT INTO capture (time, name, ok, error) VALUES ('2026-12-10T10:00:00Z', 'r', 0, 'x')");
    }
    ASSERT_GT(std::filesystem::file_size(File + "-wal"), 0u);
    std::filesystem::remove(File + "-shm");

    const std::optional<std::string> Message = Place.Run(Folder.Folder(), [&] {
      return std::to_string(THistoryStore(File, THistoryStore::TOpen::ReadOnly).Captures().size());
    });
    if (!Message) {
      NoteMissingPlace(Place.Name);
      continue;
    }

    EXPECT_EQ(*Message, "Cannot open history \"" + File + "\". Its log \"" + File +
                            "-wal\" cannot be read without \"" + File + "-shm\", which cannot be made there")
        << Place.Name;
    // Where the index can be made, the capture in the log is there.
    EXPECT_EQ(THistoryStore(File, THistoryStore::TOpen::ReadOnly).Captures().size(), 1u) << Place.Name;
  }
}

// A database the first schema wrote (tests/fixtures/history-schema1.tgdb,
// made by the program before partial captures) reads as it is, unchanged,
// and is upgraded in place by the first writer, keeping every capture.
TEST(HistoryStore, FirstSchemaReadsAsItIsAndUpgradesWhenWritten) {
  TTempFolder Folder;
  const std::string File = Folder.Path("old.tgdb");
  const std::string Original = ReadBytes(FixturePath("history-schema1.tgdb"));
  WriteBytes(File, Original);
  AgeFile(File);
  const auto Time = std::filesystem::last_write_time(File);
  std::vector<TCapture> Old;
  {
    const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
    Old = Store.Captures();
  }
  ASSERT_EQ(Old.size(), 2u);
  EXPECT_EQ(Old[0].Profile, "8B");
  EXPECT_TRUE(Old[0].Ok);
  EXPECT_EQ(Old[0].Partial, "");
  EXPECT_EQ(Old[1].Error, "Connection refused");
  EXPECT_EQ(ReadBytes(File), Original);
  EXPECT_EQ(std::filesystem::last_write_time(File), Time);
  EXPECT_EQ(SchemaOf(File), 1);

  TDrayData Data("Vigor");
  FillFromSimulatedRouter(Data, vp8b, false);
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddSnapshot(Data, "2026-12-12T10:00:00Z", "Vigor", "stopped before the end");
  }
  EXPECT_EQ(SchemaOf(File), THistoryStore::SchemaVersion);
  EXPECT_EQ(IntegrityOf(File), "ok");
  const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
  const std::vector<TCapture> Now = Store.Captures();
  ASSERT_EQ(Now.size(), 3u);
  EXPECT_EQ(std::vector<TCapture>(Now.begin(), Now.begin() + 2), Old);
  EXPECT_EQ(Now[2].Partial, "stopped before the end");
  TDrayData Back;
  Back.LoadFromBytes(Store.SnapshotBytes(Old[0].Id));
  EXPECT_EQ(Back.VDSLProfile(), vp8b);
}

// What a database of the second schema holds, read through SQLite itself:
// the snapshot bytes as that program stored them, whole.
std::map<std::int64_t, std::string> WholeSnapshotsOf(const std::string &AFile) {
  SQLite::Database Database(AFile, SQLite::OPEN_READONLY);
  SQLite::Statement Query(Database, "SELECT capture_id, bytes FROM snapshot");
  std::map<std::int64_t, std::string> Snapshots;
  while (Query.executeStep())
    Snapshots[Query.getColumn(0).getInt64()] = Query.getColumn(1).getString();
  return Snapshots;
}

std::vector<TToneSeries> ToneSeriesOf(const THistoryStore &AStore, const std::string &AProfile) {
  std::vector<TToneSeries> All;
  AStore.ForEachToneSeries(AProfile, {}, {}, [&](const TToneSeries &ASeries) { All.push_back(ASeries); });
  return All;
}

// A database the second schema wrote (tests/fixtures/history-schema2.tgdb:
// captures with and without bins, a partial one, a failure) is stored again
// compressed by the first writer, in place, saying so, and gives every
// snapshot back byte for byte; a reader only reads it as it is.
TEST(HistoryStore, SecondSchemaIsStoredAgainCompressedByTheFirstWriter) {
  TTempFolder Folder;
  const std::string File = Folder.Path("old.tgdb");
  const std::string Original = ReadBytes(FixturePath("history-schema2.tgdb"));
  WriteBytes(File, Original);
  const std::map<std::int64_t, std::string> Whole = WholeSnapshotsOf(File);
  ASSERT_EQ(Whole.size(), 4u);
  std::vector<TCapture> Old;
  std::vector<TToneSeries> OldSeries;
  {
    const THistoryStore Store(File, THistoryStore::TOpen::ReadOnly);
    EXPECT_EQ(Store.UpgradeNote(), "");
    Old = Store.Captures();
    OldSeries = ToneSeriesOf(Store, "8B");
    EXPECT_EQ(Store.SnapshotBytes(1), Whole.at(1));
  }
  EXPECT_EQ(ReadBytes(File), Original);
  ASSERT_EQ(Old.size(), 5u);
  ASSERT_EQ(OldSeries.size(), 4u);
  EXPECT_EQ(Old[3].Partial, "no answer to \"vdsl showbins\"; no answer to \"vdsl showbins up\"");

  {
    const THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    EXPECT_EQ(Store.UpgradeNote(), "Upgraded history \"" + File + "\" in place from schema 2 to 3");
  }
  EXPECT_EQ(SchemaOf(File), THistoryStore::SchemaVersion);
  EXPECT_EQ(IntegrityOf(File), "ok");
  EXPECT_LT(std::filesystem::file_size(File), Original.size() / 3);
  const THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
  EXPECT_EQ(Store.UpgradeNote(), "");
  EXPECT_EQ(Store.Captures(), Old);
  for (const auto &[Id, Bytes] : Whole)
    EXPECT_EQ(Store.SnapshotBytes(Id), Bytes) << "capture " << Id;
  EXPECT_EQ(ToneSeriesOf(Store, "8B"), OldSeries);
}

} // namespace

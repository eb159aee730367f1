// The history database on real files: what a capture keeps and gives back,
// what opening refuses, and that a full disk or a read-only folder loses no
// capture already stored.
#include <gtest/gtest.h>

#include <SQLiteCpp/SQLiteCpp.h>

#include "HistoryError.h"
#include "HistoryStore.h"
#include "LineAnalysis.h"
#include "SimulatedSnapshot.h"
#include "TestFiles.h"

namespace {

std::string IntegrityOf(const std::string &AFile) {
  SQLite::Database Database(AFile, SQLite::OPEN_READONLY);
  return Database.execAndGet("PRAGMA integrity_check").getString();
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
  const THistoryStore Store(Folder.Path("line.tgdb"), THistoryStore::TOpen::ExistingOnly);
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
    Newer.exec("PRAGMA user_version = 2");
  }
  std::filesystem::create_directory(Folder.Path("folder.tgdb"));
  const struct {
    const char *Name;
    std::string Message;
  } Cases[] = {
      {"notes.txt", "\"" + Folder.Path("notes.txt") + "\" is not a Tonegraph history database"},
      {"other.db", "\"" + Folder.Path("other.db") + "\" is not a Tonegraph history database"},
      {"newer.tgdb", "\"" + Folder.Path("newer.tgdb") + "\" was written by a newer Tonegraph (schema 2)"},
      {"missing.tgdb", "Cannot open history \"" + Folder.Path("missing.tgdb") + "\". No such file or directory"},
      {"folder.tgdb", "Cannot open history \"" + Folder.Path("folder.tgdb") + "\". Is a directory"},
  };
  for (const auto &Case : Cases) {
    try {
      THistoryStore Store(Folder.Path(Case.Name), THistoryStore::TOpen::ExistingOnly);
      ADD_FAILURE() << Case.Name << " opened";
    } catch (const EHistoryError &AError) {
      EXPECT_EQ(std::string(AError.what()), Case.Message) << Case.Name;
    }
  }
  // Nothing was written into what was refused.
  EXPECT_EQ(ReadBytes(Folder.Path("notes.txt")), "not a database at all, just text that goes on for a while\n");
}

TEST(HistoryStore, NameOutsideAsciiOpensAgain) {
  TTempFolder Folder;
  const std::string File = Folder.Path("Leitung M\u00fcller \u2013 Vigor.tgdb");
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddFailure("2026-12-10T10:00:00Z", "M\u00fcller", "Unable to connect");
  }
  const THistoryStore Store(File, THistoryStore::TOpen::ExistingOnly);
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
  const THistoryStore Store(File, THistoryStore::TOpen::ExistingOnly);
  ASSERT_EQ(Store.Captures().size(), 1u);
  EXPECT_EQ(IntegrityOf(File), "ok");
}

} // namespace

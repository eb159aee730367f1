// A year of a line watched every 30 s (1,051,200 captures) under the default
// retention policy, as the history holds it at the end of that year: every
// capture's key figures, the snapshots of the last week, one an hour for 90
// days, one a day before. Made from eight real captures of a drifting 35B
// line with bins, stored as watch stores them; the rest are copies of them
// laid out as the store lays them out (a full snapshot every 32, the others
// against it), kept where the policy's own plan keeps them.
//
// Each figure is set against reading the same rows with the sqlite3 library
// alone, in the same run: what any reader of the file must at least pay.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <QApplication>
#include <SQLiteCpp/SQLiteCpp.h>
#include <qcustomplot.h>
#include <sqlite3.h>

#include "DrayData.h"
#include "HistoryJson.h"
#include "HistoryState.h"
#include "HistoryStore.h"
#include "HistoryTime.h"
#include "RatioReporter.h"
#include "RetentionPolicy.h"
#include "SimulatedSnapshot.h"
#include "SnapshotList.h"
#include "ThinningPlan.h"
#include "TimelinePage.h"
#include "ToneEnvelope.h"

namespace {

constexpr int Every = 30;
constexpr int Captures = 365 * 86400 / Every;
constexpr int Templates = 8;
constexpr std::int64_t YearEnd = 1796083200;  // 2026-12-01T00:00:00Z
constexpr std::int64_t YearStart = YearEnd - std::int64_t(Captures - 1) * Every;

std::string TempPath(const std::string &AName) {
  return (std::filesystem::temp_directory_path() / (AName + "-" + std::to_string(::getpid()) + ".tgdb")).string();
}


// Ids 1..Templates: the first full, the others against it.
std::string MakeTemplates() {
  const std::string File = TempPath("bench-year-templates");
  THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
  for (int I = 0; I < Templates; ++I) {
    TDrayData Data("bench");
    FillFromSimulatedRouter(Data, vp35b, true, DriftedLine(DemoLine(), I));
    Store.AddSnapshot(Data, UtcTimeText(static_cast<std::time_t>(YearStart)));
  }
  return File;
}

bool IsFull(std::int64_t AId) { return (AId - 1) % THistoryStore::FullEvery == 0; }
std::int64_t TimeOf(std::int64_t AId) { return YearStart + (AId - 1) * Every; }

// Which of the year's snapshots the default policy keeps at its end, by the
// plan thinning itself makes.
std::vector<bool> KeptByPolicy() {
  TThinningPlanner Planner(ParseRetentionPolicy(DefaultRetentionPolicy), YearEnd);
  std::int64_t Full = 1;
  for (std::int64_t Id = 1; Id <= Captures; ++Id) {
    if (IsFull(Id))
      Full = Id;
    Planner.Add({Id, IsFull(Id) ? std::nullopt : std::optional<std::int64_t>(Full), TimeOf(Id), "bench\n35B"});
  }
  std::vector<bool> Kept(Captures + 1, true);
  for (const std::int64_t Id : Planner.Finish().Drop)
    Kept[static_cast<std::size_t>(Id)] = false;
  return Kept;
}

std::string ColumnsOf(SQLite::Database &ADatabase, const std::string &ATable) {
  std::string Columns;
  SQLite::Statement Info(ADatabase, "PRAGMA table_info(" + ATable + ")");
  while (Info.executeStep()) {
    const std::string Name = Info.getColumn(1).getString();
    if (Name != "id" && Name != "time")
      Columns += ", " + Name;
  }
  return Columns;
}

void FillYear(const std::string &AFile, const std::string &ATemplates) {
  { THistoryStore Store(AFile, THistoryStore::TOpen::CreateIfMissing); }
  const std::vector<bool> Kept = KeptByPolicy();
  SQLite::Database Database(AFile, SQLite::OPEN_READWRITE);
  Database.exec("ATTACH '" + ATemplates + "' AS t");
  const std::string Columns = ColumnsOf(Database, "capture");
  SQLite::Transaction Transaction(Database);
  Database.exec("INSERT INTO capture (id, time" + Columns + ") WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                "FROM n WHERE i < " + std::to_string(Captures) + ") SELECT n.i, strftime('%Y-%m-%dT%H:%M:%SZ', " +
                std::to_string(YearStart) + " + (n.i - 1) * " + std::to_string(Every) + ", 'unixepoch')" + Columns +
                " FROM n JOIN t.capture c ON c.id = 1 + n.i % " + std::to_string(Templates));
  SQLite::Statement Snapshot(Database, "INSERT INTO snapshot SELECT ?, ?, size, bytes FROM t.snapshot WHERE capture_id = ?");
  SQLite::Statement Tones(Database, "INSERT INTO tones SELECT ?, profile, snr_group_us, snr_group_ds, snr_us, snr_ds, "
                                    "bits_us, bits_ds FROM t.tones WHERE capture_id = ?");
  std::int64_t Full = 1;
  for (std::int64_t Id = 1; Id <= Captures; ++Id) {
    if (IsFull(Id))
      Full = Id;
    if (!Kept[static_cast<std::size_t>(Id)])
      continue;
    const std::int64_t Template = IsFull(Id) ? 1 : 2 + Id % (Templates - 1);
    Snapshot.bind(1, Id);
    if (IsFull(Id))
      Snapshot.bind(2);
    else
      Snapshot.bind(2, Full);
    Snapshot.bind(3, Template);
    Snapshot.exec();
    Snapshot.reset();
    Tones.bind(1, Id);
    Tones.bind(2, Template);
    Tones.exec();
    Tones.reset();
  }
  Transaction.commit();
  Database.exec("DETACH t");
  Database.exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

double FillSeconds = 0;

const std::string &Year() {
  static const std::string File = [] {
    const auto Start = std::chrono::steady_clock::now();
    const std::string TemplateFile = MakeTemplates();
    const std::string Made = TempPath("bench-year");
    FillYear(Made, TemplateFile);
    std::filesystem::remove(TemplateFile);
    FillSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    return Made;
  }();
  return File;
}

std::string TimeText(std::int64_t ATime) { return UtcTimeText(static_cast<std::time_t>(ATime)); }
const std::string DayFrom = TimeText(YearEnd - 86400 / 2 - 86400 * 3), DayTo = TimeText(YearEnd - 86400 * 3 + 86400 / 2);
const std::string MonthFrom = TimeText(YearEnd - 30 * 86400), MonthTo = TimeText(YearEnd);

// What the baselines read: rows through the sqlite3 library, each column
// touched once.
std::size_t ReadRows(const std::string &ASql) {
  sqlite3 *Database = nullptr;
  sqlite3_open_v2(Year().c_str(), &Database, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt *Statement = nullptr;
  sqlite3_prepare_v2(Database, ASql.c_str(), -1, &Statement, nullptr);
  std::size_t Bytes = 0;
  while (sqlite3_step(Statement) == SQLITE_ROW)
    for (int Column = 0; Column < sqlite3_column_count(Statement); ++Column)
      Bytes += static_cast<std::size_t>(sqlite3_column_bytes(Statement, Column));
  sqlite3_finalize(Statement);
  sqlite3_close(Database);
  return Bytes;
}

void BM_HistoryJsonOfADay(benchmark::State &AState) {
  for (auto _ : AState) {
    const THistoryStore Store(Year(), THistoryStore::TOpen::ReadOnly);
    const std::string Json = CapturesJson(Store.Captures(DayFrom, DayTo));
    benchmark::DoNotOptimize(Json.size());
  }
}

void BM_BaselineRowsOfADay(benchmark::State &AState) {
  for (auto _ : AState)
    benchmark::DoNotOptimize(ReadRows("SELECT * FROM capture WHERE time >= '" + DayFrom + "' AND time <= '" + DayTo +
                                      "' ORDER BY time, id"));
}

void BM_EnvelopeOfAMonth(benchmark::State &AState) {
  for (auto _ : AState) {
    const THistoryStore Store(Year(), THistoryStore::TOpen::ReadOnly);
    TEnvelopeBuilder Builder("35B");
    Store.ForEachToneSeries("35B", MonthFrom, MonthTo, [&](const TToneSeries &ASeries) { Builder.Add(ASeries); });
    benchmark::DoNotOptimize(Builder.Envelope().Captures);
  }
}

void BM_BaselineTonesOfAMonth(benchmark::State &AState) {
  for (auto _ : AState)
    benchmark::DoNotOptimize(ReadRows("SELECT t.* FROM tones t JOIN capture c ON c.id = t.capture_id WHERE c.time >= '" +
                                      MonthFrom + "' AND c.time <= '" + MonthTo + "' ORDER BY c.time, c.id"));
}

// As the window opens a history: every capture for the timeline, the latest
// snapshots into the list.
void BM_OpenInTheWindow(benchmark::State &AState) {
  for (auto _ : AState) {
    THistoryState History;
    History.Open(Year());
    TSnapshotList List;
    const THistoryJoin Join = History.ReadSnapshots(List, [] { return true; });
    if (Join.Snapshots.size() != THistoryState::ListLimit)
      AState.SkipWithError("the list did not get its snapshots");
  }
}

void BM_BaselineAllCaptureRows(benchmark::State &AState) {
  for (auto _ : AState)
    benchmark::DoNotOptimize(ReadRows("SELECT * FROM capture ORDER BY time, id"));
}

// The whole year on the Timeline page, until drawn.
void BM_TimelineOfTheYear(benchmark::State &AState) {
  THistoryState History;
  History.Open(Year());
  TTimelinePage Page;
  Page.resize(1200, 800);
  for (auto _ : AState) {
    const TTimeline Timeline = TimelineOf(History.Captures());
    Page.ShowTimeline(&Timeline);
    Page.findChild<QCustomPlot *>()->replot(QCustomPlot::rpImmediateRefresh);
  }
}

BENCHMARK(BM_HistoryJsonOfADay)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BaselineRowsOfADay)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_EnvelopeOfAMonth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BaselineTonesOfAMonth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_OpenInTheWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BaselineAllCaptureRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_TimelineOfTheYear)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

double Megabytes(std::uintmax_t ABytes) { return static_cast<double>(ABytes) / 1e6; }

// 200 captures of the drifting line stored as watch stores them: the whole
// file after a checkpoint per capture, and the snapshot's own size.
std::pair<double, double> BytesPerCapture() {
  constexpr int Count = 200;
  const std::string File = TempPath("bench-drift");
  double Whole = 0;
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    for (int I = 0; I < Count; ++I) {
      TDrayData Data("bench");
      FillFromSimulatedRouter(Data, vp35b, true, DriftedLine(DemoLine(), I));
      Whole += static_cast<double>(Data.SaveToBytes().size());
      Store.AddSnapshot(Data, TimeText(YearEnd + I * Every));
    }
  }
  SQLite::Database(File, SQLite::OPEN_READWRITE).exec("PRAGMA wal_checkpoint(TRUNCATE)");
  const double Size = static_cast<double>(std::filesystem::file_size(File));
  std::filesystem::remove(File);
  return {Size / Count, Whole / Count};
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  const auto [PerCapture, Snapshot] = BytesPerCapture();
  const std::uintmax_t Size = std::filesystem::file_size(Year());
  std::printf("a year of %d captures every %d s under %s, made in %.0f s\n", Captures, Every, DefaultRetentionPolicy,
              FillSeconds);
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintFigureHeading("200 captures of a drifting 35B line with bins, the file per capture against a snapshot file",
                     "file size");
  PrintFigure("history_bytes_per_capture", PerCapture, "B", Snapshot);
  PrintFigureHeading("the same against the 16 KB a capture may take (goal: ratio at most 1)", "file size");
  PrintFigure("history_bytes_per_capture_goal", PerCapture, "B", 16384.0);
  PrintFigureHeading("the history of a year against the 3 GB it may take (goal: ratio at most 1)", "file size");
  PrintFigure("history_year_size", Megabytes(Size), "MB", 3000.0);
  PrintFigureHeading("a year's history read as the CLI and the window read it, against its rows read with sqlite3",
                     "wall clock");
  PrintFigure("history_json_one_day", Reporter.WallMicroseconds("BM_HistoryJsonOfADay"), "us",
              Reporter.WallMicroseconds("BM_BaselineRowsOfADay"));
  PrintFigure("envelope_one_month", Reporter.WallMicroseconds("BM_EnvelopeOfAMonth"), "us",
              Reporter.WallMicroseconds("BM_BaselineTonesOfAMonth"));
  PrintFigure("open_year_in_window", Reporter.WallMicroseconds("BM_OpenInTheWindow"), "us",
              Reporter.WallMicroseconds("BM_BaselineAllCaptureRows"));
  PrintFigure("timeline_year_drawn", Reporter.WallMicroseconds("BM_TimelineOfTheYear"), "us",
              Reporter.WallMicroseconds("BM_BaselineAllCaptureRows"));
  PrintFigureHeading("goals on the wall clock: each at most 1 s (ratio to 1 s at most 1)", "wall clock");
  for (const auto &[Name, Function] : {std::pair{"envelope_one_month_goal", "BM_EnvelopeOfAMonth"},
                                       std::pair{"open_year_in_window_goal", "BM_OpenInTheWindow"},
                                       std::pair{"timeline_year_drawn_goal", "BM_TimelineOfTheYear"}})
    PrintFigure(Name, Reporter.WallMicroseconds(Function), "us", 1e6);
  for (const char *Part : {"", "-wal", "-shm"})
    std::filesystem::remove(Year() + Part);
  benchmark::Shutdown();
  return 0;
}

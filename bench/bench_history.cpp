// The envelope of a history: per tone the range of SNR and bits over 10,000
// captures of a 35B line with bins, against reading the database file once
// in the same run. The database is made once: one capture stored as watch
// stores it, then copied row by row in SQL (the analysis of each capture is
// not what is measured here).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <SQLiteCpp/SQLiteCpp.h>

#include "DrayData.h"
#include "HistoryStore.h"
#include "RatioReporter.h"
#include "SimulatedSnapshot.h"
#include "ToneEnvelope.h"

namespace {

constexpr int CaptureCount = 10000;

std::string MakeDatabase() {
  const std::string File =
      (std::filesystem::temp_directory_path() / ("bench-history-" + std::to_string(::getpid()) + ".tgdb")).string();
  TDrayData Data("bench");
  FillFromSimulatedRouter(Data, vp35b, true);
  {
    THistoryStore Store(File, THistoryStore::TOpen::CreateIfMissing);
    Store.AddSnapshot(Data, "2026-01-01T00:00:00Z");
  }
  SQLite::Database Database(File, SQLite::OPEN_READWRITE);
  SQLite::Transaction Transaction(Database);
  Database.exec("CREATE TEMP TABLE n (i INTEGER PRIMARY KEY)");
  Database.exec("WITH RECURSIVE c(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM c WHERE i < " +
                std::to_string(CaptureCount) + ") INSERT INTO n SELECT i FROM c");
  Database.exec("INSERT INTO capture SELECT n.i, strftime('%Y-%m-%dT%H:%M:%SZ', '2026-01-01', '+' || (n.i * 5) || "
                "' minutes'), name, profile, ok, error" +
                std::string(", us_actual_rate, ds_actual_rate, us_attainable_rate, ds_attainable_rate, us_line_rate, "
                            "ds_line_rate, elapsed_near, elapsed_far, crc_near, crc_far, fec_near, fec_far, es_near, "
                            "es_far, ses_near, ses_far, uas_near, uas_far, us_snr_margin, ds_snr_margin, "
                            "us_attenuation, ds_attenuation, partial") +
                " FROM capture, n WHERE capture.id = 1");
  Database.exec("INSERT INTO snapshot SELECT n.i, base_id, size, bytes FROM snapshot, n WHERE capture_id = 1");
  Database.exec("INSERT INTO tones SELECT n.i, profile, snr_group_us, snr_group_ds, snr_us, snr_ds, bits_us, bits_ds "
                "FROM tones, n WHERE capture_id = 1");
  Transaction.commit();
  return File;
}

const std::string &Database() {
  static const std::string File = MakeDatabase();
  return File;
}

void BM_Envelope(benchmark::State &AState) {
  for (auto _ : AState) {
    const THistoryStore Store(Database(), THistoryStore::TOpen::ReadOnly);
    TEnvelopeBuilder Builder("35B");
    Store.ForEachToneSeries("35B", {}, {}, [&](const TToneSeries &ASeries) { Builder.Add(ASeries); });
    const TToneEnvelope Envelope = Builder.Envelope();
    if (Envelope.Captures != CaptureCount)
      AState.SkipWithError("the envelope did not see every capture");
    benchmark::DoNotOptimize(Envelope.Tones[4000]);
  }
}

void BM_BaselineReadDatabaseFile(benchmark::State &AState) {
  std::vector<char> Buffer(1 << 20);
  std::size_t Bytes = 0;
  for (auto _ : AState) {
    std::ifstream In(Database(), std::ios::binary);
    while (In.read(Buffer.data(), static_cast<std::streamsize>(Buffer.size())) || In.gcount() > 0)
      Bytes += static_cast<std::size_t>(In.gcount());
  }
  benchmark::DoNotOptimize(Bytes);
}

BENCHMARK(BM_Envelope)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_BaselineReadDatabaseFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  std::printf("history of %d captures of a 35B line with bins: %.0f MB\n", CaptureCount,
              static_cast<double>(std::filesystem::file_size(Database())) / 1e6);
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintFigureHeading("history --envelope over every capture, against reading the database file once", "wall clock");
  PrintFigure("envelope_10000_captures", Reporter.WallMicroseconds("BM_Envelope"), "us",
              Reporter.WallMicroseconds("BM_BaselineReadDatabaseFile"));
  std::filesystem::remove(Database());
  benchmark::Shutdown();
  return 0;
}

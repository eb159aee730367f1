// Line data speed: rebuilding every table of a full-size 35B snapshot from its
// raw text, and loading that snapshot from its file. Each is printed next to a
// baseline over the same bytes (counting lines with memchr), measured in the
// same run, as MB/s and as a ratio, so that the figures travel between machines.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "DrayData.h"
#include "RatioReporter.h"

namespace {

// 512 groups of 16 tones per direction: "bin=" lines of eight values each.
TTextLines StatAnswer(const char *AUnit, int ABase) {
  TTextLines Lines = {"DrayTek> vdsl status", "  NumOfToneGroup :   512   512", "  GroupSize      :    16    16",
                      std::string(" US: (") + AUnit + ")"};
  char Line[128];
  for (int Direction = 0; Direction < 2; ++Direction) {
    if (Direction == 1) {
      Lines.push_back("");
      Lines.push_back(std::string(" DS: (") + AUnit + ")");
    }
    for (int First = 0; First < 512; First += 8) {
      int Used = std::snprintf(Line, sizeof Line, "bin=%4d:", First);
      for (int G = First; G < First + 8; ++G)
        Used += std::snprintf(Line + Used, sizeof Line - Used, " %4d,", ABase - (G * 7 + Direction * 13) % 60);
      Lines.emplace_back(Line, Used);
    }
  }
  Lines.push_back("DrayTek> ");
  return Lines;
}

// 8192 tones, four to a line, under the listing's title and header lines.
TTextLines BinsListing(const char *ATitle) {
  TTextLines Lines = {ATitle, std::string(77, '-'),
                      " Bin  SNR Gain Bi -  Bin  SNR Gain Bi -  Bin  SNR Gain Bi -  Bin  SNR Gain Bi",
                      "       dB .1dB ts -        dB .1dB ts -        dB .1dB ts -        dB .1dB ts",
                      "---- ---- ---- -- - ---- ---- ---- -- - ---- ---- ---- -- - ---- ---- ---- --"};
  char Line[128];
  for (int First = 0; First < 8192; First += 4) {
    int Used = 0;
    for (int Tone = First; Tone < First + 4; ++Tone)
      Used += std::snprintf(Line + Used, sizeof Line - Used, "%s%4d %4d %4d %2d", Tone == First ? "" : " *  ", Tone,
                            20 + Tone % 37, (Tone % 5) * 7 - 14, Tone % 15);
    Lines.emplace_back(Line, Used);
  }
  return Lines;
}

struct TFullSnapshot {
  TDrayData Data{"bench 35B"};
  std::string RawBytes;   // the text form of every raw list the rebuild reads
  std::string FileName;
  std::string FileBytes;

  TFullSnapshot() {
    Data.SetVDSLProfile(vp35b);
    Data.SetHLogData(StatAnswer("dB", -20));
    Data.SetQLNData(StatAnswer("dBm/Hz", -110));
    Data.SetSNRData(StatAnswer("dB", 55));
    Data.SetBinStatsDSRaw(BinsListing("DOWNSTREAM :"));
    Data.SetBinStatsUSRaw(BinsListing("UPSTREAM :"));
    for (const TTextLines *Raw : {&Data.HLogUSRaw(), &Data.HLogDSRaw(), &Data.QLNUSRaw(), &Data.QLNDSRaw(),
                                  &Data.SNRUSRaw(), &Data.SNRDSRaw(), &Data.BinStatsUSRaw(), &Data.BinStatsDSRaw()})
      RawBytes += TextOf(*Raw);
    FileName = (std::filesystem::temp_directory_path() / ("bench-linedata-" + std::to_string(::getpid()) + ".draydata")).string();
    Data.SaveToFile(FileName);
    std::ifstream In(FileName, std::ios::binary);
    FileBytes.assign(std::istreambuf_iterator<char>(In), {});
  }
  ~TFullSnapshot() { std::filesystem::remove(FileName); }
};

TFullSnapshot &Snapshot() {
  static TFullSnapshot Full;
  return Full;
}

void BM_RebuildAllTables(benchmark::State &AState) {
  TDrayData &Data = Snapshot().Data;
  for (auto _ : AState) {
    for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream}) {
      Data.ParseHLogStats(Direction);
      Data.ParseQLNStats(Direction);
      Data.ParseSNRStats(Direction);
      Data.ParseBinStats(Direction);
    }
    benchmark::DoNotOptimize(Data.ShowBinStatsDS()[8191]);
  }
  AState.SetBytesProcessed(static_cast<std::int64_t>(AState.iterations() * Snapshot().RawBytes.size()));
}

void BM_BaselineRawLines(benchmark::State &AState) {
  const std::string &Bytes = Snapshot().RawBytes;
  for (auto _ : AState)
    benchmark::DoNotOptimize(CountLines(Bytes));
  AState.SetBytesProcessed(static_cast<std::int64_t>(AState.iterations() * Bytes.size()));
}

void BM_LoadFromFile(benchmark::State &AState) {
  for (auto _ : AState) {
    TDrayData Loaded;
    Loaded.LoadFromFile(Snapshot().FileName);
    benchmark::DoNotOptimize(Loaded.ShowBinStatsUS()[8191]);
  }
  AState.SetBytesProcessed(static_cast<std::int64_t>(AState.iterations() * Snapshot().FileBytes.size()));
}

void BM_BaselineFileLines(benchmark::State &AState) {
  const std::string &Bytes = Snapshot().FileBytes;
  for (auto _ : AState)
    benchmark::DoNotOptimize(CountLines(Bytes));
  AState.SetBytesProcessed(static_cast<std::int64_t>(AState.iterations() * Bytes.size()));
}

// Heap held by one loaded snapshot, over 100 of them: what a long list of
// snapshots costs in the window and a timeline costs in history.
double MegabytesPerLoadedSnapshot() {
  constexpr int Count = 100;
  const std::size_t Before = mallinfo2().uordblks;
  {
    std::vector<std::unique_ptr<TDrayData>> Loaded;
    for (int I = 0; I < Count; ++I) {
      Loaded.push_back(std::make_unique<TDrayData>());
      Loaded.back()->LoadFromFile(Snapshot().FileName);
    }
    const std::size_t Held = mallinfo2().uordblks - Before;
    return static_cast<double>(Held) / Count / 1e6;
  }
}

BENCHMARK(BM_RebuildAllTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineRawLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineFileLines)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  std::printf("35B snapshot: %zu bytes of raw text, snapshot file of %zu bytes\n", Snapshot().RawBytes.size(),
              Snapshot().FileBytes.size());
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintFigureHeading("35B snapshot with bins, against a memchr line count of the same bytes", "CPU time");
  PrintFigure("rebuild_all_tables", Reporter.MegabytesPerSecond("BM_RebuildAllTables"), "MB/s",
              Reporter.MegabytesPerSecond("BM_BaselineRawLines"));
  PrintFigure("load_from_file", Reporter.MegabytesPerSecond("BM_LoadFromFile"), "MB/s",
              Reporter.MegabytesPerSecond("BM_BaselineFileLines"));
  PrintFigureHeading("heap held per loaded 35B snapshot with bins, against its raw text", "bytes, not time");
  PrintFigure("memory_per_snapshot", MegabytesPerLoadedSnapshot(), "MB",
              static_cast<double>(Snapshot().RawBytes.size()) / 1e6);
  benchmark::Shutdown();
  return 0;
}

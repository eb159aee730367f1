// Line analysis speed: the whole analysis of a full-size 35B snapshot with
// bins (status figures, bit and SNR figures, the kl0 fit, the search for a
// bridged tap over every branch length the spectrum can show, disturbers,
// findings), against a baseline over the same snapshot's raw text measured in
// the same run: counting its lines with memchr. Both in CPU time per run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "BridgedTap.h"
#include "DrayData.h"
#include "LineAnalysis.h"
#include "RatioReporter.h"

namespace {

constexpr int Group = 16;
constexpr double ToneHz = 4312.5;

// A 600 m loop with a 30 m tap, and two stations in the noise.
double HLogAt(int ATone) {
  const double Hz = ATone * ToneHz;
  return -9 * std::sqrt(Hz / 1e6) + BridgedTapLossDb(Hz, 30, {0.67, 15.2}) + 0.4 * std::sin(ATone * 0.7);
}

double QLNAt(int ATone) {
  const double Hz = ATone * ToneHz;
  double Level = -135 + std::sin(ATone * 1.3);
  for (const double Station : {7.1e6, 21.2e6})
    if (std::fabs(Hz - Station) < Group * ToneHz)
      Level += 20;
  return Level;
}

bool Upstream(int ATone) { return ATone < 33 || (ATone >= 870 && ATone < 1206) || (ATone >= 1972 && ATone < 2783); }

TTextLines StatAnswer(const char *AUnit, double (*AValue)(int)) {
  TTextLines Lines = {"DrayTek> vdsl status", "  NumOfToneGroup :   512   512", "  GroupSize      :    16    16",
                      std::string(" US: (") + AUnit + ")"};
  char Line[128];
  for (const bool Up : {true, false}) {
    if (!Up) {
      Lines.push_back("");
      Lines.push_back(std::string(" DS: (") + AUnit + ")");
    }
    for (int First = 0; First < 512; First += 8) {
      int Used = std::snprintf(Line, sizeof Line, "bin=%4d:", First);
      for (int Entry = First; Entry < First + 8; ++Entry) {
        const int Tone = Entry * Group;
        if (Tone >= 6 && Upstream(Tone) == Up)
          Used += std::snprintf(Line + Used, sizeof Line - Used, " %4ld,", std::lround(AValue(Tone)));
        else
          Used += std::snprintf(Line + Used, sizeof Line - Used, "     ,");
      }
      Lines.emplace_back(Line, static_cast<std::size_t>(Used));
    }
  }
  Lines.push_back("DrayTek> ");
  return Lines;
}

double SNRAt(int ATone) { return 50 + HLogAt(ATone) / 2; }

TTextLines BinsListing(const char *ATitle, bool AUp) {
  TTextLines Lines = {ATitle, std::string(77, '-')};
  char Line[128];
  for (int First = 0; First < 8192; First += 4) {
    int Used = 0;
    for (int Tone = First; Tone < First + 4; ++Tone) {
      const int Bits = Tone >= 6 && Upstream(Tone) == AUp ? static_cast<int>(std::lround(SNRAt(Tone) / 4)) : 0;
      Used += std::snprintf(Line + Used, sizeof Line - Used, "%s%4d %4d %4d %2d", Tone == First ? "" : " *  ", Tone,
                            static_cast<int>(SNRAt(Tone)), 0, Bits);
    }
    Lines.emplace_back(Line, static_cast<std::size_t>(Used));
  }
  return Lines;
}

const TTextLines StatusText = {
    "  Running Mode            :      35B       State                : SHOWTIME",
    "  DS Actual Rate          :297737000 bps   US Actual Rate       : 46996000 bps",
    "  DS Attainable Rate      :345155176 bps   US Attainable Rate   : 55164000 bps",
    "  NE Current Attenuation  :        4 dB    Cur SNR Margin       :       17  dB",
    "  Far Current Attenuation :        2 dB    Far SNR Margin       :        9  dB",
    " [ Counters: Showtime ]",
    "                  Near End        Far End    Note",
    " ElapsedTime  :   145464            145464 (seconds)",
    " CRC          :      6               0",
    " ES           :      0             999"};

struct TFullSnapshot {
  TDrayData Data{"bench 35B"};
  std::string RawBytes;  // the status text and every raw list, as text

  TFullSnapshot() {
    Data.SetVDSLProfile(vp35b);
    Data.AddStatData({}, &StatusText);
    Data.SetHLogData(StatAnswer("dB", HLogAt));
    Data.SetQLNData(StatAnswer("dBm/Hz", QLNAt));
    Data.SetSNRData(StatAnswer("dB", SNRAt));
    Data.SetBinStatsDSRaw(BinsListing("DOWNSTREAM :", false));
    Data.SetBinStatsUSRaw(BinsListing("UPSTREAM :", true));
    RawBytes = TextOf(Data.Stats());
    for (const TTextLines *Raw : {&Data.HLogUSRaw(), &Data.HLogDSRaw(), &Data.QLNUSRaw(), &Data.QLNDSRaw(),
                                  &Data.SNRUSRaw(), &Data.SNRDSRaw(), &Data.BinStatsUSRaw(), &Data.BinStatsDSRaw()})
      RawBytes += TextOf(*Raw);
  }
};

TFullSnapshot &Snapshot() {
  static TFullSnapshot Full;
  return Full;
}

void BM_AnalyzeLine(benchmark::State &AState) {
  for (auto _ : AState) {
    TLineAnalysis Analysis = AnalyzeLine(Snapshot().Data);
    benchmark::DoNotOptimize(Analysis.Findings.data());
  }
}

void BM_BaselineRawLines(benchmark::State &AState) {
  for (auto _ : AState)
    benchmark::DoNotOptimize(CountLines(Snapshot().RawBytes));
}

BENCHMARK(BM_AnalyzeLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineRawLines)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  std::printf("35B snapshot with bins: %zu bytes of status and raw text\n", Snapshot().RawBytes.size());
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintFigureHeading("line analysis of a 35B snapshot with bins, against a memchr line count of its text",
                     "CPU time");
  PrintFigure("analyze_35b_with_bins", Reporter.Microseconds("BM_AnalyzeLine"), "us",
              Reporter.Microseconds("BM_BaselineRawLines"));
  benchmark::Shutdown();
  return 0;
}

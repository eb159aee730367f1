// The window draws each group of a snapshot while the reader fills the next
// one, without taking any lock. This reads the tables exactly as the charts
// and the status view do, on the thread that runs the posted requests, while
// a real reader runs against the simulated router; the ThreadSanitizer build
// runs it and reports any read that races with the reader's writes.

#include <gtest/gtest.h>

#include <cstdint>

#include "DrayData.h"
#include "RetrievalRun.h"
#include "RetrievalView.h"
#include "RouterSim.h"

namespace {

std::int64_t Sum(const TDrayStatArray &ATable, std::uint8_t AGroupSize) {
  std::int64_t Total = AGroupSize;
  for (const TStatValue &Value : ATable)
    Total += Value.IsNull() ? 1 : Value.AsInteger();
  return Total;
}

std::int64_t Sum(const TDrayBinArray &ATable) {
  std::int64_t Total = 0;
  for (const TDrayBinEntry &Entry : ATable)
    Total += Entry.ToneBits + Entry.Gain + Entry.SNR;
  return Total;
}

// What the window's charts and texts read for each request, summed up so the
// reads cannot be optimised away.
class TChartLikeView : public IRetrievalView {
public:
  std::int64_t Seen = 0;
  int Plots = 0;

  void SetStatusText(const std::string &AText) override { Seen += static_cast<std::int64_t>(AText.size()); }
  void Progress(int AStep, int ASteps, const std::string &) override { Seen += AStep + ASteps; }
  void UpdateProfileLabel(TVDSLProfile AProfile) override { Seen += AProfile; }
  void DisplayTextData(TDrayData *AData) override {
    for (const std::string_view Line : AData->Stats())
      Seen += static_cast<std::int64_t>(Line.size());
  }
  void GroupStored(TDrayKind AKind, TDrayData *AData) override {
    if (AKind == TDrayKind::Bins) {
      PlotBins(*AData);
      return;
    }
    const TStatMultipliers Groups = AData->Multipliers(AKind);
    Plot(AData->StatTable(AKind, TDirection::Upstream), AData->StatTable(AKind, TDirection::Downstream), Groups,
         *AData);
  }

private:
  void Plot(const TDrayStatArray &AUS, const TDrayStatArray &ADS, TStatMultipliers AGroups,
            const TDrayData &AData) {
    Seen += AData.VDSLProfile() + Sum(AUS, AGroups[0]) + Sum(ADS, AGroups[1]);
    ++Plots;
  }
  void PlotBins(const TDrayData &AData) {
    Seen += AData.VDSLProfile() + Sum(AData.ShowBinStatsUS()) + Sum(AData.ShowBinStatsDS());
    ++Plots;
  }
};

TEST(HandOver, ChartsReadEachGroupWhileTheReaderFillsTheNext) {
  TRouterSimOptions Options;
  Options.Profile = vp35b;
  TRouterSim Sim(Options);
  Sim.Start();
  TRetrievalRequest Request;
  Request.Host = "127.0.0.1";
  Request.Port = Sim.Port();
  Request.User = Options.User;
  Request.Password = Options.Password;
  Request.Bins = true;
  TChartLikeView View;
  for (int Run = 0; Run < 3; ++Run) {
    TDrayData Data("hand-over");
    const TRetrievalOutcome Outcome = RunRetrieval(Request, Data, &View);
    ASSERT_EQ(Outcome.End, TRetrievalEnd::Complete) << Outcome.Reason;
  }
  // Per run: HLog, QLN, SNR, then both bins listings as one group.
  EXPECT_EQ(View.Plots, 3 * 4);
  EXPECT_NE(View.Seen, 0);
}

} // namespace

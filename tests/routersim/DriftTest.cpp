// A drifting simulated line: each connection sees the line as it stands
// then, the same for the same connection, so that a history of captures has
// something to show and tests can count on what.
#include <gtest/gtest.h>

#include <cmath>

#include "DrayData.h"
#include "LineModel.h"
#include "ReportedFigures.h"
#include "RetrievalRun.h"
#include "RouterSim.h"

namespace {

TEST(Drift, CrosstalkMarginAndAStationChangeFromCaptureToCapture) {
  const TLineSetup Base = DemoLine();
  long long PreviousBits = -1;
  for (int Capture = 0; Capture < 6; ++Capture) {
    const TLineSetup Line = DriftedLine(Base, Capture);
    EXPECT_EQ(Line, DriftedLine(Base, Capture)) << Capture;
    EXPECT_LE(std::fabs(Line.NoiseShiftDb), 3.0) << Capture;
    EXPECT_EQ(Line.Disturbers.size(), Base.Disturbers.size() + (Capture % 2)) << Capture;
    const TLineModel Model(vp17a, Line);
    const long long Bits = Model.TotalBits(TDirection::Downstream);
    EXPECT_NE(Bits, PreviousBits) << Capture << ": the bit loading follows the noise";
    PreviousBits = Bits;
  }
}

// Over Telnet: two retrievals in a row read different margins, as the
// status text the router prints says.
TEST(Drift, EachConnectionRetrievesTheLineAsItIsThen) {
  TRouterSimOptions Options;
  Options.Drift = true;
  TRouterSim Router(Options);
  const std::uint16_t Port = Router.Start();
  std::vector<std::optional<double>> Margins;
  for (int Capture = 0; Capture < 2; ++Capture) {
    TRetrievalRequest Request;
    Request.Host = "127.0.0.1";
    Request.Port = Port;
    Request.User = Options.User;
    Request.Password = Options.Password;
    TDrayData Data;
    ASSERT_EQ(RunRetrieval(Request, Data).End, TRetrievalEnd::Complete);
    Margins.push_back(ReadReportedFigures(Data.Stats()).SNRMargin.DS);
  }
  // Connections count from 1: 3 sin(0.9) = 2.3 dB more noise, then 3 sin(1.8) = 2.9 dB.
  EXPECT_EQ(Margins[0], std::optional<double>(std::lround(6 - 3 * std::sin(0.9))));
  EXPECT_EQ(Margins[1], std::optional<double>(std::lround(6 - 3 * std::sin(1.8))));
}

} // namespace

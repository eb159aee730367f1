// A whole retrieval with bins from a simulated router that answers at once,
// against a baseline in the same run: the same thirteen commands over a plain
// socket, reading each answer up to the prompt. The ratio is what the reader,
// the Telnet client and the snapshot's parsing cost on top of the wire.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "DrayData.h"
#include "RatioReporter.h"
#include "RetrievalRun.h"
#include "RouterSim.h"

namespace {

const char *const Commands[] = {
    "vdsl status bandinfo", "vdsl status",        "vdsl status more",  "vdsl status olr",
    "vdsl status counts",   "vdsl annex",         "vdsl inventory co", "vdsl inventory cpe",
    "vdsl status hlog",     "vdsl status qln",    "vdsl status snr",   "vdsl showbins",
    "vdsl showbins up"};

TRouterSim &Router() {
  static TRouterSim Sim([] {
    TRouterSimOptions Options;
    Options.Profile = vp35b;
    return Options;
  }());
  static const std::uint16_t Port = Sim.Start();
  (void)Port;
  return Sim;
}

class TPlainSession {
public:
  explicit TPlainSession(std::uint16_t APort) {
    FSocket = socket(AF_INET, SOCK_STREAM, 0);
    const int On = 1;
    setsockopt(FSocket, IPPROTO_TCP, TCP_NODELAY, &On, sizeof On);
    sockaddr_in Address{};
    Address.sin_family = AF_INET;
    Address.sin_port = htons(APort);
    Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(FSocket, reinterpret_cast<sockaddr *>(&Address), sizeof Address) != 0)
      throw std::runtime_error("baseline cannot connect");
  }
  ~TPlainSession() { close(FSocket); }
  void Send(const std::string &ALine) { send(FSocket, ALine.data(), ALine.size(), MSG_NOSIGNAL); }
  // Reads up to AMarker at the end of what has arrived; returns the bytes read.
  std::size_t ReadTo(const std::string &AMarker) {
    std::string Text;
    char Buffer[65536];
    while (Text.size() < AMarker.size() ||
           Text.compare(Text.size() - AMarker.size(), AMarker.size(), AMarker) != 0) {
      const ssize_t Count = recv(FSocket, Buffer, sizeof Buffer, 0);
      if (Count <= 0)
        throw std::runtime_error("baseline lost the connection");
      Text.append(Buffer, static_cast<std::size_t>(Count));
    }
    return Text.size();
  }

private:
  int FSocket;
};

void BM_PlainSocketBaseline(benchmark::State &AState) {
  TRouterSim &Sim = Router();
  std::size_t Bytes = 0;
  for (auto _ : AState) {
    TPlainSession Session(Sim.Port());
    Session.ReadTo("Account:");
    Session.Send("admin\r\n");
    Session.ReadTo("Password: ");
    Session.Send("admin\r\n");
    Session.ReadTo("DrayTek> ");
    for (const char *Command : Commands) {
      Session.Send(std::string(Command) + "\r\n");
      Bytes += Session.ReadTo("DrayTek> ");
    }
  }
  AState.SetBytesProcessed(static_cast<std::int64_t>(Bytes));
}

void BM_FullRetrievalWithBins(benchmark::State &AState) {
  TRouterSim &Sim = Router();
  for (auto _ : AState) {
    TRetrievalRequest Request;
    Request.Host = "127.0.0.1";
    Request.Port = Sim.Port();
    Request.User = "admin";
    Request.Password = "admin";
    Request.Bins = true;
    TDrayData Data("bench");
    const TRetrievalOutcome Outcome = RunRetrieval(Request, Data);
    if (Outcome.End != TRetrievalEnd::Complete || Data.VDSLProfile() != vp35b) {
      AState.SkipWithError(("retrieval failed: " + std::string(RetrievalEndName(Outcome.End)) + " " +
                            Outcome.Reason).c_str());
      break;
    }
  }
}

BENCHMARK(BM_PlainSocketBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRetrievalWithBins)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintFigureHeading("35B retrieval with bins from the simulated router, against a plain socket client",
                     "wall clock");
  PrintFigure("retrieval_35b_with_bins", Reporter.Microseconds("BM_FullRetrievalWithBins"), "us",
              Reporter.Microseconds("BM_PlainSocketBaseline"));
  benchmark::Shutdown();
  return 0;
}

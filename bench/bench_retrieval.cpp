// A whole 35B retrieval with bins from the simulated router, against a
// baseline in the same run: the same thirteen commands over a plain socket,
// reading each answer up to the prompt. Straight to the router the ratio of
// CPU time is what the reader, the Telnet client and the snapshot's parsing
// cost on top of the wire; through a proxy that delays each direction by
// 1 ms, the ratio of wall time is what a user waits for on a real line.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "DrayData.h"
#include "DelayProxy.h"
#include "RatioReporter.h"
#include "RetrievalRun.h"
#include "RouterSim.h"

namespace {

const char *const Commands[] = {
    "vdsl status bandinfo", "vdsl status",        "vdsl status more",  "vdsl status olr",
    "vdsl status counts",   "vdsl annex",         "vdsl inventory co", "vdsl inventory cpe",
    "vdsl status hlog",     "vdsl status qln",    "vdsl status snr",   "vdsl showbins",
    "vdsl showbins up"};

// The simulated router and a proxy that delays each direction by 1 ms run in
// a child process of their own, so that the process CPU time measured here
// is the client's alone.
struct TServerPorts {
  std::uint16_t Direct = 0;
  std::uint16_t Delayed = 0;
};
TServerPorts Ports;

constexpr auto OneWayDelay = std::chrono::microseconds(1000);

// In the child: serves until the parent's end of the pipe closes.
[[noreturn]] void Serve(int AToParent, int AFromParent) {
  TRouterSimOptions Options;
  Options.Profile = vp35b;
  TRouterSim Sim(Options);
  TServerPorts Served;
  Served.Direct = Sim.Start();
  TDelayProxy Proxy(Served.Direct, OneWayDelay);
  Served.Delayed = Proxy.Port();
  if (write(AToParent, &Served, sizeof Served) != sizeof Served)
    _exit(1);
  char Byte;
  while (read(AFromParent, &Byte, 1) > 0) {
  }
  _exit(0);
}

// Before any thread of this process exists.
bool StartServers() {
  int ToParent[2], FromParent[2];
  if (pipe(ToParent) != 0 || pipe(FromParent) != 0)
    return false;
  const pid_t Child = fork();
  if (Child < 0)
    return false;
  if (Child == 0) {
    close(ToParent[0]);
    close(FromParent[1]);
    Serve(ToParent[1], FromParent[0]);
  }
  close(ToParent[1]);
  close(FromParent[0]);
  // FromParent[1] stays open for as long as this process lives.
  return read(ToParent[0], &Ports, sizeof Ports) == sizeof Ports;
}

std::uint16_t PortFor(const benchmark::State &AState) { return AState.range(0) ? Ports.Delayed : Ports.Direct; }

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

void BM_PlainClient(benchmark::State &AState) {
  std::size_t Bytes = 0;
  for (auto _ : AState) {
    TPlainSession Session(PortFor(AState));
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

void BM_Retrieval(benchmark::State &AState) {
  for (auto _ : AState) {
    TRetrievalRequest Request;
    Request.Host = "127.0.0.1";
    Request.Port = PortFor(AState);
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

// Argument 0: straight to the router; 1: through the delaying proxy. CPU time
// is the whole process's: the reader and its receiving thread.
BENCHMARK(BM_PlainClient)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Retrieval)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace

int main(int argc, char **argv) {
  if (!StartServers()) {
    std::fprintf(stderr, "cannot start the simulated router\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  PrintFigureHeading("35B retrieval with bins, client CPU, against a plain socket client", "process CPU time");
  PrintFigure("retrieval_client_cpu", Reporter.CPUMicroseconds("BM_Retrieval/0"), "us",
              Reporter.CPUMicroseconds("BM_PlainClient/0"));
  PrintFigureHeading("35B retrieval with bins, against a plain socket client", "wall clock");
  PrintFigure("retrieval_loopback", Reporter.WallMicroseconds("BM_Retrieval/0"), "us",
              Reporter.WallMicroseconds("BM_PlainClient/0"));
  PrintFigure("retrieval_1ms_one_way_delay", Reporter.WallMicroseconds("BM_Retrieval/1"), "us",
              Reporter.WallMicroseconds("BM_PlainClient/1"));
  benchmark::Shutdown();
  return 0;
}

#include "RetrievalRun.h"

#include "ClosureQueue.h"
#include "TelnetClient.h"

TRetrievalRun::TRetrievalRun(TRetrievalRequest ARequest, TDrayData &AData, IRetrievalView *AView)
    : FRequest(std::move(ARequest)), FData(AData), FView(AView) {}

TRetrievalOutcome TRetrievalRun::Run() {
  TTelnetClient Telnet;
  Telnet.SetHost(FRequest.Host);
  Telnet.SetPort(FRequest.Port);
  TClosureQueue Queue;
  TRetrievalOutcome Outcome;
  bool Done = false;
  auto *Reader = new TDrayTelnetReader(Telnet, FRequest.User, FRequest.Password, FRequest.RouterName, &FData,
                                       FRequest.Bins, FView, Queue, FRequest.Timeouts);
  Reader->SetTelnetOp(FRequest.Op);
  Reader->SetFreeOnTerminate(true);
  // Runs on this thread inside RunUntil; the reader frees itself right after.
  Reader->OnTerminate = [this, &Outcome, &Done](TThread *AThread) {
    std::lock_guard<std::mutex> Guard(FLock);
    Outcome = static_cast<TDrayTelnetReader *>(AThread)->Outcome();
    FReader = nullptr;
    Done = true;
  };
  {
    std::lock_guard<std::mutex> Guard(FLock);
    FReader = Reader;
    if (FAtOnce)
      Reader->AbandonWait();
    if (FStopRequested)
      Reader->Terminate();
  }
  Reader->Start();
  Queue.RunUntil([&Done] { return Done; });
  return Outcome;
}

void TRetrievalRun::Stop() {
  std::lock_guard<std::mutex> Guard(FLock);
  FStopRequested = true;
  if (FReader)
    FReader->Terminate();
}

void TRetrievalRun::StopAtOnce() {
  std::lock_guard<std::mutex> Guard(FLock);
  FAtOnce = FStopRequested = true;
  if (FReader) {
    FReader->AbandonWait();
    FReader->Terminate();
  }
}

TRetrievalOutcome RunRetrieval(const TRetrievalRequest &ARequest, TDrayData &AData, IRetrievalView *AView) {
  TRetrievalRun Run(ARequest, AData, AView);
  return Run.Run();
}

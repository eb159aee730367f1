#include "WindowReader.h"

std::atomic<int> TWindowReader::FLiveCount{0};

TWindowReader::TWindowReader(TWindowReaderResources AResources, std::string ATelnetUser,
                             std::string ATelnetPassword, std::string ARouterName, bool ARetrieveBins,
                             TRetrievalTimeouts ATimeouts)
    : TWindowReaderResources(std::move(AResources)),
      TDrayTelnetReader(*RunTelnet, std::move(ATelnetUser), std::move(ATelnetPassword), std::move(ARouterName),
                        RunData.get(), ARetrieveBins, RunView.get(), *RunQueue, ATimeouts) {
  ++FLiveCount;
}

TWindowReader::~TWindowReader() {
  // The body must be over before the resources below it go.
  JoinUnlessSelf();
  --FLiveCount;
}

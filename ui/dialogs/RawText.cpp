#include "RawText.h"

#include <mutex>
#include <shared_mutex>

#include "DrayData.h"

namespace {

struct TRawSource {
  TDrayLock &Lock;
  const TTextLines &US;
  const TTextLines &DS;
};

TRawSource SourceOf(const TDrayData &AData, TRawKind AKind) {
  switch (AKind) {
  case TRawKind::HLog:
    return {AData.HLogLock(), AData.HLogUSRaw(), AData.HLogDSRaw()};
  case TRawKind::QLN:
    return {AData.QLNLock(), AData.QLNUSRaw(), AData.QLNDSRaw()};
  case TRawKind::SNR:
    return {AData.SNRLock(), AData.SNRUSRaw(), AData.SNRDSRaw()};
  case TRawKind::Bins:
    break;
  }
  return {AData.BinStatLock(), AData.BinStatsUSRaw(), AData.BinStatsDSRaw()};
}

} // namespace

TRawTextCopy CopyRawText(const TDrayData &AData, TRawKind AKind) {
  const TRawSource source = SourceOf(AData, AKind);
  std::shared_lock guard(source.Lock);
  return TRawTextCopy{source.US, source.DS};
}

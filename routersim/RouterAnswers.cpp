#include "RouterAnswers.h"

#include "StatusAnswers.h"
#include "ToneAnswers.h"

TRouterAnswers::TRouterAnswers(const TRouterSimOptions &AOptions) : FModel(AOptions.Profile, AOptions.Line) {
  const bool WithByte255 = AOptions.IacInData;
  FAnswers = {
      {"vdsl status bandinfo", TextOf(BandInfoAnswer(FModel))},
      {"vdsl status", TextOf(StatusAnswer(FModel))},
      {"vdsl status more", TextOf(StatusMoreAnswer())},
      {"vdsl status olr", TextOf(StatusOlrAnswer())},
      {"vdsl status counts", TextOf(StatusCountsAnswer())},
      {"vdsl annex", TextOf(AnnexAnswer())},
      {"vdsl inventory co", TextOf(InventoryAnswer(true, WithByte255))},
      {"vdsl inventory cpe", TextOf(InventoryAnswer(false, WithByte255))},
      {"vdsl status hlog", TextOf(HLogAnswer(FModel))},
      {"vdsl status qln", TextOf(QLNAnswer(FModel))},
      {"vdsl status snr", TextOf(SNRAnswer(FModel))},
      {"vdsl showbins", TextOf(BinsAnswer(FModel, TDirection::Downstream))},
      {"vdsl showbins up", TextOf(BinsAnswer(FModel, TDirection::Upstream))},
  };
  FInvalidCommand = TextOf(InvalidCommandAnswer());
}

const std::string *TRouterAnswers::Find(const std::string &ACommand) const {
  const auto Found = FAnswers.find(ACommand);
  return Found == FAnswers.end() ? nullptr : &Found->second;
}

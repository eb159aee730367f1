// A captured router answer of any kind, with the table parsers behind it, and
// profile identification and the status figures over the same text. The first
// byte chooses the kind. Properties: whatever the snapshot kept saves and
// loads again unchanged; figures read from digits are never negative, and
// every band has a name of its two directions.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "CapturedFiles.h"
#include "DrayData.h"
#include "FuzzFiles.h"
#include "ReportedFigures.h"
#include "SnapshotCompare.h"

namespace {

void Require(bool ACondition, const char *AWhat) {
  if (!ACondition) {
    std::fprintf(stderr, "status figures: %s\n", AWhat);
    std::abort();
  }
}

void RequireSaneFigures(const TReportedFigures &AFigures) {
  for (const TDirection Direction : DrayDirections) {
    Require(AFigures.ActualRate[Direction].value_or(0) >= 0, "negative actual rate");
    Require(AFigures.AttainableRate[Direction].value_or(0) >= 0, "negative attainable rate");
  }
  const TShowtimeCounters &C = AFigures.Counters;
  for (const TCounterPair *Counter : {&C.ElapsedTime, &C.CRC, &C.FEC, &C.ES, &C.SES, &C.UAS})
    Require(Counter->Near.value_or(0) >= 0 && Counter->Far.value_or(0) >= 0, "negative counter");
  for (const TBandAttenuation &Band : AFigures.Bands)
    Require(Band.Name.size() == 3 && (Band.Name.starts_with("US") || Band.Name.starts_with("DS")), "band name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  if (ASize == 0)
    return 0;
  const TDrayKind Kind = DrayKinds[AData[0] % DrayKinds.size()];
  const std::string &Name = ScratchFile("captured", AData + 1, ASize - 1);
  TDrayData Data("fuzz");
  try {
    LoadCapturedFile(Data, Kind, Name);
  } catch (const ETonegraphError &) {
  }
  const TTextLines Lines = SplitText(std::string(reinterpret_cast<const char *>(AData + 1), ASize - 1));
  try {
    Data.IdentifyVDSLProfile(Lines);
  } catch (const ETonegraphError &) {
  }
  RequireSaneFigures(ReadReportedFigures(Lines));
  RequireRoundTrip(Data, "captured.draydata");
  return 0;
}

// A captured router answer of any kind, with the table parsers behind it, and
// profile identification over the same text. The first byte chooses the kind.
// Property: whatever the snapshot kept saves and loads again unchanged.
#include <cstdint>

#include "CapturedFiles.h"
#include "DrayData.h"
#include "FuzzFiles.h"
#include "SnapshotCompare.h"

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
  try {
    Data.IdentifyVDSLProfile(SplitText(std::string(reinterpret_cast<const char *>(AData + 1), ASize - 1)));
  } catch (const ETonegraphError &) {
  }
  RequireRoundTrip(Data, "captured.draydata");
  return 0;
}

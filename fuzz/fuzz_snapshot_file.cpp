// The snapshot file loader on any bytes. Property: a file that loads saves,
// and what is saved loads again to the same snapshot.
#include <cstdint>

#include "DrayData.h"
#include "FuzzFiles.h"
#include "SnapshotCompare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  TDrayData Loaded;
  try {
    Loaded.LoadFromFile(ScratchFile("snapshot", AData, ASize));
  } catch (const ETonegraphError &) {
    return 0; // refused with the system's message: fine
  }
  RequireRoundTrip(Loaded, "saved.draydata");
  return 0;
}

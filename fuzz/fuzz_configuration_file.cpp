// The configuration file reader on any bytes. Property: settings that load
// save, and load again to the same settings.
#include <cstdint>
#include <cstdlib>

#include "Configuration.h"
#include "FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  TConnectionSettings Loaded;
  try {
    LoadConfiguration(ScratchFile("conf", AData, ASize), Loaded);
  } catch (const ETonegraphError &) {
    return 0;
  }
  static const std::string Saved = ScratchName("saved.conf");
  SaveConfiguration(Saved, Loaded);
  TConnectionSettings Again;
  LoadConfiguration(Saved, Again);
  if (Again.Router != Loaded.Router || Again.Port != Loaded.Port || Again.User != Loaded.User ||
      Again.ShowBins != Loaded.ShowBins || Again.SNRBug != Loaded.SNRBug || Again.RouterName != Loaded.RouterName)
    std::abort();
  return 0;
}

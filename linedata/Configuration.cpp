#include "Configuration.h"

#include <algorithm>
#include <array>

#include "FilerReader.h"
#include "FilerWriter.h"
#include "InputFile.h"
#include "ReplacingFile.h"

namespace {

// Position + 1 is the version. A signature matches only exactly, case included.
const std::array<const char *, 2> ConfigurationSignatures = {"TONEGRAPH", "TONEGRAPH2"};

int ReadVersion(TFilerReader &AReader) {
  const std::string Signature = AReader.ReadString();
  for (std::size_t I = 0; I < ConfigurationSignatures.size(); ++I)
    if (Signature == ConfigurationSignatures[I])
      return static_cast<int>(I + 1);
  throw EInvalidConfiguration();
}

void ReadFields(TFilerReader &AReader, int AVersion, IConfigurationTarget &ATarget) {
  ATarget.SetRouter(AReader.ReadString());
  ATarget.SetPort(std::clamp(AReader.ReadInteger(), MinTelnetPort, MaxTelnetPort));
  ATarget.SetUser(AReader.ReadString());
  if (AVersion == 1)
    AReader.ReadInteger();  // a value of the first version that nothing uses
  ATarget.SetShowBins(AReader.ReadBoolean());
  ATarget.SetSNRBug(AReader.ReadBoolean());
  ATarget.SetRouterName(AReader.ReadString());
}

class TSettingsTarget : public IConfigurationTarget {
public:
  explicit TSettingsTarget(TConnectionSettings &ASettings) : FSettings(ASettings) {}
  void SetRouter(const std::string &AValue) override { FSettings.Router = AValue; }
  void SetPort(int AValue) override { FSettings.Port = AValue; }
  void SetUser(const std::string &AValue) override { FSettings.User = AValue; }
  void SetShowBins(bool AValue) override { FSettings.ShowBins = AValue; }
  void SetSNRBug(bool AValue) override { FSettings.SNRBug = AValue; }
  void SetRouterName(const std::string &AValue) override { FSettings.RouterName = AValue; }

private:
  TConnectionSettings &FSettings;
};

} // namespace

void SaveConfiguration(const std::string &AFileName, const TConnectionSettings &ASettings) {
  TReplacingFile File(AFileName);
  TFilerWriter Writer(File.Handle());
  Writer.WriteString(ConfigurationSignatures[1]);
  Writer.WriteString(ASettings.Router);
  Writer.WriteInteger(ASettings.Port);
  Writer.WriteString(ASettings.User);
  Writer.WriteBoolean(ASettings.ShowBins);
  Writer.WriteBoolean(ASettings.SNRBug);
  Writer.WriteString(ASettings.RouterName);
  Writer.Flush();
  File.Commit();
}

void LoadConfiguration(const std::string &AFileName, IConfigurationTarget &ATarget) {
  TInputFile File(AFileName);
  TFilerReader Reader(File);
  ReadFields(Reader, ReadVersion(Reader), ATarget);
}

void LoadConfiguration(const std::string &AFileName, TConnectionSettings &ASettings) {
  TSettingsTarget Target(ASettings);
  LoadConfiguration(AFileName, Target);
}

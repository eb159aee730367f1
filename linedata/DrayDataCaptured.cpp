// Snapshots from router answers that the user captured in text files.
#include "CodePage.h"
#include "DrayData.h"
#include "InputFile.h"

namespace {

// The upstream bins listing begins at this text; the downstream one precedes it.
constexpr std::string_view UpstreamBinsMarker = "UPSTREAM :";

TTextLines ReadTextFileLines(const std::string &AFilename) {
  TInputFile File(AFilename);
  return SplitText(DecodeTextFileBytes(File.ReadAll()));
}

} // namespace

void TDrayData::LoadHLogFromFile(const std::string &AFilename) {
  if (!AFilename.empty())
    SetHLogData(ReadTextFileLines(AFilename));
}

void TDrayData::LoadQLNFromFile(const std::string &AFilename) {
  if (!AFilename.empty())
    SetQLNData(ReadTextFileLines(AFilename));
}

void TDrayData::LoadSNRFromFile(const std::string &AFilename) {
  if (!AFilename.empty())
    SetSNRData(ReadTextFileLines(AFilename));
}

void TDrayData::LoadBinsFromFile(const std::string &AFilename) {
  if (AFilename.empty())
    return;
  const std::string Text = TextOf(ReadTextFileLines(AFilename));
  const std::size_t Marker = Text.find(UpstreamBinsMarker);
  // A file without the upstream listing is not an error: the bins stay as they were.
  if (Marker == std::string::npos)
    return;
  SetBinStatsUSRaw(SplitText(std::string_view(Text).substr(Marker)));
  SetBinStatsDSRaw(SplitText(std::string_view(Text).substr(0, Marker)));
}

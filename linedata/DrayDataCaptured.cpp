// Snapshots from router answers that the user captured in text files.
#include <algorithm>

#include "CapturedFiles.h"
#include "DrayData.h"

namespace {

// The upstream bins listing begins at this text; the downstream one precedes it.
constexpr std::string_view UpstreamBinsMarker = "UPSTREAM :";

} // namespace

TParseCounts TDrayData::LoadStatFile(TDrayKind AKind, const std::string &AFilename) {
  if (AFilename.empty())
    return {};
  SetStatData(AKind, ReadCapturedText(AFilename));
  return KindCounts(AKind);
}

TParseCounts TDrayData::LoadHLogFromFile(const std::string &AFilename) {
  return LoadStatFile(TDrayKind::HLog, AFilename);
}

TParseCounts TDrayData::LoadQLNFromFile(const std::string &AFilename) {
  return LoadStatFile(TDrayKind::QLN, AFilename);
}

TParseCounts TDrayData::LoadSNRFromFile(const std::string &AFilename) {
  return LoadStatFile(TDrayKind::SNR, AFilename);
}

TParseCounts TDrayData::LoadBinsFromFile(const std::string &AFilename) {
  if (AFilename.empty())
    return {};
  const TTextLines Lines = ReadCapturedText(AFilename);
  const std::string Text = TextOf(Lines);
  const std::size_t Marker = Text.find(UpstreamBinsMarker);
  // A file without the upstream listing is not an error: the bins stay as
  // they were, and none of the file's lines was recognised.
  if (Marker == std::string::npos)
    return {0, static_cast<std::size_t>(std::count_if(Lines.begin(), Lines.end(),
                                                      [](std::string_view ALine) { return !IsBlankLine(ALine); }))};
  SetBinStatsUSRaw(SplitText(std::string_view(Text).substr(Marker)));
  SetBinStatsDSRaw(SplitText(std::string_view(Text).substr(0, Marker)));
  return KindCounts(TDrayKind::Bins);
}

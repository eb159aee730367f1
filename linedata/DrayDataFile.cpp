// Snapshot files: signature, nine raw texts, name and, from version 2 on, the
// profile and the group sizes, in the filer value encoding.
#include <array>

#include "DrayData.h"
#include "FilerReader.h"
#include "FilerWriter.h"
#include "InputFile.h"
#include "ReplacingFile.h"

namespace {

// Position + 1 is the data version of a file.
const std::array<const char *, 2> DrayDataSignatures = {"TONEGRAPHDATA", "TONEGRAPHDATA2"};

// Version 1 files carry no group sizes; the router's usual 8 tones per group.
constexpr TStatMultipliers DefaultStatMultipliers = {8, 8};

// Everything a file holds, read in full before the snapshot is touched.
struct TSnapshotFileContents {
  std::uint32_t Version = 0;
  std::array<std::string, 9> Texts;
  std::string Name;
  TVDSLProfile Profile = vpNA;
  std::array<TStatMultipliers, 3> Multipliers{};
};

std::uint32_t ReadSignature(TFilerReader &AReader) {
  const std::string Signature = AReader.ReadString();
  for (std::size_t I = 0; I < DrayDataSignatures.size(); ++I)
    if (Signature == DrayDataSignatures[I])
      return static_cast<std::uint32_t>(I + 1);
  throw EDrayDataError("Not a valida 'DrayData' file");
}

TSnapshotFileContents ReadContents(TFilerReader &AReader) {
  TSnapshotFileContents Contents;
  Contents.Version = ReadSignature(AReader);
  for (std::string &Text : Contents.Texts)
    Text = AReader.ReadString();
  Contents.Name = AReader.ReadString();
  if (Contents.Version <= 1)
    return Contents;
  // A damaged file's ordinal outside the table must not index it.
  Contents.Profile = ProfileFromOrdinal(AReader.ReadInteger());
  for (TStatMultipliers &Sizes : Contents.Multipliers)
    AReader.ReadRawBytes(Sizes.data(), Sizes.size());
  return Contents;
}

} // namespace

void TDrayData::SaveToFile(const std::string &AFilename) const {
  TReplacingFile File(AFilename);
  TFilerWriter Writer(File.Handle());
  Writer.WriteString(DrayDataSignatures[1]);
  for (const TTextLines *Lines : {&FStats, &FHLogUSRaw, &FHLogDSRaw, &FQLNUSRaw, &FQLNDSRaw, &FSNRUSRaw, &FSNRDSRaw,
                                  &FBinStatsUSRaw, &FBinStatsDSRaw})
    Writer.WriteString(TextOf(*Lines));
  Writer.WriteString(FName);
  Writer.WriteInteger(FProfile);
  for (const TStatMultipliers *Sizes : {&FHLogMultipliers, &FQLNMultipliers, &FSNRMultipliers})
    Writer.WriteRawBytes(Sizes->data(), Sizes->size());
  Writer.Flush();
  File.Commit();
}

void TDrayData::LoadFromFile(const std::string &AFilename) {
  if (AFilename.empty())
    return;
  TSnapshotFileContents Contents;
  {
    TInputFile File(AFilename);
    TFilerReader Reader(File);
    Contents = ReadContents(Reader);
  }
  TTextLines Stats = SplitText(Contents.Texts[0]);
  if (Contents.Version <= 1) {
    IdentifyVDSLProfile(Stats);
    Contents.Profile = FProfile;
    Contents.Multipliers.fill(DefaultStatMultipliers);
  }
  FDataVersion = Contents.Version;
  FStats = std::move(Stats);
  TTextLines *const Raw[] = {&FHLogUSRaw, &FHLogDSRaw, &FQLNUSRaw, &FQLNDSRaw,
                             &FSNRUSRaw,  &FSNRDSRaw,  &FBinStatsUSRaw, &FBinStatsDSRaw};
  for (std::size_t I = 0; I < std::size(Raw); ++I)
    *Raw[I] = SplitText(Contents.Texts[I + 1]);
  FName = std::move(Contents.Name);
  FProfile = Contents.Profile;
  FHLogMultipliers = Contents.Multipliers[0];
  FQLNMultipliers = Contents.Multipliers[1];
  FSNRMultipliers = Contents.Multipliers[2];
  RebuildAllTables();
}

void TDrayData::RebuildAllTables() {
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream})
    ParseHLogStats(Direction);
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream})
    ParseQLNStats(Direction);
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream})
    ParseSNRStats(Direction);
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream})
    ParseBinStats(Direction);
}

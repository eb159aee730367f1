// Snapshot files: signature, nine raw texts, name and, from version 2 on, the
// profile and the group sizes, in the filer value encoding.
#include <array>
#include <shared_mutex>

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
  std::array<TStatMultipliers, DrayStatKindCount> Multipliers{};
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

// Files are saved and loaded on the main thread, on snapshots that no other
// thread writes. The raw text is still copied and stored under its kind's
// lock, as every other reader and writer of it does, so that this stays true
// without that argument.
void TDrayData::WriteTo(TFilerWriter &AWriter) const {
  AWriter.WriteString(DrayDataSignatures[1]);
  AWriter.WriteString(TextOf(FStats));
  for (const TDrayKind Kind : DrayKinds)
    for (const TDirection Direction : DrayDirections) {
      std::shared_lock Guard(Lock(Kind));
      AWriter.WriteString(TextOf(Raw(Kind, Direction)));
    }
  AWriter.WriteString(FName);
  AWriter.WriteInteger(FProfile);
  for (const TStatMultipliers &Sizes : FMultipliers)
    AWriter.WriteRawBytes(Sizes.data(), Sizes.size());
}

void TDrayData::SaveToFile(const std::string &AFilename) const {
  TReplacingFile File(AFilename);
  TFilerWriter Writer(File.Handle());
  WriteTo(Writer);
  Writer.Flush();
  File.Commit();
}

std::string TDrayData::SaveToBytes() const {
  TFilerWriter Writer;
  WriteTo(Writer);
  return Writer.Bytes();
}

void TDrayData::LoadFromFile(const std::string &AFilename) {
  if (AFilename.empty())
    return;
  TInputFile File(AFilename);
  TFilerReader Reader(File);
  ReadFrom(Reader);
}

void TDrayData::LoadFromBytes(std::string_view ABytes) {
  TFilerReader Reader(ABytes);
  ReadFrom(Reader);
}

// Everything is read before the snapshot is touched: a broken file leaves it
// as it was.
void TDrayData::ReadFrom(TFilerReader &AReader) {
  TSnapshotFileContents Contents = ReadContents(AReader);
  TTextLines Stats = SplitText(Contents.Texts[0]);
  if (Contents.Version <= 1) {
    IdentifyVDSLProfile(Stats);
    Contents.Profile = FProfile;
    Contents.Multipliers.fill(DefaultStatMultipliers);
  }
  FDataVersion = Contents.Version;
  FStats = std::move(Stats);
  // The raw texts follow the status text in the order of the kinds, upstream first.
  const std::string *Text = &Contents.Texts[1];
  for (const TDrayKind Kind : DrayKinds)
    for (const TDirection Direction : DrayDirections)
      ReplaceRaw(Kind, Direction, SplitText(*Text++));
  FName = std::move(Contents.Name);
  FProfile = Contents.Profile;
  FMultipliers = Contents.Multipliers;
  RebuildAllTables();
}

void TDrayData::RebuildAllTables() {
  for (const TDrayKind Kind : DrayKinds)
    for (const TDirection Direction : DrayDirections)
      Rebuild(Kind, Direction);
}

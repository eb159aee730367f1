#pragma once
// One snapshot of a VDSL line. The raw router text is primary; every table is
// rebuilt from it whenever a kind's raw text changes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DrayKindState.h"
#include "Exceptions.h"
#include "ParseCounts.h"
#include "StatValue.h"
#include "TextLines.h"
#include "VDSLProfile.h"

class TFilerReader;
class TFilerWriter;

class TDrayData {
public:
  TDrayData();
  explicit TDrayData(std::string AName);
  virtual ~TDrayData();
  TDrayData(const TDrayData &) = delete;
  TDrayData &operator=(const TDrayData &) = delete;

  // Properties
  const std::string &Name() const { return FName; }
  void SetName(std::string AName) { FName = std::move(AName); }
  TVDSLProfile VDSLProfile() const { return FProfile; }
  void SetVDSLProfile(TVDSLProfile AProfile) { FProfile = AProfile; }
  std::uint32_t DataVersion() const { return FDataVersion; }

  const TTextLines &Stats() const { return FStats; }
  void SetStats(const TTextLines &AValue);  // identifies the profile first

  // Tables, only ever rebuilt from the raw text. StatTable takes HLog, QLN or
  // SNR. The window reads them without a lock: a table is drawn only after
  // the writer has stored it, and it is not written again.
  const TDrayStatArray &StatTable(TDrayKind AKind, TDirection ADirection) const;
  const TDrayBinArray &BinTable(TDirection ADirection) const { return FBins.Tables[IndexOf(ADirection)]; }
  const TDrayBinArray &ShowBinStatsUS() const { return BinTable(TDirection::Upstream); }
  const TDrayBinArray &ShowBinStatsDS() const { return BinTable(TDirection::Downstream); }
  const TDrayStatArray &HLogStatsUS() const { return StatTable(TDrayKind::HLog, TDirection::Upstream); }
  const TDrayStatArray &HLogStatsDS() const { return StatTable(TDrayKind::HLog, TDirection::Downstream); }
  const TDrayStatArray &QLNStatsUS() const { return StatTable(TDrayKind::QLN, TDirection::Upstream); }
  const TDrayStatArray &QLNStatsDS() const { return StatTable(TDrayKind::QLN, TDirection::Downstream); }
  const TDrayStatArray &SNRStatsUS() const { return StatTable(TDrayKind::SNR, TDirection::Upstream); }
  const TDrayStatArray &SNRStatsDS() const { return StatTable(TDrayKind::SNR, TDirection::Downstream); }

  // Group sizes of HLog, QLN or SNR, from the answer's "GroupSize" line.
  TStatMultipliers Multipliers(TDrayKind AKind) const;
  TStatMultipliers HLogMultipliers() const { return Multipliers(TDrayKind::HLog); }
  TStatMultipliers QLNMultipliers() const { return Multipliers(TDrayKind::QLN); }
  TStatMultipliers SNRMultipliers() const { return Multipliers(TDrayKind::SNR); }

  // What the last rebuild of a table made of its raw lines; read like the tables.
  TParseCounts ParseCounts(TDrayKind AKind, TDirection ADirection) const;

  // Raw text. Readers from another thread hold the kind's lock in shared mode.
  const TTextLines &Raw(TDrayKind AKind, TDirection ADirection) const;
  const TTextLines &BinStatsUSRaw() const { return Raw(TDrayKind::Bins, TDirection::Upstream); }
  const TTextLines &BinStatsDSRaw() const { return Raw(TDrayKind::Bins, TDirection::Downstream); }
  const TTextLines &HLogUSRaw() const { return Raw(TDrayKind::HLog, TDirection::Upstream); }
  const TTextLines &HLogDSRaw() const { return Raw(TDrayKind::HLog, TDirection::Downstream); }
  const TTextLines &QLNUSRaw() const { return Raw(TDrayKind::QLN, TDirection::Upstream); }
  const TTextLines &QLNDSRaw() const { return Raw(TDrayKind::QLN, TDirection::Downstream); }
  const TTextLines &SNRUSRaw() const { return Raw(TDrayKind::SNR, TDirection::Upstream); }
  const TTextLines &SNRDSRaw() const { return Raw(TDrayKind::SNR, TDirection::Downstream); }
  // Replaces the raw text under the kind's lock, then rebuilds that table.
  void SetRaw(TDrayKind AKind, TDirection ADirection, const TTextLines &AValue);
  void SetBinStatsUSRaw(const TTextLines &AValue) { SetRaw(TDrayKind::Bins, TDirection::Upstream, AValue); }
  void SetBinStatsDSRaw(const TTextLines &AValue) { SetRaw(TDrayKind::Bins, TDirection::Downstream, AValue); }

  TDrayLock &Lock(TDrayKind AKind) const { return RawText(AKind).Lock; }
  TDrayLock &BinStatLock() const { return Lock(TDrayKind::Bins); }
  TDrayLock &HLogLock() const { return Lock(TDrayKind::HLog); }
  TDrayLock &QLNLock() const { return Lock(TDrayKind::QLN); }
  TDrayLock &SNRLock() const { return Lock(TDrayKind::SNR); }

  // Operations
  void Clear();
  void AddStatData(const std::vector<std::string> &AHeader, const TTextLines *AData);
  void IdentifyVDSLProfile(const TTextLines &Value);
  // A whole HLog, QLN or SNR answer: group sizes, marker split, both rebuilds.
  void SetStatData(TDrayKind AKind, const TTextLines &AData);
  void SetHLogData(const TTextLines &AData) { SetStatData(TDrayKind::HLog, AData); }
  void SetQLNData(const TTextLines &AData) { SetStatData(TDrayKind::QLN, AData); }
  void SetSNRData(const TTextLines &AData) { SetStatData(TDrayKind::SNR, AData); }

  // Version 2 snapshot file. The old file is replaced only once the new one is
  // complete; on failure (EFCreateError, EWriteError) it stays as it was.
  void SaveToFile(const std::string &AFilename) const;
  // Version 1 or 2; "" does nothing. Everything is read before anything is
  // stored, then every table is rebuilt. EFOpenError, EReadError,
  // EDrayDataError, EConvertError.
  void LoadFromFile(const std::string &AFilename);
  // The bytes SaveToFile writes, and reading them back, without a file: for
  // snapshots kept in a database.
  std::string SaveToBytes() const;
  void LoadFromBytes(std::string_view ABytes);

  // Captured router answers (byte order mark or Windows-1252); "" does nothing
  // and gives no counts. Each gives what the rebuilds of the kind made of the
  // raw lines, both directions together; a bins file without "UPSTREAM :" is
  // not parsed at all, and all its lines that are not blank count as skipped.
  TParseCounts LoadHLogFromFile(const std::string &AFilename);
  TParseCounts LoadQLNFromFile(const std::string &AFilename);
  TParseCounts LoadSNRFromFile(const std::string &AFilename);
  TParseCounts LoadBinsFromFile(const std::string &AFilename);

  // Rebuilds of one table from its raw text.
  void Rebuild(TDrayKind AKind, TDirection ADirection);
  void ParseHLogStats(TDirection ADirection) { Rebuild(TDrayKind::HLog, ADirection); }
  void ParseQLNStats(TDirection ADirection) { Rebuild(TDrayKind::QLN, ADirection); }
  void ParseSNRStats(TDirection ADirection) { Rebuild(TDrayKind::SNR, ADirection); }
  void ParseBinStats(TDirection ADirection) { Rebuild(TDrayKind::Bins, ADirection); }

  // Parsers of router text; pure functions of their input.
  static TStatMultipliers ParseGroupSize(std::string_view AText);
  static void ParseHLogLine(std::string_view ALine, TDrayStatArray &ATable);
  static void ParseQLNLine(std::string_view ALine, TDrayStatArray &ATable);
  static void ParseSNRLine(std::string_view ALine, TDrayStatArray &ATable);
  static void ParseBinStatsLine(std::string_view ALine, TDrayBinArray &ATable);

private:
  using TStatKindState = TDrayKindState<TDrayStatArray>;

  const TDrayRawText &RawText(TDrayKind AKind) const;
  TDrayRawText &RawText(TDrayKind AKind);
  const TStatKindState &StatKind(TDrayKind AKind) const;
  TStatKindState &StatKind(TDrayKind AKind);
  // Under the kind's lock in write mode; no rebuild.
  void ReplaceRaw(TDrayKind AKind, TDirection ADirection, TTextLines ALines);
  // What a kind held before its text was replaced. The tables are kept as
  // they were too: the bins rebuild leaves entries that a listing does not
  // name, so rebuilding from the old text would not bring them all back.
  struct TRawBackup {
    std::array<TTextLines, 2> Lines;
    TStatMultipliers Groups;
    std::vector<TDrayStatArray> StatTables; // HLog, QLN, SNR: upstream, downstream
    std::vector<TDrayBinArray> BinTables;   // bins: upstream, downstream
  };
  TRawBackup BackUpRaw(TDrayKind AKind) const;
  void RebuildOrRestore(TDrayKind AKind, const TRawBackup &ABefore, std::initializer_list<TDirection> ADirections);
  void WriteTo(TFilerWriter &AWriter) const;
  void ReadFrom(TFilerReader &AReader);
  // After a snapshot file is read: HLog, QLN, SNR, bins; upstream first.
  void RebuildAllTables();
  // Both directions of a kind together.
  TParseCounts KindCounts(TDrayKind AKind) const;
  TParseCounts LoadStatFile(TDrayKind AKind, const std::string &AFilename);

  std::uint32_t FDataVersion = 0;
  std::string FName;
  TVDSLProfile FProfile = vpNA;
  TTextLines FStats;
  // HLog, QLN and SNR in the order of TDrayKind, with their group sizes.
  std::array<TStatKindState, DrayStatKindCount> FStatKinds;
  std::array<TStatMultipliers, DrayStatKindCount> FMultipliers{};
  TDrayKindState<TDrayBinArray> FBins;
};

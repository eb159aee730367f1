#pragma once
// One snapshot of a VDSL line. The raw router text is primary; every table is
// rebuilt from it whenever a kind's raw text changes.

#include <cstdint>
#include <initializer_list>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Exceptions.h"
#include "StatValue.h"
#include "TextLines.h"
#include "VDSLProfile.h"

using TDrayLock = std::shared_mutex;

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

  const TDrayBinArray &ShowBinStatsUS() const { return FShowBinStatsUS; }
  const TDrayBinArray &ShowBinStatsDS() const { return FShowBinStatsDS; }
  void SetShowBinStatsUS(const TDrayBinArray &AValue) { FShowBinStatsUS = AValue; }
  void SetShowBinStatsDS(const TDrayBinArray &AValue) { FShowBinStatsDS = AValue; }

  const TDrayStatArray &HLogStatsUS() const { return FHLogStatsUS; }
  const TDrayStatArray &HLogStatsDS() const { return FHLogStatsDS; }
  const TDrayStatArray &QLNStatsUS() const { return FQLNStatsUS; }
  const TDrayStatArray &QLNStatsDS() const { return FQLNStatsDS; }
  const TDrayStatArray &SNRStatsUS() const { return FSNRStatsUS; }
  const TDrayStatArray &SNRStatsDS() const { return FSNRStatsDS; }
  void SetHLogStatsUS(const TDrayStatArray &AValue) { FHLogStatsUS = AValue; }
  void SetHLogStatsDS(const TDrayStatArray &AValue) { FHLogStatsDS = AValue; }
  void SetQLNStatsUS(const TDrayStatArray &AValue) { FQLNStatsUS = AValue; }
  void SetQLNStatsDS(const TDrayStatArray &AValue) { FQLNStatsDS = AValue; }
  void SetSNRStatsUS(const TDrayStatArray &AValue) { FSNRStatsUS = AValue; }
  void SetSNRStatsDS(const TDrayStatArray &AValue) { FSNRStatsDS = AValue; }

  TStatMultipliers HLogMultipliers() const { return FHLogMultipliers; }
  TStatMultipliers QLNMultipliers() const { return FQLNMultipliers; }
  TStatMultipliers SNRMultipliers() const { return FSNRMultipliers; }

  // Raw text. Readers from another thread hold the kind's lock in shared mode.
  const TTextLines &BinStatsUSRaw() const { return FBinStatsUSRaw; }
  const TTextLines &BinStatsDSRaw() const { return FBinStatsDSRaw; }
  const TTextLines &HLogUSRaw() const { return FHLogUSRaw; }
  const TTextLines &HLogDSRaw() const { return FHLogDSRaw; }
  const TTextLines &QLNUSRaw() const { return FQLNUSRaw; }
  const TTextLines &QLNDSRaw() const { return FQLNDSRaw; }
  const TTextLines &SNRUSRaw() const { return FSNRUSRaw; }
  const TTextLines &SNRDSRaw() const { return FSNRDSRaw; }
  // Each replaces the raw text under the kind's lock, then rebuilds that table.
  void SetBinStatsUSRaw(const TTextLines &AValue);
  void SetBinStatsDSRaw(const TTextLines &AValue);
  void SetHLogUSRaw(const TTextLines &AValue);
  void SetHLogDSRaw(const TTextLines &AValue);
  void SetQLNUSRaw(const TTextLines &AValue);
  void SetQLNDSRaw(const TTextLines &AValue);
  void SetSNRUSRaw(const TTextLines &AValue);
  void SetSNRDSRaw(const TTextLines &AValue);

  TDrayLock &BinStatLock() const { return FBinStatsLock; }
  TDrayLock &HLogLock() const { return FHLogLock; }
  TDrayLock &QLNLock() const { return FQLNLock; }
  TDrayLock &SNRLock() const { return FSNRLock; }

  // Operations
  void Clear();
  void AddStatData(const std::vector<std::string> &AHeader, const TTextLines *AData);
  void IdentifyVDSLProfile(const TTextLines &Value);
  void SetHLogData(const TTextLines &AData);
  void SetQLNData(const TTextLines &AData);
  void SetSNRData(const TTextLines &AData);

  // Version 2 snapshot file. The old file is replaced only once the new one is
  // complete; on failure (EFCreateError, EWriteError) it stays as it was.
  void SaveToFile(const std::string &AFilename) const;
  // Version 1 or 2; "" does nothing. Everything is read before anything is
  // stored, then every table is rebuilt. EFOpenError, EReadError,
  // EDrayDataError, EConvertError.
  void LoadFromFile(const std::string &AFilename);

  // Captured router answers (byte order mark or Windows-1252); "" does nothing.
  void LoadHLogFromFile(const std::string &AFilename);
  void LoadQLNFromFile(const std::string &AFilename);
  void LoadSNRFromFile(const std::string &AFilename);
  void LoadBinsFromFile(const std::string &AFilename);

  // Rebuilds of one table from its raw text.
  void ParseHLogStats(TDirection ADirection);
  void ParseQLNStats(TDirection ADirection);
  void ParseSNRStats(TDirection ADirection);
  void ParseBinStats(TDirection ADirection);

  // Parsers of router text; pure functions of their input.
  static TStatMultipliers ParseGroupSize(std::string_view AText);
  static void ParseHLogLine(std::string_view ALine, TDrayStatArray &ATable);
  static void ParseQLNLine(std::string_view ALine, TDrayStatArray &ATable);
  static void ParseSNRLine(std::string_view ALine, TDrayStatArray &ATable);
  static void ParseBinStatsLine(std::string_view ALine, TDrayBinArray &ATable);

private:
  // After a snapshot file is read: HLog, QLN, SNR, bins; upstream first.
  void RebuildAllTables();

  std::uint32_t FDataVersion = 0;
  std::string FName;
  TVDSLProfile FProfile = vpNA;
  TTextLines FStats;
  TDrayBinArray FShowBinStatsUS{};
  TDrayBinArray FShowBinStatsDS{};
  TTextLines FBinStatsUSRaw;
  TTextLines FBinStatsDSRaw;
  mutable TDrayLock FBinStatsLock;
  TDrayStatArray FHLogStatsUS{};
  TDrayStatArray FHLogStatsDS{};
  TTextLines FHLogDSRaw;
  TTextLines FHLogUSRaw;
  TStatMultipliers FHLogMultipliers{};
  mutable TDrayLock FHLogLock;
  TDrayStatArray FQLNStatsDS{};
  TDrayStatArray FQLNStatsUS{};
  TTextLines FQLNDSRaw;
  TTextLines FQLNUSRaw;
  TStatMultipliers FQLNMultipliers{};
  mutable TDrayLock FQLNLock;
  TDrayStatArray FSNRStatsUS{};
  TDrayStatArray FSNRStatsDS{};
  TTextLines FSNRDSRaw;
  TTextLines FSNRUSRaw;
  TStatMultipliers FSNRMultipliers{};
  mutable TDrayLock FSNRLock;
};

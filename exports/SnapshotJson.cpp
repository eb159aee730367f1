#include "SnapshotJson.h"

#include <nlohmann/json.hpp>

#include "CodePage.h"
#include "DrayData.h"

namespace {

// Keys keep the order they are written in, so the object reads like the
// snapshot file: name first, raw text last.
using TJson = nlohmann::ordered_json;

// Texts reach a snapshot from files and routers in any state; the JSON must
// be UTF-8, so a broken sequence becomes U+FFFD here rather than an error.
TJson Text(std::string_view AText) { return SanitizeUtf8(AText); }

TJson Lines(const TTextLines &ALines) {
  TJson Array = TJson::array();
  for (const std::string_view Line : ALines)
    Array.push_back(Text(Line));
  return Array;
}

// Each entry: the number, null for no value, "unassigned" when never written.
TJson StatArray(const TDrayStatArray &ATable) {
  TJson Array = TJson::array();
  for (const TStatValue &Entry : ATable) {
    if (Entry.IsUnassigned())
      Array.push_back("unassigned");
    else if (Entry.IsNull())
      Array.push_back(nullptr);
    else
      Array.push_back(Entry.AsInteger());
  }
  return Array;
}

TJson StatKind(TStatMultipliers ASizes, const TDrayStatArray &AUS, const TDrayStatArray &ADS) {
  TJson Kind;
  Kind["groupSize"] = {ASizes[0], ASizes[1]};
  Kind["us"] = StatArray(AUS);
  Kind["ds"] = StatArray(ADS);
  return Kind;
}

template <typename TField>
TJson BinField(const TDrayBinArray &ATable, TField AField) {
  TJson Array = TJson::array();
  for (const TDrayBinEntry &Entry : ATable)
    Array.push_back(AField(Entry));
  return Array;
}

TJson BinTable(const TDrayBinArray &ATable) {
  TJson Table;
  Table["bin"] = BinField(ATable, [](const TDrayBinEntry &E) { return E.Bin; });
  Table["snr"] = BinField(ATable, [](const TDrayBinEntry &E) { return E.SNR; });
  Table["gain"] = BinField(ATable, [](const TDrayBinEntry &E) { return E.Gain; });
  Table["bits"] = BinField(ATable, [](const TDrayBinEntry &E) { return E.ToneBits; });
  return Table;
}

TJson RawKind(const TTextLines &AUS, const TTextLines &ADS) {
  TJson Kind;
  Kind["us"] = Lines(AUS);
  Kind["ds"] = Lines(ADS);
  return Kind;
}

TJson RawTexts(const TDrayData &AData) {
  TJson Raw;
  Raw["hlog"] = RawKind(AData.HLogUSRaw(), AData.HLogDSRaw());
  Raw["qln"] = RawKind(AData.QLNUSRaw(), AData.QLNDSRaw());
  Raw["snr"] = RawKind(AData.SNRUSRaw(), AData.SNRDSRaw());
  Raw["bins"] = RawKind(AData.BinStatsUSRaw(), AData.BinStatsDSRaw());
  return Raw;
}

} // namespace

std::string SnapshotJson(const TDrayData &AData) {
  TJson Json;
  Json["name"] = Text(AData.Name());
  Json["dataVersion"] = AData.DataVersion();
  Json["profile"] = ProfileName(AData.VDSLProfile());
  Json["profileIndex"] = static_cast<int>(AData.VDSLProfile());
  Json["status"] = Lines(AData.Stats());
  Json["hlog"] = StatKind(AData.HLogMultipliers(), AData.HLogStatsUS(), AData.HLogStatsDS());
  Json["qln"] = StatKind(AData.QLNMultipliers(), AData.QLNStatsUS(), AData.QLNStatsDS());
  Json["snr"] = StatKind(AData.SNRMultipliers(), AData.SNRStatsUS(), AData.SNRStatsDS());
  Json["bins"] = {{"us", BinTable(AData.ShowBinStatsUS())}, {"ds", BinTable(AData.ShowBinStatsDS())}};
  Json["raw"] = RawTexts(AData);
  return Json.dump();
}

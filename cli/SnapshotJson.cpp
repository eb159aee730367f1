#include "SnapshotJson.h"

#include "DrayData.h"
#include "JsonWriter.h"

namespace {

void WriteLines(TJsonWriter &AJson, const TTextLines &ALines) {
  AJson.BeginArray();
  for (const std::string &Line : ALines)
    AJson.String(Line);
  AJson.EndArray();
}

// Each entry: the number, null for no value, "unassigned" when never written.
void WriteStatArray(TJsonWriter &AJson, const TDrayStatArray &ATable) {
  AJson.BeginArray();
  for (const TStatValue &Entry : ATable) {
    if (Entry.IsUnassigned())
      AJson.String("unassigned");
    else if (Entry.IsNull())
      AJson.Null();
    else
      AJson.Integer(Entry.AsInteger());
  }
  AJson.EndArray();
}

void WriteStatKind(TJsonWriter &AJson, const char *AKey, TStatMultipliers ASizes, const TDrayStatArray &AUS,
                   const TDrayStatArray &ADS) {
  AJson.Key(AKey);
  AJson.BeginObject();
  AJson.Key("groupSize");
  AJson.BeginArray();
  AJson.Integer(ASizes[0]);
  AJson.Integer(ASizes[1]);
  AJson.EndArray();
  AJson.Key("us");
  WriteStatArray(AJson, AUS);
  AJson.Key("ds");
  WriteStatArray(AJson, ADS);
  AJson.EndObject();
}

template <typename TField>
void WriteBinField(TJsonWriter &AJson, const char *AKey, const TDrayBinArray &ATable, TField AField) {
  AJson.Key(AKey);
  AJson.BeginArray();
  for (const TDrayBinEntry &Entry : ATable)
    AJson.Integer(AField(Entry));
  AJson.EndArray();
}

void WriteBinTable(TJsonWriter &AJson, const char *AKey, const TDrayBinArray &ATable) {
  AJson.Key(AKey);
  AJson.BeginObject();
  WriteBinField(AJson, "bin", ATable, [](const TDrayBinEntry &E) { return E.Bin; });
  WriteBinField(AJson, "snr", ATable, [](const TDrayBinEntry &E) { return E.SNR; });
  WriteBinField(AJson, "gain", ATable, [](const TDrayBinEntry &E) { return E.Gain; });
  WriteBinField(AJson, "bits", ATable, [](const TDrayBinEntry &E) { return E.ToneBits; });
  AJson.EndObject();
}

void WriteRawKind(TJsonWriter &AJson, const char *AKey, const TTextLines &AUS, const TTextLines &ADS) {
  AJson.Key(AKey);
  AJson.BeginObject();
  AJson.Key("us");
  WriteLines(AJson, AUS);
  AJson.Key("ds");
  WriteLines(AJson, ADS);
  AJson.EndObject();
}

} // namespace

std::string SnapshotJson(const TDrayData &AData) {
  TJsonWriter Json;
  Json.BeginObject();
  Json.Key("name");
  Json.String(AData.Name());
  Json.Key("dataVersion");
  Json.Integer(AData.DataVersion());
  Json.Key("profile");
  Json.String(ProfileName(AData.VDSLProfile()));
  Json.Key("profileIndex");
  Json.Integer(AData.VDSLProfile());
  Json.Key("status");
  WriteLines(Json, AData.Stats());
  WriteStatKind(Json, "hlog", AData.HLogMultipliers(), AData.HLogStatsUS(), AData.HLogStatsDS());
  WriteStatKind(Json, "qln", AData.QLNMultipliers(), AData.QLNStatsUS(), AData.QLNStatsDS());
  WriteStatKind(Json, "snr", AData.SNRMultipliers(), AData.SNRStatsUS(), AData.SNRStatsDS());
  Json.Key("bins");
  Json.BeginObject();
  WriteBinTable(Json, "us", AData.ShowBinStatsUS());
  WriteBinTable(Json, "ds", AData.ShowBinStatsDS());
  Json.EndObject();
  Json.Key("raw");
  Json.BeginObject();
  WriteRawKind(Json, "hlog", AData.HLogUSRaw(), AData.HLogDSRaw());
  WriteRawKind(Json, "qln", AData.QLNUSRaw(), AData.QLNDSRaw());
  WriteRawKind(Json, "snr", AData.SNRUSRaw(), AData.SNRDSRaw());
  WriteRawKind(Json, "bins", AData.BinStatsUSRaw(), AData.BinStatsDSRaw());
  Json.EndObject();
  Json.EndObject();
  return Json.Text();
}

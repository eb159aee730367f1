#include "HistoryJson.h"

#include <cmath>

#include "Capture.h"
#include "CodePage.h"
#include "JsonFigures.h"
#include "LineAnalysis.h"
#include "ToneDifference.h"
#include "ToneEnvelope.h"

namespace {

double Rounded(double AValue) { return std::round(AValue * 100) / 100; }

TJson Figures(const TCaptureFigures &AFigures) {
  return {{"actualRate", Pair(AFigures.ActualRate)},
          {"attainableRate", Pair(AFigures.AttainableRate)},
          {"snrMargin", Pair(AFigures.SNRMargin)},
          {"attenuation", Pair(AFigures.Attenuation)},
          {"lineRate", Pair(AFigures.LineRate)},
          {"counters", Counters(AFigures.Counters)}};
}

TJson Range(const std::optional<TRange> &ARange) {
  if (!ARange)
    return nullptr;
  return {{"min", ARange->Min}, {"mean", Rounded(ARange->Mean)}, {"max", ARange->Max}};
}

template <typename T> TJson Sides(const std::array<std::vector<std::optional<T>>, 2> &AValues, std::size_t ATone) {
  return {{"us", OrNull(AValues[0][ATone])}, {"ds", OrNull(AValues[1][ATone])}};
}

TJson ToneLists(const std::array<std::vector<int>, 2> &ATones) { return {{"us", ATones[0]}, {"ds", ATones[1]}}; }

TJson Side(const TDrayData &AData) {
  TJson Json = {{"name", SanitizeUtf8(AData.Name())}, {"profile", ProfileName(AData.VDSLProfile())}};
  Json["figures"] = Figures(CaptureFiguresOf(AnalyzeLine(AData)));
  return Json;
}

} // namespace

std::string CapturesJson(const std::vector<TCapture> &ACaptures) {
  TJson Array = TJson::array();
  for (const TCapture &Capture : ACaptures) {
    // Whatever the database holds, the JSON is UTF-8: a broken sequence
    // becomes U+FFFD, as in the snapshot's own JSON.
    TJson Entry = {{"id", Capture.Id},
                   {"time", SanitizeUtf8(Capture.Time)},
                   {"name", SanitizeUtf8(Capture.Name)},
                   {"profile", Capture.Profile.empty() ? TJson(nullptr) : TJson(SanitizeUtf8(Capture.Profile))},
                   {"ok", Capture.Ok},
                   {"error", Capture.Ok ? TJson(nullptr) : TJson(SanitizeUtf8(Capture.Error))},
                   {"partial", Capture.Partial.empty() ? TJson(nullptr) : TJson(SanitizeUtf8(Capture.Partial))}};
    Entry.update(Figures(Capture.Figures));
    Array.push_back(std::move(Entry));
  }
  return Array.dump(2);
}

std::string EnvelopeJson(const TToneEnvelope &AEnvelope) {
  TJson Tones = TJson::array();
  for (std::size_t Tone = 0; Tone < AEnvelope.Tones.size(); ++Tone) {
    const TToneRanges &Ranges = AEnvelope.Tones[Tone];
    Tones.push_back({{"tone", Tone},
                     {"snr", {{"us", Range(Ranges.SNR[0])}, {"ds", Range(Ranges.SNR[1])}}},
                     {"bits", {{"us", Range(Ranges.Bits[0])}, {"ds", Range(Ranges.Bits[1])}}}});
  }
  const TJson Json = {{"profile", AEnvelope.Profile}, {"captures", AEnvelope.Captures}, {"tones", std::move(Tones)}};
  return Json.dump();
}

std::string DiffJson(const TDrayData &A, const TDrayData &B, const TToneDifference &ADiff) {
  TJson Tones = TJson::array();
  for (std::size_t Tone = 0; Tone < static_cast<std::size_t>(ADiff.ToneCount); ++Tone)
    Tones.push_back({{"tone", Tone},
                     {"hlog", Sides(ADiff.Stats[0], Tone)},
                     {"qln", Sides(ADiff.Stats[1], Tone)},
                     {"snr", Sides(ADiff.Stats[2], Tone)},
                     {"bits", Sides(ADiff.Bits, Tone)},
                     {"gain", Sides(ADiff.Gain, Tone)}});
  const TJson Json = {{"a", Side(A)},
                      {"b", Side(B)},
                      {"gainedBits", ToneLists(ADiff.GainedBits)},
                      {"lostBits", ToneLists(ADiff.LostBits)},
                      {"tones", std::move(Tones)}};
  return Json.dump();
}

#include "ToneAnswers.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace {

constexpr TDirection US = TDirection::Upstream;
constexpr TDirection DS = TDirection::Downstream;
constexpr int GroupsPerLine = 8;
const char *const InfoHeader =
    "  ---------------------- ATU-R Info (hw: annex B, f/w: annex A/B/C) -----------";

using TToneValue = std::function<double(int ATone)>;

// The mean over the group's tones in the direction's bands; none when the
// group lies wholly outside them.
std::optional<int> GroupValue(const TLineModel &AModel, int AGroup, TDirection ADirection,
                              const TToneValue &AValue) {
  const int First = AGroup * AModel.GroupSize();
  double Sum = 0;
  int Count = 0;
  for (int Tone = First; Tone < First + AModel.GroupSize() && Tone < AModel.ToneCount(); ++Tone)
    if (AModel.InBand(Tone, ADirection)) {
      Sum += AValue(Tone);
      ++Count;
    }
  if (Count == 0)
    return std::nullopt;
  return static_cast<int>(std::lround(Sum / Count));
}

std::string BinLine(const TLineModel &AModel, int AFirstGroup, TDirection ADirection,
                    const TToneValue &AValue, std::optional<int> AMissing) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "bin=%4d:", AFirstGroup);
  std::string Line = Text;
  for (int Group = AFirstGroup; Group < AFirstGroup + GroupsPerLine; ++Group) {
    std::optional<int> Value = GroupValue(AModel, Group, ADirection, AValue);
    if (!Value)
      Value = AMissing;
    if (Value)
      std::snprintf(Text, sizeof Text, " %4d,", *Value);
    else
      std::snprintf(Text, sizeof Text, "     ,");
    Line += Text;
  }
  return Line;
}

void AddDirection(TTextLines &ALines, const TLineModel &AModel, TDirection ADirection,
                  const TToneValue &AValue, std::optional<int> AMissing) {
  for (int Group = 0; Group < DrayStatCount; Group += GroupsPerLine)
    ALines.push_back(BinLine(AModel, Group, ADirection, AValue, AMissing));
}

// The layout the snapshot relies on: group sizes, the upstream marker and its
// lines, one spacer line, the downstream marker and its lines; the router
// prompt follows directly.
TTextLines PerToneAnswer(const TLineModel &AModel, const char *ATitle, const char *AUnit,
                         const std::function<double(int, TDirection)> &AValue,
                         std::optional<int> AMissing) {
  char Text[96];
  TTextLines Lines{InfoHeader, std::string(" [ ") + ATitle + " ]"};
  std::snprintf(Text, sizeof Text, " GroupSize    :    %d    %d   (US DS)", AModel.GroupSize(),
                AModel.GroupSize());
  Lines.push_back(Text);
  Lines.push_back(std::string(" US: (") + AUnit + ")");
  AddDirection(Lines, AModel, US, [&](int ATone) { return AValue(ATone, US); }, AMissing);
  Lines.emplace_back();
  Lines.push_back(std::string(" DS: (") + AUnit + ")");
  AddDirection(Lines, AModel, DS, [&](int ATone) { return AValue(ATone, DS); }, AMissing);
  return Lines;
}

std::string BinsQuad(const TLineModel &AModel, int ATone, TDirection ADirection) {
  char Text[40];
  std::snprintf(Text, sizeof Text, "%4d %5d %4d %2d", ATone,
                static_cast<int>(std::lround(AModel.SNR(ATone, ADirection))),
                AModel.Gain(ATone, ADirection), AModel.Bits(ATone, ADirection));
  return Text;
}

} // namespace

TTextLines HLogAnswer(const TLineModel &AModel) {
  return PerToneAnswer(
      AModel, "HLOG", "dB", [&](int ATone, TDirection) { return AModel.HLog(ATone); },
      std::nullopt);
}

TTextLines QLNAnswer(const TLineModel &AModel) {
  // The router prints -150 where it measured nothing.
  return PerToneAnswer(
      AModel, "QLN", "dBm/Hz", [&](int ATone, TDirection) { return AModel.QLN(ATone); }, -150);
}

TTextLines SNRAnswer(const TLineModel &AModel) {
  return PerToneAnswer(
      AModel, "SNR", "dB",
      [&](int ATone, TDirection ADirection) { return AModel.SNR(ATone, ADirection); },
      std::nullopt);
}

TTextLines BinsAnswer(const TLineModel &AModel, TDirection ADirection) {
  const std::string Rule(77, '-');
  const std::string Quad = "Bin   SNR Gain Bi";
  const std::string Units = "       dB .1dB ts";
  const std::string Dashes = "--- ----- ---- --";
  TTextLines Lines{ADirection == DS ? "DOWNSTREAM :" : "UPSTREAM :", Rule,
                   Quad + " - " + Quad + " - " + Quad + " - " + Quad,
                   Units + "   " + Units + "   " + Units + "   " + Units,
                   Dashes + " - " + Dashes + " - " + Dashes + " - " + Dashes};
  for (int Tone = 0; Tone < AModel.ToneCount(); Tone += 4) {
    std::string Line;
    for (int K = Tone; K < Tone + 4 && K < AModel.ToneCount(); ++K)
      Line += (K == Tone ? "" : " * ") + BinsQuad(AModel, K, ADirection);
    Lines.push_back(Line);
  }
  return Lines;
}

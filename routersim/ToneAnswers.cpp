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

// How a group's tones make one entry. Noise powers add, so the QLN of a group
// is the mean of its tones' powers: a carrier narrower than the group still
// shows with most of its rise. HLog and SNR change little across a group,
// and the mean of their dB values is what they read as.
enum class TGroupMean { Db, Power };

double Mean(double ASum, int ACount, TGroupMean AMean) {
  return AMean == TGroupMean::Power ? 10 * std::log10(ASum / ACount) : ASum / ACount;
}

// The mean over the group's tones in the direction's bands; none when the
// group lies wholly outside them.
std::optional<int> GroupValue(const TLineModel &AModel, int AGroup, TDirection ADirection,
                              const TToneValue &AValue, TGroupMean AMean) {
  const int First = AGroup * AModel.GroupSize();
  double Sum = 0;
  int Count = 0;
  for (int Tone = First; Tone < First + AModel.GroupSize() && Tone < AModel.ToneCount(); ++Tone)
    if (AModel.InBand(Tone, ADirection)) {
      Sum += AMean == TGroupMean::Power ? std::pow(10.0, AValue(Tone) / 10) : AValue(Tone);
      ++Count;
    }
  if (Count == 0)
    return std::nullopt;
  return static_cast<int>(std::lround(Mean(Sum, Count, AMean)));
}

// What a per-tone answer prints: the value of a tone in a direction, how a
// group's tones make one entry, and the text for a group without value
// (none: an empty value).
struct TToneTable {
  const char *Title;
  const char *Unit;
  std::function<double(int, TDirection)> Value;
  TGroupMean GroupMean;
  std::optional<int> Missing;
};

std::string BinLine(const TLineModel &AModel, int AFirstGroup, TDirection ADirection,
                    const TToneTable &ATable) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "bin=%4d:", AFirstGroup);
  std::string Line = Text;
  for (int Group = AFirstGroup; Group < AFirstGroup + GroupsPerLine; ++Group) {
    std::optional<int> Value = GroupValue(
        AModel, Group, ADirection, [&](int ATone) { return ATable.Value(ATone, ADirection); }, ATable.GroupMean);
    if (!Value)
      Value = ATable.Missing;
    if (Value)
      std::snprintf(Text, sizeof Text, " %4d,", *Value);
    else
      std::snprintf(Text, sizeof Text, "     ,");
    Line += Text;
  }
  return Line;
}

void AddDirection(TTextLines &ALines, const TLineModel &AModel, TDirection ADirection,
                  const TToneTable &ATable) {
  for (int Group = 0; Group < DrayStatCount; Group += GroupsPerLine)
    ALines.push_back(BinLine(AModel, Group, ADirection, ATable));
}

// The layout the snapshot relies on: group sizes, the upstream marker and its
// lines, one spacer line, the downstream marker and its lines; the router
// prompt follows directly.
TTextLines PerToneAnswer(const TLineModel &AModel, const TToneTable &ATable) {
  char Text[96];
  TTextLines Lines{InfoHeader, std::string(" [ ") + ATable.Title + " ]"};
  std::snprintf(Text, sizeof Text, " GroupSize    :    %d    %d   (US DS)", AModel.GroupSize(),
                AModel.GroupSize());
  Lines.push_back(Text);
  Lines.push_back(std::string(" US: (") + ATable.Unit + ")");
  AddDirection(Lines, AModel, US, ATable);
  Lines.emplace_back();
  Lines.push_back(std::string(" DS: (") + ATable.Unit + ")");
  AddDirection(Lines, AModel, DS, ATable);
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
  return PerToneAnswer(AModel, {"HLOG", "dB", [&](int ATone, TDirection) { return AModel.HLog(ATone); },
                                TGroupMean::Db, std::nullopt});
}

TTextLines QLNAnswer(const TLineModel &AModel) {
  // The router prints -150 where it measured nothing.
  return PerToneAnswer(AModel, {"QLN", "dBm/Hz", [&](int ATone, TDirection) { return AModel.QLN(ATone); },
                                TGroupMean::Power, -150});
}

TTextLines SNRAnswer(const TLineModel &AModel) {
  return PerToneAnswer(AModel, {"SNR", "dB",
                                [&](int ATone, TDirection ADirection) { return AModel.SNR(ATone, ADirection); },
                                TGroupMean::Db, std::nullopt});
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
  // Like every other answer, the listing ends in an empty line before the
  // prompt: the retrieval trims two lines off the end, and without it the
  // last four tones would go with the prompt.
  Lines.emplace_back();
  return Lines;
}

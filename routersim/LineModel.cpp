#include "LineModel.h"

#include <algorithm>
#include <cmath>

#include "ToneJitter.h"

namespace {

constexpr TDirection US = TDirection::Upstream;
constexpr TDirection DS = TDirection::Downstream;

// Band plan 998ADE17 (tones of 4.3125 kHz), extended for 35b; 30a has its
// own plan with tones of 8.625 kHz.
const std::vector<TLineBand> Plan17 = {{"US0", 6, 32, US},       {"DS1", 33, 869, DS},
                                       {"US1", 870, 1205, US},   {"DS2", 1206, 1971, DS},
                                       {"US2", 1972, 2782, US},  {"DS3", 2783, 4095, DS}};
const std::vector<TLineBand> Plan30 = {{"US0", 3, 15, US},       {"DS1", 16, 434, DS},
                                       {"US1", 435, 602, US},    {"DS2", 603, 985, DS},
                                       {"US2", 986, 1391, US},   {"DS3", 1392, 2666, DS},
                                       {"US3", 2667, 3478, US}};

int Index(TDirection ADirection) { return ADirection == US ? 0 : 1; }

double PowerSum(double ADB1, double ADB2) {
  return 10 * std::log10(std::pow(10.0, ADB1 / 10) + std::pow(10.0, ADB2 / 10));
}

std::vector<TLineBand> BandsOf(TVDSLProfile AProfile) {
  if (AProfile == vp30a)
    return Plan30;
  std::vector<TLineBand> Bands;
  const int Last = ProfileToneCount(AProfile) - 1;
  for (const TLineBand &Band : Plan17)
    if (Band.First <= Last)
      Bands.push_back({Band.Name, Band.First, std::min(Band.Last, Last), Band.Direction});
  if (AProfile == vp35b)
    Bands.push_back({"DS4", 4096, 8191, DS});
  return Bands;
}

TCopperLoop LoopOf(TVDSLProfile AProfile, const TLineSetup &ALine) {
  CheckLineSetup(ALine);
  return TCopperLoop(*FindCableGauge(ALine.GaugeMm), ALine.LoopLengthM.value_or(UsualLoopLengthM(AProfile)),
                     ALine.TapLengthM, ALine.VelocityFactor);
}

} // namespace

TLineModel::TLineModel(TVDSLProfile AProfile, const TLineSetup &ALine)
    : FProfile(AProfile), FLine(ALine), FToneCount(ProfileToneCount(AProfile)),
      FSpacingKHz(ToneSpacingHz(AProfile) / 1000), FBands(BandsOf(AProfile)), FLoop(LoopOf(AProfile, ALine)),
      FNoise(ALine.Disturbers, ALine.NoiseShiftDb), FNoiseShiftDb(ALine.NoiseShiftDb) {
  FGroupSize = 1;
  while (FGroupSize * DrayStatCount < FToneCount)
    FGroupSize *= 2;
  Tabulate();
}

void TLineModel::Tabulate() {
  for (int Tone = 0; Tone < FToneCount; ++Tone) {
    FHLog.push_back(HLogAt(FrequencyMHz(Tone)));
    FQLN.push_back(FNoise.QLNDbmHz(Tone, FrequencyMHz(Tone)));
  }
  for (TDirection Direction : {US, DS})
    for (int Tone = 0; Tone < FToneCount; ++Tone) {
      FSNR[Index(Direction)].push_back(ModelSNR(Tone, Direction));
      FBits[Index(Direction)].push_back(BitsFor(FSNR[Index(Direction)].back()));
    }
}

bool TLineModel::InBand(int ATone, TDirection ADirection) const {
  return std::any_of(FBands.begin(), FBands.end(), [&](const TLineBand &ABand) {
    return ABand.Direction == ADirection && ATone >= ABand.First && ATone <= ABand.Last;
  });
}

double TLineModel::TransmitPSD(int ATone, TDirection ADirection) const {
  if (ADirection == US)
    return -52;
  return FrequencyMHz(ATone) > 17.664 ? -58 : -50;
}

double TLineModel::ModelSNR(int ATone, TDirection ADirection) const {
  if (!InBand(ATone, ADirection))
    return 0;
  const double Raw = TransmitPSD(ATone, ADirection) + HLog(ATone) - QLN(ATone) - 3;
  // The receiver's own noise keeps the SNR of a short loop near 55 dB.
  const double Capped = -PowerSum(-Raw, -55);
  return std::max(Capped, 0.0);
}

double TLineModel::SNR(int ATone, TDirection ADirection) const { return FSNR[Index(ADirection)].at(ATone); }

int TLineModel::BitsFor(double ASNR) {
  if (ASNR <= 0)
    return 0;
  // Shannon gap 9.75 dB, margin 6 dB, coding gain 5 dB; 15 bits at most.
  const int Bits = static_cast<int>(std::floor((ASNR - 9.75 - 6 + 5) / 3.01));
  return Bits < 2 ? 0 : std::min(Bits, 15);
}

int TLineModel::Bits(int ATone, TDirection ADirection) const { return FBits[Index(ADirection)].at(ATone); }

int TLineModel::Gain(int ATone, TDirection ADirection) const {
  if (Bits(ATone, ADirection) == 0)
    return 0;
  static const int FineGains[] = {-19, 0, 0, 15, 0, -19, 15, 0};
  return FineGains[static_cast<int>((ToneJitter(ATone, 3) + 1) * 3.99)];
}

long long TLineModel::TotalBits(TDirection ADirection) const {
  const std::vector<int> &Bits = FBits[Index(ADirection)];
  long long Sum = 0;
  for (int ToneBits : Bits)
    Sum += ToneBits;
  return Sum;
}

double TLineModel::BandAttenuation(const TLineBand &ABand) const {
  double Sum = 0;
  for (int Tone = ABand.First; Tone <= ABand.Last; ++Tone)
    Sum -= HLog(Tone);
  return Sum / (ABand.Last - ABand.First + 1);
}

double TLineModel::MeanSNR(TDirection ADirection) const {
  double Sum = 0;
  int Count = 0;
  for (int Tone = 0; Tone < FToneCount; ++Tone)
    if (InBand(Tone, ADirection)) {
      Sum += SNR(Tone, ADirection);
      ++Count;
    }
  return Count ? Sum / Count : 0;
}

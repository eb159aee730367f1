#include "LineModel.h"

#include <algorithm>
#include <cmath>

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

struct TDisturber {
  double CentreMHz;
  double WidthMHz;
  double LevelDBm; // peak noise, dBm/Hz
};

// Medium-wave broadcasters and the amateur bands that show up on real lines.
const TDisturber Disturbers[] = {{0.693, 0.006, -104}, {0.909, 0.006, -108},
                                 {1.215, 0.006, -110}, {1.9, 0.05, -118},
                                 {3.65, 0.08, -116},   {7.1, 0.05, -112},
                                 {14.2, 0.09, -122},   {21.2, 0.1, -124},
                                 {28.5, 0.4, -126}};

double PowerSum(double ADB1, double ADB2) {
  return 10 * std::log10(std::pow(10.0, ADB1 / 10) + std::pow(10.0, ADB2 / 10));
}

// A repeatable small number in [-1, 1] per tone, for the ripple of a real line.
double Jitter(int ATone, int ASalt) {
  unsigned X = static_cast<unsigned>(ATone) * 2654435761u + static_cast<unsigned>(ASalt) * 40503u;
  X ^= X >> 13;
  X *= 0x5bd1e995u;
  X ^= X >> 15;
  return (X % 2001) / 1000.0 - 1.0;
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

double LoopOf(TVDSLProfile AProfile) {
  switch (AProfile) {
  case vp35b: return 0.35;
  case vp30a: return 0.3;
  case vp17a: return 0.5;
  case vp12a:
  case vp12b: return 0.7;
  default: return 0.9;
  }
}

} // namespace

TLineModel::TLineModel(TVDSLProfile AProfile)
    : FProfile(AProfile), FToneCount(ProfileToneCount(AProfile)),
      FSpacingKHz(ToneSpacingHz(AProfile) / 1000), FLoopKm(LoopOf(AProfile)),
      FBands(BandsOf(AProfile)) {
  FGroupSize = 1;
  while (FGroupSize * DrayStatCount < FToneCount)
    FGroupSize *= 2;
}

bool TLineModel::InBand(int ATone, TDirection ADirection) const {
  return std::any_of(FBands.begin(), FBands.end(), [&](const TLineBand &ABand) {
    return ABand.Direction == ADirection && ATone >= ABand.First && ATone <= ABand.Last;
  });
}

double TLineModel::HLog(int ATone) const {
  const double F = std::max(FrequencyMHz(ATone), 0.01);
  // Skin effect and dielectric loss, plus a little ripple from a bridged tap.
  const double Loss = 1.5 + FLoopKm * (18 * std::sqrt(F) + 1.2 * F);
  const double Ripple = 0.8 * std::sin(2 * M_PI * F / 4.7) + 0.2 * Jitter(ATone, 1);
  return -(Loss + Ripple);
}

double TLineModel::QLN(int ATone) const {
  const double F = FrequencyMHz(ATone);
  double Noise = PowerSum(-140, -120 - 0.8 * F) + 0.6 * Jitter(ATone, 2);
  for (const TDisturber &D : Disturbers) {
    const double Distance = (F - D.CentreMHz) / D.WidthMHz;
    if (std::fabs(Distance) < 4)
      Noise = PowerSum(Noise, D.LevelDBm - 4.3 * Distance * Distance);
  }
  return std::clamp(Noise, -149.5, -90.0);
}

double TLineModel::TransmitPSD(int ATone, TDirection ADirection) const {
  if (ADirection == US)
    return -52;
  return FrequencyMHz(ATone) > 17.664 ? -58 : -50;
}

double TLineModel::SNR(int ATone, TDirection ADirection) const {
  if (!InBand(ATone, ADirection))
    return 0;
  const double Raw = TransmitPSD(ATone, ADirection) + HLog(ATone) - QLN(ATone) - 3;
  // The receiver's own noise keeps the SNR of a short loop near 55 dB.
  const double Capped = -PowerSum(-Raw, -55);
  return std::max(Capped, 0.0);
}

int TLineModel::Bits(int ATone, TDirection ADirection) const {
  const double Snr = SNR(ATone, ADirection);
  if (Snr <= 0)
    return 0;
  // Shannon gap 9.75 dB, margin 6 dB, coding gain 5 dB; 15 bits at most.
  const int Bits = static_cast<int>(std::floor((Snr - 9.75 - 6 + 5) / 3.01));
  return Bits < 2 ? 0 : std::min(Bits, 15);
}

int TLineModel::Gain(int ATone, TDirection ADirection) const {
  if (Bits(ATone, ADirection) == 0)
    return 0;
  static const int FineGains[] = {-19, 0, 0, 15, 0, -19, 15, 0};
  return FineGains[static_cast<int>((Jitter(ATone, 3) + 1) * 3.99)];
}

long long TLineModel::RateBps(TDirection ADirection) const {
  long long Bits = 0;
  for (int Tone = 0; Tone < FToneCount; ++Tone)
    Bits += this->Bits(Tone, ADirection);
  // 4000 data symbols a second, less framing overhead.
  return Bits * 4000 * 93 / 100;
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

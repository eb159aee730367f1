#include "SyntheticLine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdio>

#include "BandPlan.h"
#include "CapturedFiles.h"
#include "DrayData.h"
#include "TestFiles.h"

namespace {

using TComplex = std::complex<double>;
using TMatrix = std::array<TComplex, 4>;  // A, B, C, D

constexpr double Z0 = 100;  // ohm; the ends are matched, so its value drops out
constexpr double C0 = 299792458.0;

TMatrix Times(const TMatrix &L, const TMatrix &R) {
  return {L[0] * R[0] + L[1] * R[2], L[0] * R[1] + L[1] * R[3], L[2] * R[0] + L[3] * R[2],
          L[2] * R[1] + L[3] * R[3]};
}

TMatrix Section(TComplex AGammaL) {
  return {std::cosh(AGammaL), Z0 * std::sinh(AGammaL), std::sinh(AGammaL) / Z0, std::cosh(AGammaL)};
}

// An open branch at the junction: a shunt of admittance tanh(gamma L) / Z0.
TMatrix Shunt(TComplex AGammaL) { return {1.0, 0.0, std::tanh(AGammaL) / Z0, 1.0}; }

// Loss of AKl0Db at 1 MHz over a loop of ALengthM as gamma: attenuation
// proportional to sqrt(f), phase at the velocity of propagation.
TComplex Gamma(double AFrequencyHz, double ADbPerMAt1MHz, double AVelocityFactor) {
  const double Alpha = ADbPerMAt1MHz * std::sqrt(AFrequencyHz / 1e6) / 8.685889638;
  return {Alpha, 2 * M_PI * AFrequencyHz / (AVelocityFactor * C0)};
}

double HLogDb(const TSyntheticLine &ALine, double AFrequencyHz) {
  // A 1 km loop whose loss per metre gives kl0; the tap halfway along.
  const double LoopM = 1000;
  const TComplex LoopGamma = Gamma(AFrequencyHz, ALine.Kl0Db / LoopM, ALine.VelocityFactor);
  TMatrix Chain = Section(LoopGamma * (LoopM / 2));
  if (ALine.TapLengthM)
    Chain = Times(Chain, Shunt(Gamma(AFrequencyHz, ALine.TapDbPerKmAt1MHz / 1000, ALine.VelocityFactor) *
                               *ALine.TapLengthM));
  Chain = Times(Chain, Section(LoopGamma * (LoopM / 2)));
  // Load voltage against that of the matched source alone.
  const TComplex H = 2.0 * Z0 / (Chain[0] * Z0 + Chain[1] + Chain[2] * Z0 * Z0 + Chain[3] * Z0);
  return 20 * std::log10(std::abs(H)) - ALine.FlatLossDb;
}

// Repeatable numbers in [-1, 1].
double Ripple(std::uint32_t ASeed, int AEntry, int ASalt) {
  std::uint32_t X = ASeed * 2654435761u + static_cast<std::uint32_t>(AEntry) * 40503u +
                    static_cast<std::uint32_t>(ASalt) * 97u;
  X ^= X >> 13;
  X *= 0x5bd1e995u;
  X ^= X >> 15;
  return (X % 2001) / 1000.0 - 1.0;
}

bool InBands(TVDSLProfile AProfile, int ATone, TDirection ADirection) {
  for (const TPlanBand &Band : BandPlanOf(AProfile))
    if (Band.Direction == ADirection && ATone >= Band.FirstTone && ATone <= Band.LastTone)
      return true;
  return false;
}

template <typename TValueOf>
TTextLines Answer(const TSyntheticLine &ALine, const char *ACommand, const char *AUnit, TValueOf AValueOf) {
  // AValueOf(entry, tone, direction)
  const int Group = SyntheticGroupSize(ALine.Profile);
  char Text[128];
  std::snprintf(Text, sizeof Text, "  GroupSize      :    %2d    %2d", Group, Group);
  TTextLines Lines = {std::string("DrayTek> ") + ACommand, "  NumOfToneGroup :   512   512", Text,
                      std::string(" US: (") + AUnit + ")"};
  for (const TDirection Direction : {TDirection::Upstream, TDirection::Downstream}) {
    if (Direction == TDirection::Downstream) {
      Lines.push_back("");
      Lines.push_back(std::string(" DS: (") + AUnit + ")");
    }
    for (int First = 0; First < 512; First += 8) {
      int Used = std::snprintf(Text, sizeof Text, "bin=%4d:", First);
      for (int Entry = First; Entry < First + 8; ++Entry) {
        const int Tone = Entry * Group;
        if (InBands(ALine.Profile, Tone, Direction))
          Used += std::snprintf(Text + Used, sizeof Text - Used, " %4ld,",
                                std::lround(AValueOf(Entry, Tone, Direction)));
        else
          Used += std::snprintf(Text + Used, sizeof Text - Used, "     ,");
      }
      Lines.emplace_back(Text, static_cast<std::size_t>(Used));
    }
  }
  Lines.push_back("DrayTek> ");
  return Lines;
}

double ToneHz(const TSyntheticLine &ALine, int ATone) { return ATone * ToneSpacingHz(ALine.Profile); }

} // namespace

int SyntheticGroupSize(TVDSLProfile AProfile) {
  int Group = 1;
  while (Group * 512 < ProfileToneCount(AProfile))
    Group *= 2;
  return Group;
}

TTextLines SyntheticHLogAnswer(const TSyntheticLine &ALine) {
  return Answer(ALine, "vdsl status hlog", "dB", [&](int AEntry, int ATone, TDirection ADirection) {
    const double Hz = ToneHz(ALine, ATone);
    return HLogDb(ALine, Hz) + ALine.NoiseDb * Ripple(ALine.Seed, AEntry, 1) +
           ALine.WaveDb * std::sin(2 * M_PI * Hz / ALine.WavePeriodHz) +
           (ADirection == TDirection::Upstream ? ALine.UpstreamOffsetDb : 0);
  });
}

TTextLines SyntheticQLNAnswer(const TSyntheticLine &ALine) {
  const double EntryHz = SyntheticGroupSize(ALine.Profile) * ToneSpacingHz(ALine.Profile);
  return Answer(ALine, "vdsl status qln", "dBm/Hz", [&](int AEntry, int ATone, TDirection) {
    double Level = ALine.QLNFloorDbm + 1.5 * Ripple(ALine.Seed, AEntry, 2);
    // A peak fills the entry it falls in; its skirt half an entry wide.
    for (const TInjectedPeak &Peak : ALine.Peaks)
      Level = std::max(Level, ALine.QLNFloorDbm + Peak.RiseDb -
                                  12 * std::fabs(ToneHz(ALine, ATone) - Peak.FrequencyHz) / EntryHz);
    return Level;
  });
}

TTextLines SyntheticSNRAnswer(const TSyntheticLine &ALine) {
  return Answer(ALine, "vdsl status snr", "dB", [&](int, int, TDirection) { return ALine.SNRDb; });
}

std::string SyntheticBinsFile(const TSyntheticLine &ALine) {
  const std::vector<TPlanBand> Plan = BandPlanOf(ALine.Profile);
  auto BitsOf = [&](int ATone, TDirection ADirection) {
    for (const TPlanBand &Band : Plan)
      if (Band.Direction == ADirection && ATone >= Band.FirstTone && ATone <= Band.LastTone)
        return std::find(ALine.EmptyBands.begin(), ALine.EmptyBands.end(), Band.Name) == ALine.EmptyBands.end()
                   ? ALine.Bits
                   : 0;
    return 0;
  };
  std::string Text;
  char Line[160];
  for (const TDirection Direction : {TDirection::Downstream, TDirection::Upstream}) {
    Text += Direction == TDirection::Downstream ? "DrayTek> vdsl showbins\r\nDOWNSTREAM :\r\n"
                                                : "DrayTek> vdsl showbins up\r\nUPSTREAM :\r\n";
    for (int First = 0; First < ProfileToneCount(ALine.Profile); First += 4) {
      int Used = 0;
      for (int Tone = First; Tone < First + 4; ++Tone)
        Used += std::snprintf(Line + Used, sizeof Line - Used, "%s%4d %4d %4d %2d", Tone == First ? "" : " *  ",
                              Tone, 40, 0, BitsOf(Tone, Direction));
      Text.append(Line, static_cast<std::size_t>(Used)).append("\r\n");
    }
  }
  return Text + "DrayTek> \r\n";
}

void FillSynthetic(TDrayData &AData, const TSyntheticLine &ALine) {
  TTempFolder Folder;
  TCapturedFiles Files{Folder.Path("hlog.txt"), Folder.Path("qln.txt"), Folder.Path("snr.txt"),
                       Folder.Path("bins.txt")};
  WriteBytes(Files.HLog, TextOf(SyntheticHLogAnswer(ALine)));
  WriteBytes(Files.QLN, TextOf(SyntheticQLNAnswer(ALine)));
  WriteBytes(Files.SNR, TextOf(SyntheticSNRAnswer(ALine)));
  WriteBytes(Files.Bins, SyntheticBinsFile(ALine));
  AData.SetVDSLProfile(ALine.Profile);
  LoadCapturedFiles(AData, Files);
}

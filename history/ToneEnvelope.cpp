#include "ToneEnvelope.h"

#include <algorithm>

#include "VDSLProfile.h"

TEnvelopeBuilder::TEnvelopeBuilder(const std::string &AProfile) : FProfile(AProfile) {
  const std::optional<TVDSLProfile> Profile = ProfileFromName(AProfile);
  FToneCount = Profile ? ProfileToneCount(*Profile) : 0;
  for (auto &Kind : FSums)
    for (auto &Direction : Kind)
      Direction.assign(FToneCount, TSums{});
}

void TEnvelopeBuilder::TSums::Add(double AValue) {
  Min = Count == 0 ? AValue : std::min(Min, AValue);
  Max = Count == 0 ? AValue : std::max(Max, AValue);
  Sum += AValue;
  ++Count;
}

void TEnvelopeBuilder::Add(const TToneSeries &ASeries) {
  ++FCaptures;
  for (std::size_t Side = 0; Side < 2; ++Side) {
    const auto Group = static_cast<std::size_t>(ASeries.SNRGroupSize[Side]);
    const auto &SNR = ASeries.SNR[Side];
    for (std::size_t Entry = 0; Group > 0 && Entry < SNR.size(); ++Entry) {
      if (!SNR[Entry])
        continue;
      for (std::size_t Tone = Entry * Group; Tone < std::min((Entry + 1) * Group, FToneCount); ++Tone)
        FSums[0][Side][Tone].Add(*SNR[Entry]);
    }
    const auto &Bits = ASeries.Bits[Side];
    for (std::size_t Tone = 0; Tone < std::min(Bits.size(), FToneCount); ++Tone)
      FSums[1][Side][Tone].Add(Bits[Tone]);
  }
}

TToneEnvelope TEnvelopeBuilder::Envelope() const {
  TToneEnvelope Envelope;
  Envelope.Profile = FProfile;
  Envelope.Captures = FCaptures;
  Envelope.Tones.resize(FToneCount);
  for (std::size_t Tone = 0; Tone < FToneCount; ++Tone)
    for (std::size_t Side = 0; Side < 2; ++Side) {
      const TSums &SNR = FSums[0][Side][Tone];
      const TSums &Bits = FSums[1][Side][Tone];
      if (SNR.Count > 0)
        Envelope.Tones[Tone].SNR[Side] = TRange{SNR.Min, SNR.Sum / SNR.Count, SNR.Max};
      if (Bits.Count > 0)
        Envelope.Tones[Tone].Bits[Side] = TRange{Bits.Min, Bits.Sum / Bits.Count, Bits.Max};
    }
  return Envelope;
}

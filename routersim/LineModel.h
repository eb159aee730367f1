#pragma once
// A small physical model of one VDSL2 line, so that the simulated router's
// answers draw like a real line: loop attenuation that rises with frequency,
// a noise floor with a few narrow-band radio disturbers, and the SNR and bit
// loading that follow from them in each direction's bands.

#include <vector>

#include "StatValue.h"
#include "VDSLProfile.h"

struct TLineBand {
  const char *Name;
  int First; // tones, both included
  int Last;
  TDirection Direction;
};

class TLineModel {
public:
  explicit TLineModel(TVDSLProfile AProfile);

  TVDSLProfile Profile() const { return FProfile; }
  int ToneCount() const { return FToneCount; }
  // Tones per entry of the 512-entry HLog, QLN and SNR tables.
  int GroupSize() const { return FGroupSize; }
  double LoopKm() const { return FLoopKm; }
  const std::vector<TLineBand> &Bands() const { return FBands; }

  double FrequencyMHz(int ATone) const { return ATone * FSpacingKHz / 1000.0; }
  bool InBand(int ATone, TDirection ADirection) const;
  double HLog(int ATone) const;                     // dB
  double QLN(int ATone) const;                      // dBm/Hz
  double SNR(int ATone, TDirection ADirection) const; // dB; 0 outside the direction's bands
  int Bits(int ATone, TDirection ADirection) const;
  int Gain(int ATone, TDirection ADirection) const; // tenths of a dB
  // Net data rate from the bit loading, in bits per second.
  long long RateBps(TDirection ADirection) const;
  // Mean attenuation over a band, dB (positive).
  double BandAttenuation(const TLineBand &ABand) const;
  // Mean SNR over the direction's bands, dB.
  double MeanSNR(TDirection ADirection) const;

private:
  double TransmitPSD(int ATone, TDirection ADirection) const;

  TVDSLProfile FProfile;
  int FToneCount;
  int FGroupSize;
  double FSpacingKHz;
  double FLoopKm;
  std::vector<TLineBand> FBands;
};

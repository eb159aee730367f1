#pragma once
// A small physical model of one VDSL2 line, so that the simulated router's
// answers draw like a real line and tests know the answer: a loop whose
// attenuation rises with the square root of frequency, an optional bridged
// tap that cuts notches into it, a noise floor with the radio disturbers
// chosen, and the SNR and bit loading that follow in each direction's bands.

#include <array>
#include <vector>

#include "CopperLoop.h"
#include "LineNoise.h"
#include "LineSetup.h"
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
  // Raises ETonegraphError for a setup that CheckLineSetup refuses.
  explicit TLineModel(TVDSLProfile AProfile, const TLineSetup &ALine = {});

  TVDSLProfile Profile() const { return FProfile; }
  int ToneCount() const { return FToneCount; }
  // Tones per entry of the 512-entry HLog, QLN and SNR tables.
  int GroupSize() const { return FGroupSize; }
  // DMT symbols a second: 4000, 8000 for 30A with its doubled tone spacing.
  int SymbolRate() const { return FProfile == vp30a ? 8000 : 4000; }
  const std::vector<TLineBand> &Bands() const { return FBands; }

  // What the line is, for tests to hold an analysis of its answers against.
  const TLineSetup &Line() const { return FLine; }
  double LoopLengthM() const { return FLoop.LengthM(); }
  double GaugeMm() const { return FLoop.Gauge().DiameterMm; }
  double DbPerKmAt1MHz() const { return FLoop.Gauge().DbPerKmAt1MHz; }
  // The loop's electrical length: its attenuation at 1 MHz, dB.
  double Kl0Db() const { return FLoop.Kl0Db(); }
  double TapLengthM() const { return FLoop.TapLengthM(); }
  double VelocityFactor() const { return FLoop.VelocityFactor(); }
  // The tap's notches from AFromMHz to AToMHz; none without a tap.
  std::vector<double> NotchFrequenciesMHz(double AFromMHz, double AToMHz) const {
    return FLoop.NotchFrequenciesMHz(AFromMHz, AToMHz);
  }
  const std::vector<TLineDisturber> &Disturbers() const { return FNoise.Disturbers(); }
  double NoiseShiftDb() const { return FNoiseShiftDb; }
  double NoiseFloor(int ATone) const { return FNoise.FloorDbmHz(ATone, FrequencyMHz(ATone)); }

  double FrequencyMHz(int ATone) const { return ATone * FSpacingKHz / 1000.0; }
  bool InBand(int ATone, TDirection ADirection) const;
  double HLogAt(double AMHz) const { return FLoop.HLogDb(AMHz); } // dB, at any frequency
  double HLog(int ATone) const { return FHLog.at(ATone); }        // dB
  double QLN(int ATone) const { return FQLN.at(ATone); }          // dBm/Hz
  double SNR(int ATone, TDirection ADirection) const;             // dB; 0 outside the direction's bands
  int Bits(int ATone, TDirection ADirection) const;
  int Gain(int ATone, TDirection ADirection) const; // tenths of a dB
  // The sum of Bits over every tone of the direction.
  long long TotalBits(TDirection ADirection) const;
  // TotalBits times the symbol rate, bits per second.
  long long LineRateBps(TDirection ADirection) const { return TotalBits(ADirection) * SymbolRate(); }
  // Net data rate, bits per second: the line rate less framing overhead.
  long long RateBps(TDirection ADirection) const { return LineRateBps(ADirection) * 93 / 100; }
  // Mean attenuation over a band, dB (positive).
  double BandAttenuation(const TLineBand &ABand) const;
  // Mean SNR over the direction's bands, dB.
  double MeanSNR(TDirection ADirection) const;

private:
  double TransmitPSD(int ATone, TDirection ADirection) const;
  double ModelSNR(int ATone, TDirection ADirection) const;
  static int BitsFor(double ASNR);
  void Tabulate();

  TVDSLProfile FProfile;
  TLineSetup FLine;
  int FToneCount;
  int FGroupSize;
  double FSpacingKHz;
  std::vector<TLineBand> FBands;
  TCopperLoop FLoop;
  TLineNoise FNoise;
  double FNoiseShiftDb = 0;
  // Per tone, worked out once: the answers read them many times.
  std::vector<double> FHLog, FQLN;
  std::array<std::vector<double>, 2> FSNR; // by direction
  std::array<std::vector<int>, 2> FBits;
};

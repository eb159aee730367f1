#pragma once
// Lines with known answers, written as the router's captured answers: a loop
// of known electrical length, a bridged tap of known length, radio peaks of
// known frequency and height in the quiet line noise. The HLog is computed
// as a chain of transmission-line sections (ABCD matrices: loop, the branch's
// shunt admittance, loop) between matched ends, and printed in whole dB as
// the router prints it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "TextLines.h"
#include "VDSLProfile.h"

class TDrayData;

struct TInjectedPeak {
  double FrequencyHz;
  double RiseDb;
};

struct TSyntheticLine {
  TVDSLProfile Profile = vp17a;
  double Kl0Db = 20;              // sqrt-law loss of the loop at 1 MHz
  double FlatLossDb = 0;          // loss that does not depend on frequency
  std::optional<double> TapLengthM;
  double TapDbPerKmAt1MHz = 15.2; // the branch's cable
  double VelocityFactor = 0.67;
  double NoiseDb = 0.5;           // peak of the ripple added to HLog before rounding
  // What real lines add: a slow wave of impedance mismatches (dB peak, with
  // a period of WavePeriodHz) and a step between the two ends' measurements.
  double WaveDb = 0;
  double WavePeriodHz = 4.7e6;
  double UpstreamOffsetDb = 0;
  double QLNFloorDbm = -135;
  std::vector<TInjectedPeak> Peaks;
  double SNRDb = 40;              // every entry in the direction's bands
  int Bits = 8;                   // on every tone of the bands, but for EmptyBands
  std::vector<std::string> EmptyBands;
  std::uint32_t Seed = 1;
};

// Tones per entry of the 512-entry tables for the profile: 4, 8 or 16.
int SyntheticGroupSize(TVDSLProfile AProfile);

// "vdsl status hlog" and "vdsl status qln" answers of the line: values in
// each direction's bands of the profile, empty values elsewhere.
TTextLines SyntheticHLogAnswer(const TSyntheticLine &ALine);
TTextLines SyntheticQLNAnswer(const TSyntheticLine &ALine);

TTextLines SyntheticSNRAnswer(const TSyntheticLine &ALine);
// "vdsl showbins" followed by "vdsl showbins up", as one captured file holds them.
std::string SyntheticBinsFile(const TSyntheticLine &ALine);

// A snapshot of the line, filled from its captured answers written to files.
void FillSynthetic(TDrayData &AData, const TSyntheticLine &ALine);

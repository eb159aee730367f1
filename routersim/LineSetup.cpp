#include "LineSetup.h"

#include <cmath>
#include <cstdio>

#include "Exceptions.h"

namespace {

std::string Format(const char *AFormat, double AValue, double AOther = 0) {
  char Text[64];
  std::snprintf(Text, sizeof Text, AFormat, AValue, AOther);
  return Text;
}

} // namespace

void CheckDisturber(const TLineDisturber &ADisturber) {
  if (!(ADisturber.CentreMHz >= 0 && ADisturber.CentreMHz <= HighestDisturberMHz))
    throw ETonegraphError(Format("A disturber at %g MHz lies outside 0 to 35.328 MHz", ADisturber.CentreMHz));
  if (!(ADisturber.RiseDb > 0 && std::isfinite(ADisturber.RiseDb)))
    throw ETonegraphError(Format("A disturber needs a rise above 0 dB, not %g dB", ADisturber.RiseDb));
}

double UsualLoopLengthM(TVDSLProfile AProfile) {
  // The wider the spectrum, the closer to the street cabinet a line must be
  // to make use of it.
  switch (AProfile) {
  case vp35b: return 350;
  case vp30a: return 300;
  case vp17a: return 500;
  case vp12a:
  case vp12b: return 700;
  default: return 900;
  }
}

TLineSetup DemoLine() {
  TLineSetup Line;
  Line.TapLengthM = 20;
  Line.Disturbers = {{7.1, DefaultDisturberRiseDb}};
  return Line;
}

void CheckLineSetup(const TLineSetup &ALine) {
  if (!FindCableGauge(ALine.GaugeMm))
    throw ETonegraphError(Format("No cable of %g mm: the gauges are 0.4, 0.5 and 0.6 mm", ALine.GaugeMm));
  if (ALine.LoopLengthM && !(*ALine.LoopLengthM >= 0 && std::isfinite(*ALine.LoopLengthM)))
    throw ETonegraphError(Format("A loop of %g m cannot be", *ALine.LoopLengthM));
  if (!(ALine.TapLengthM >= 0 && std::isfinite(ALine.TapLengthM)))
    throw ETonegraphError(Format("A bridged tap of %g m cannot be", ALine.TapLengthM));
  if (!(ALine.VelocityFactor > 0 && ALine.VelocityFactor <= 1))
    throw ETonegraphError(Format("A velocity factor of %g is not between 0 and 1", ALine.VelocityFactor));
  for (const TLineDisturber &Disturber : ALine.Disturbers)
    CheckDisturber(Disturber);
}

TLineSetup DriftedLine(const TLineSetup &ALine, int ACapture) {
  TLineSetup Line = ALine;
  Line.NoiseShiftDb = ALine.NoiseShiftDb + 3 * std::sin(0.9 * ACapture);
  if (ACapture % 2 == 1)
    Line.Disturbers.push_back({14.2, 25});
  return Line;
}

std::string LineDescription(const TLineSetup &ALine, TVDSLProfile AProfile) {
  std::string Text = Format("loop %g m of %.1f mm", ALine.LoopLengthM.value_or(UsualLoopLengthM(AProfile)), ALine.GaugeMm);
  Text += ALine.TapLengthM > 0 ? Format(", bridged tap %g m", ALine.TapLengthM) : ", no bridged tap";
  if (ALine.Disturbers.empty())
    Text += ", no disturber";
  for (const TLineDisturber &Disturber : ALine.Disturbers)
    Text += Format(", disturber %.3f MHz +%g dB", Disturber.CentreMHz, Disturber.RiseDb);
  return Text;
}

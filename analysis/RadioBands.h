#pragma once
// Radio services whose transmitters couple into a telephone pair and show as
// narrow peaks in its quiet line noise.
//
// Amateur bands: the IARU Region 1 HF band plan, which follows the amateur
// allocations of the ITU Radio Regulations (Article 5) for Region 1:
//   160 m 1.810-2.000, 80 m 3.500-3.800, 60 m 5.3515-5.3665 (WRC-15),
//   40 m 7.000-7.200, 30 m 10.100-10.150, 20 m 14.000-14.350,
//   17 m 18.068-18.168, 15 m 21.000-21.450, 12 m 24.890-24.990,
//   10 m 28.000-29.700 MHz.
// Broadcast bands: the broadcasting allocations of the ITU Radio Regulations
// (Article 5, Region 1, with the WARC-92 and WRC-03 extensions), named by
// wavelength as broadcasters' schedules name them:
//   LW 148.5-283.5 kHz, MW 526.5-1606.5 kHz, 75 m 3.900-4.000,
//   49 m 5.900-6.200, 41 m 7.200-7.450, 31 m 9.400-9.900,
//   25 m 11.600-12.100, 22 m 13.570-13.870, 19 m 15.100-15.800,
//   16 m 17.480-17.900, 13 m 21.450-21.850, 11 m 25.670-26.100 MHz.
// Each band includes its lower edge and excludes its upper one, so the shared
// edges (7.2 MHz, 21.45 MHz) belong to the band above.

#include <optional>
#include <span>
#include <string>

struct TRadioBand {
  const char *Name;     // "40 m amateur", "MW broadcast"
  double LowHz;
  double HighHz;
};

std::span<const TRadioBand> RadioBands();
// The band that AFrequencyHz falls in; none between bands.
std::optional<std::string> RadioBandAt(double AFrequencyHz);
// The band at AFrequencyHz, else the first band that reaches to within half
// of AWidthHz of it: a per-group value is taken at the group's first tone and
// stands for the tones around it, a group wider than some amateur bands.
std::optional<std::string> RadioBandNear(double AFrequencyHz, double AWidthHz);

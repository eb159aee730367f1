#include "RadioBands.h"

#include <array>

namespace {

constexpr double kHz = 1e3;
constexpr double MHz = 1e6;

constexpr std::array<TRadioBand, 22> Bands = {{
    {"LW broadcast", 148.5 * kHz, 283.5 * kHz},
    {"MW broadcast", 526.5 * kHz, 1606.5 * kHz},
    {"160 m amateur", 1.810 * MHz, 2.000 * MHz},
    {"80 m amateur", 3.500 * MHz, 3.800 * MHz},
    {"75 m broadcast", 3.900 * MHz, 4.000 * MHz},
    {"60 m amateur", 5.3515 * MHz, 5.3665 * MHz},
    {"49 m broadcast", 5.900 * MHz, 6.200 * MHz},
    {"40 m amateur", 7.000 * MHz, 7.200 * MHz},
    {"41 m broadcast", 7.200 * MHz, 7.450 * MHz},
    {"31 m broadcast", 9.400 * MHz, 9.900 * MHz},
    {"30 m amateur", 10.100 * MHz, 10.150 * MHz},
    {"25 m broadcast", 11.600 * MHz, 12.100 * MHz},
    {"22 m broadcast", 13.570 * MHz, 13.870 * MHz},
    {"20 m amateur", 14.000 * MHz, 14.350 * MHz},
    {"19 m broadcast", 15.100 * MHz, 15.800 * MHz},
    {"16 m broadcast", 17.480 * MHz, 17.900 * MHz},
    {"17 m amateur", 18.068 * MHz, 18.168 * MHz},
    {"15 m amateur", 21.000 * MHz, 21.450 * MHz},
    {"13 m broadcast", 21.450 * MHz, 21.850 * MHz},
    {"12 m amateur", 24.890 * MHz, 24.990 * MHz},
    {"11 m broadcast", 25.670 * MHz, 26.100 * MHz},
    {"10 m amateur", 28.000 * MHz, 29.700 * MHz},
}};

} // namespace

std::span<const TRadioBand> RadioBands() { return Bands; }

std::optional<std::string> RadioBandAt(double AFrequencyHz) {
  for (const TRadioBand &Band : Bands)
    if (AFrequencyHz >= Band.LowHz && AFrequencyHz < Band.HighHz)
      return Band.Name;
  return std::nullopt;
}

std::optional<std::string> RadioBandNear(double AFrequencyHz, double AWidthHz) {
  if (std::optional<std::string> Band = RadioBandAt(AFrequencyHz))
    return Band;
  for (const TRadioBand &Band : Bands)
    if (Band.LowHz < AFrequencyHz + AWidthHz / 2 && Band.HighHz > AFrequencyHz - AWidthHz / 2)
      return Band.Name;
  return std::nullopt;
}

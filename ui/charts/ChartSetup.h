#pragma once
// What every chart looks like before anything is drawn, and how its tone axis
// follows the profile of the snapshot drawn into it.

#include <cstdint>
#include <vector>

class TToneChart;

class TChartSetup {
public:
  static void SetupHLogChart(TToneChart *AChart, std::uint16_t ATones);
  static void SetupQLNChart(TToneChart *AChart, std::uint16_t ATones);
  static void SetupSNRChart(TToneChart *AChart, std::uint16_t ATones);
  static void SetupBitLoadingChart(TToneChart *AChart, std::uint16_t ATones);
  static void SetupGainChart(TToneChart *AChart, std::uint16_t ATones);
  // AFirst512Bins: the "SNR data only in first 512 bins" option.
  static void SetupBinSNRChart(TToneChart *AChart, std::uint16_t ATones, bool AFirst512Bins);

  // Tone axis maximum and label step for a profile ordinal.
  static void UpdateProfileAxis(TToneChart *AChart, int AProfile);
  // The per-bin SNR tone axis: bins 0 to 512 with the 512-bin option, else
  // the profile's tones as on the other bins charts.
  static void UpdateBinSNRAxis(TToneChart *AChart, int AProfile, bool AFirst512Bins);

  // Removes every series; axes, titles and ranges stay.
  static void ClearCharts(const std::vector<TToneChart *> &ACharts);

  static constexpr int DesignLabelStep = 256;

private:
  static void SetTitles(TToneChart *AChart, const char *ATitle, const char *AToneTitle, const char *AValueTitle);
  static void SetToneAxis(TToneChart *AChart, std::uint16_t AMax, int AStep);
};
